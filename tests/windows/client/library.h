// The library's fourteen exports as a client sees them: looked up by plain name, with the
// standard calling convention and the argument types of the interface.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qrwin {

inline constexpr const char* kLibraryFile = "QRCodeWin32.dll";

struct Exports {
    void(WINAPI* QRSetDefault)();
    void(WINAPI* QRSetSize)(int32_t, int32_t);
    void(WINAPI* QRSetMessage)(const char*);
    void(WINAPI* QRConfigure)(int16_t, int16_t, int16_t);
    void(WINAPI* QRAppearance)(double, int16_t, int16_t);
    void(WINAPI* QRSetBackColor)(int16_t, int16_t, int16_t);
    void(WINAPI* QRSetBarColor)(int16_t, int16_t, int16_t);
    void(WINAPI* QRGetActualSize)(int16_t, HDC, int32_t*, int32_t*);
    void(WINAPI* QRGetActualRC)(int16_t*, int16_t*);
    int16_t(WINAPI* QRGetPatternData)(char*, uint32_t*, int16_t*, int16_t*);
    void(WINAPI* QRRender)(HDC, uint16_t, uint16_t);
    int16_t(WINAPI* QRSaveAsBMP)(const char*);
    int16_t(WINAPI* QRSaveAsWMF)(const char*);
    int16_t(WINAPI* QRCopyToClipboard)();
};

struct ExportName {
    const char* name;
    unsigned argumentBytes;  // what the callee removes from the stack
};

inline constexpr ExportName kExportNames[14] = {
    {"QRSetDefault", 0},  {"QRSetSize", 8},         {"QRSetMessage", 4},   {"QRConfigure", 12},
    {"QRAppearance", 16}, {"QRSetBackColor", 12},   {"QRSetBarColor", 12}, {"QRGetActualSize", 16},
    {"QRGetActualRC", 8}, {"QRGetPatternData", 16}, {"QRRender", 12},      {"QRSaveAsBMP", 4},
    {"QRSaveAsWMF", 4},   {"QRCopyToClipboard", 0},
};

// The loaded library, or null.
HMODULE Library();

// Every export by plain name; a missing one stays null.
const Exports& Api();

// True when every export resolved; callers skip what they cannot call.
bool AllResolved();

// Applies the default settings and then the given text.
void ResetWith(const char* text);

}  // namespace qrwin
