#pragma once

#include <cstdint>

// The exports of QRCodeWin32.dll that the application calls, reached by name at run time.
// Each export is looked up on its first call and kept for every later call.
namespace Library {

void QRSetSize(std::int32_t width, std::int32_t height);
void QRSetMessage(const char* text);
void QRConfigure(std::int16_t version, std::int16_t level, std::int16_t mask);
void QRAppearance(double moduleSizeCm, std::int16_t rotation, std::int16_t frameStyle);
void QRSetBackColor(std::int16_t red, std::int16_t green, std::int16_t blue);
void QRSetBarColor(std::int16_t red, std::int16_t green, std::int16_t blue);
std::int16_t QRSaveAsBMP(const char* path);
// The symbol's side in modules, 0 when the message does not fit any symbol.
std::int16_t QRGetActualRC();
// The symbol's side in screen pixels at the current module size.
std::int32_t QRGetActualScreenSize();

}  // namespace Library
