/* QRCodeWin32: the QR Code library's C calling interface.
 *
 * Fourteen plain functions over one process-wide settings record. Every output
 * or query call encodes the current message again from scratch. Calls must come
 * from one thread, one at a time.
 *
 * 16-bit truth values: -1 (all bits set) means success, 0 means failure.
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
QR_EXPORT void QRAPI QRSetDefault(void);
QR_EXPORT void QRAPI QRSetSize(int32_t width, int32_t height);
QR_EXPORT void QRAPI QRSetMessage(const char* text);
QR_EXPORT void QRAPI QRConfigure(int16_t version, int16_t level, int16_t mask);
QR_EXPORT void QRAPI QRAppearance(double moduleSizeCm, int16_t rotation, int16_t frameStyle);
QR_EXPORT void QRAPI QRSetBackColor(int16_t red, int16_t green, int16_t blue);
QR_EXPORT void QRAPI QRSetBarColor(int16_t red, int16_t green, int16_t blue);

/* Queries */
QR_EXPORT void QRAPI QRGetActualSize(int16_t useScreen, HDC dc, int32_t* outWidth,
                                     int32_t* outHeight);
QR_EXPORT void QRAPI QRGetActualRC(int16_t* rows, int16_t* columns);
QR_EXPORT int16_t QRAPI QRGetPatternData(char* buffer, uint32_t* bufferSize, int16_t* rows,
                                         int16_t* columns);

/* Outputs */
QR_EXPORT void QRAPI QRRender(HDC dc, uint16_t x, uint16_t y);
QR_EXPORT int16_t QRAPI QRSaveAsBMP(const char* path);
QR_EXPORT int16_t QRAPI QRSaveAsWMF(const char* path);
QR_EXPORT int16_t QRAPI QRCopyToClipboard(void);

#ifdef __cplusplus
}
#endif

#endif
