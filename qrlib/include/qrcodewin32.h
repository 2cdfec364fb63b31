/* QRCodeWin32: the QR Code library's C calling interface.
 *
 * Fourteen plain functions over one process-wide settings record, all zeros when the library
 * is loaded: call QRSetDefault (or every setter) first. Setters never fail: a value out of its
 * range is replaced, as each one says. Every output or query call works on the symbol of the
 * current message and settings; the last symbol is kept until the next setter call, so queries
 * followed by an output of the same text encode it once. The library is not reentrant: call it
 * from one thread at a time.
 *
 * Units: sizes and positions in device pixels, the module side in centimetres; a module's
 * pixels come from the target's resolution: dpi x cm / 2.54, a fraction above one half
 * rounding up. Colours are 0x00BBGGRR. On Linux the screen is a 96 dpi stand-in, and device
 * contexts and the clipboard are the library's own (qrdevice.h).
 *
 * Thread safety: none. There is one record and no lock; calls come from one thread, one at a
 * time, and two calls that overlap corrupt each other's symbol.
 *
 * 16-bit truth values: -1 (all bits set) means success, 0 means failure. 16-bit arguments are
 * compared unsigned, so a negative one (-1 reads as 65535) is above every limit. On 32-bit
 * Windows the functions use the stdcall convention, elsewhere the platform's C convention.
 */
#ifndef QRCODEWIN32_H
#define QRCODEWIN32_H

#include <stdint.h>

#if defined(_WIN32)
#include <windows.h>
#if defined(_WIN64)
#define QRAPI
#else
#define QRAPI __stdcall
#endif
#if defined(QRLIB_BUILDING)
/* The library's def file is the export list: with dllexport here as well, the linker would
 * export a function whose calling convention does not match that list instead of failing. */
#define QR_EXPORT
#else
#define QR_EXPORT __declspec(dllimport)
#endif
#else
/* Elsewhere a device context is an opaque handle of the library's platform layer
 * (see qrdevice.h for creating one and reading its pixels). */
typedef struct QRDeviceContext* HDC;
#define QRAPI
#if defined(QRLIB_BUILDING)
#define QR_EXPORT __attribute__((visibility("default")))
#else
#define QR_EXPORT
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Settings */

/* Width 500, height 300, message "12", automatic version, level L, automatic mask, module
 * side 0.07 cm, rotation 0, no frame, black modules on white. */
QR_EXPORT void QRAPI QRSetDefault(void);

/* The output rectangle in pixels; 0 selects 500 for the width, 300 for the height. Any other
 * value is kept, a negative one too (what is then drawn is not defined). */
QR_EXPORT void QRAPI QRSetSize(int32_t width, int32_t height);

/* The text to encode: NUL-terminated bytes, taken as they are (the process's 8-bit code page
 * on Windows). Up to 7,999 bytes are kept; a longer text is cut there. The bytes are copied. */
QR_EXPORT void QRAPI QRSetMessage(const char* text);

/* version: 0 lets the encoder choose, 1 to 40 is the smallest version to use; above 40 becomes
 * 0. level: 0 to 3 for L, M, Q, H; above 3 becomes 0 (L). mask: 0 lets the encoder choose the
 * best pattern, 1 to 8 uses mask pattern 0 to 7; above 8 becomes 0. */
QR_EXPORT void QRAPI QRConfigure(int16_t version, int16_t level, int16_t mask);

/* moduleSizeCm: side of one module in centimetres, stored as a float; not above 0.0 (or not a
 * number) becomes 0.07. rotation: 0 to 3, above 3 becomes 0; 1 is the standard orientation, 0
 * turns it a quarter turn clockwise (finder patterns top left, top right, bottom right), 2 a
 * quarter turn counter-clockwise, 3 a half turn. frameStyle: 0 none, 1 dashed, 2 solid, a
 * one-pixel line along the rectangle's edges; above 2 becomes 0. */
QR_EXPORT void QRAPI QRAppearance(double moduleSizeCm, int16_t rotation, int16_t frameStyle);

/* Background colour, each component 0 to 255; a component above 255 becomes 0. Pure white
 * keeps BMP files at 1 bit per pixel, any other colour makes them 4 bits per pixel. */
QR_EXPORT void QRAPI QRSetBackColor(int16_t red, int16_t green, int16_t blue);

/* Colour of the dark modules, as QRSetBackColor; pure black keeps BMP files at 1 bit. */
QR_EXPORT void QRAPI QRSetBarColor(int16_t red, int16_t green, int16_t blue);

/* Queries: each answers for the symbol of the current message. A message that does not fit
 * version 40 at the chosen level gives zeros. */

/* The side in pixels of the symbol alone (no margin), at the resolution of dc, or of the
 * screen when useScreen is -1 (dc is then not used). Rotations 0 and 2 read the vertical
 * resolution, 1 and 3 the horizontal one. Writes the same value to both outputs; 0 x 0 when
 * the message does not fit. The caller's dc is left open. */
QR_EXPORT void QRAPI QRGetActualSize(int16_t useScreen, HDC dc, int32_t* outWidth,
                                     int32_t* outHeight);

/* Modules per side of the symbol, 21 to 177, to both outputs; 0 when the message does not
 * fit. */
QR_EXPORT void QRAPI QRGetActualRC(int16_t* rows, int16_t* columns);

/* The modules as characters '1' (dark) and '0' (light), row by row from the top as drawn with
 * rotation 0, whatever the current rotation; no terminator. When *bufferSize is below N x N:
 * writes N x N to *bufferSize and N to *rows and *columns, leaves buffer alone (it may be
 * NULL) and returns 0. Otherwise fills N x N bytes of buffer and returns -1, the counts
 * unchanged. When the message does not fit: all three counts 0, result -1. */
QR_EXPORT int16_t QRAPI QRGetPatternData(char* buffer, uint32_t* bufferSize, int16_t* rows,
                                         int16_t* columns);

/* Outputs: the output rectangle of width x height is filled with the background, the symbol is
 * centred in it (no quiet zone of its own: the margin is what the rectangle leaves, negative
 * when the symbol is larger) and the frame drawn on top. */

/* Draws on dc with the rectangle's top-left corner at (x, y), 0 to 65535, and module pixels
 * from dc's resolution; the map mode of dc is set to MM_TEXT for the call and then restored.
 * Draws nothing when the message does not fit. */
QR_EXPORT void QRAPI QRRender(HDC dc, uint16_t x, uint16_t y);

/* Writes an uncompressed BMP file of width x height pixels at the screen's resolution: 1 bit
 * per pixel for black on white, else 4 bits with each colour mapped to the nearest of the 16
 * standard VGA colours. Any file at path is deleted first. Returns -1 when written; 0, leaving
 * no file, when the message does not fit or the file cannot be written. */
QR_EXPORT int16_t QRAPI QRSaveAsBMP(const char* path);

/* Writes a placeable Windows metafile (a 22-byte header sized at the screen's resolution, then
 * the metafile). Any file at path is deleted first. Returns -1 when written, 0 when the file
 * cannot be written. A message that does not fit gives a metafile without a drawing, and -1. */
QR_EXPORT int16_t QRAPI QRSaveAsWMF(const char* path);

/* Puts the drawing on the clipboard as an enhanced metafile (CF_ENHMETAFILE). Returns -1 when
 * placed, 0 when another owner holds the clipboard open. On Linux the clipboard is the
 * library's own, per process (qrdevice.h). */
QR_EXPORT int16_t QRAPI QRCopyToClipboard(void);

#ifdef __cplusplus
}
#endif

#endif
