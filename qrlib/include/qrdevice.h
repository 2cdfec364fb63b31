/* Device contexts and the clipboard of the library's platform layer, for clients and tests on
 * platforms without GDI. On Windows, HDC is GDI's own and none of this is needed.
 *
 * A memory device context is a surface of width x height pixels at the given resolution, black
 * when made, on which QRRender draws and QRGetActualSize measures. */
#ifndef QRDEVICE_H
#define QRDEVICE_H

#include "qrcodewin32.h"

#if !defined(_WIN32)

#ifdef __cplusplus
extern "C" {
#endif

/* NULL when the size is not positive, larger than 65535 on a side or 2^28 pixels in all, or
 * memory cannot be had. */
QR_EXPORT HDC QRCreateMemoryDC(int32_t width, int32_t height, int32_t dpiX, int32_t dpiY);
QR_EXPORT void QRDeleteDC(HDC dc);

/* The colour (0x00BBGGRR) of a pixel; 0xFFFFFFFF outside the surface. */
QR_EXPORT uint32_t QRGetDCPixel(HDC dc, int32_t x, int32_t y);

/* Map mode of the context (1 = MM_TEXT); a client may set another to see it restored. */
QR_EXPORT int32_t QRGetDCMapMode(HDC dc);
QR_EXPORT void QRSetDCMapMode(HDC dc, int32_t mode);

/* The clipboard: another owner may hold it open, so that QRCopyToClipboard cannot open it. */
QR_EXPORT int16_t QRHoldClipboard(void); /* -1 held, 0 already open */
QR_EXPORT void QRReleaseClipboard(void);

/* The enhanced metafile on the clipboard, with the size protocol of QRGetPatternData: a
 * bufferSize below the data's size gets the size and result 0; otherwise the bytes and -1.
 * With nothing on the clipboard the size is 0 and the result -1. */
QR_EXPORT int16_t QRGetClipboardMetafile(uint8_t* buffer, uint32_t* bufferSize);

#ifdef __cplusplus
}
#endif

#endif
#endif
