// The calling convention: every export removes exactly its own argument bytes from the stack.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "bmp_file.h"
#include "checks.h"
#include "library.h"
#include "stack_probe.h"
#include "suites.h"

namespace qrwin {

namespace {

// Known conventions, to show that the probe tells them apart.
extern "C" __attribute__((noinline)) int __cdecl CallerCleans(int a, int b, int c) {
    return a + b + c;
}
extern "C" __attribute__((noinline)) int __stdcall CalleeCleans(int a, int b, int c) {
    return a * b * c;
}

uint32_t Slot(const void* p) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
}

// A negative 16-bit argument travels sign-extended in its 32-bit slot.
uint32_t Slot16(int16_t v) {
    return static_cast<uint32_t>(static_cast<int32_t>(v));
}

template <typename F>
const void* Address(F f) {
    return reinterpret_cast<const void*>(f);
}

void ExpectRemoved(const char* name, const void* function, const std::vector<uint32_t>& slots,
                   uint32_t expected) {
    if (!Check(function != nullptr, std::string("callable: ") + name)) return;
    const uint32_t removed =
        BytesRemovedByCallee(function, slots.data(), static_cast<uint32_t>(slots.size()));
    Check(removed == expected,
          std::string(name) + " removes " + std::to_string(expected) + " argument bytes",
          "removed " + std::to_string(removed));
}

}  // namespace

void RunCallChecks() {
    const uint32_t three[] = {1, 2, 3};
    Check(BytesRemovedByCallee(Address(&CallerCleans), three, 3) == 0,
          "probe: a C-convention function removes nothing");
    Check(BytesRemovedByCallee(Address(&CalleeCleans), three, 3) == 12,
          "probe: a standard-convention function removes its 12 bytes");

    const Exports& api = Api();
    static const char text[] = "12";
    int32_t width = 0, height = 0;
    int16_t rows = 0, columns = 0;
    uint32_t size = 0;
    const double cm = 0.07;
    uint32_t cmSlots[2];
    std::memcpy(cmSlots, &cm, sizeof cm);

    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 500, 300);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    const std::string bmp = TempPath("probe.bmp");
    const std::string wmf = TempPath("probe.wmf");

    ExpectRemoved("QRSetDefault", Address(api.QRSetDefault), {}, 0);
    ExpectRemoved("QRSetSize", Address(api.QRSetSize), {500, 300}, 8);
    ExpectRemoved("QRSetMessage", Address(api.QRSetMessage), {Slot(text)}, 4);
    ExpectRemoved("QRConfigure", Address(api.QRConfigure), {0, 0, 0}, 12);
    ExpectRemoved("QRAppearance", Address(api.QRAppearance), {cmSlots[0], cmSlots[1], 0, 0}, 16);
    ExpectRemoved("QRSetBackColor", Address(api.QRSetBackColor), {255, 255, 255}, 12);
    ExpectRemoved("QRSetBarColor", Address(api.QRSetBarColor), {0, 0, 0}, 12);
    ExpectRemoved("QRGetActualSize", Address(api.QRGetActualSize),
                  {Slot16(-1), 0, Slot(&width), Slot(&height)}, 16);
    Check(width == 63 && height == 63, "QRGetActualSize called through raw slots answers 63 x 63",
          std::to_string(width) + " x " + std::to_string(height));
    ExpectRemoved("QRGetActualRC", Address(api.QRGetActualRC), {Slot(&rows), Slot(&columns)}, 8);
    Check(rows == 21 && columns == 21, "QRGetActualRC called through raw slots answers 21 x 21");
    ExpectRemoved("QRGetPatternData", Address(api.QRGetPatternData),
                  {0, Slot(&size), Slot(&rows), Slot(&columns)}, 16);
    Check(size == 441, "QRGetPatternData called through raw slots asks for 441 bytes",
          std::to_string(size));
    ExpectRemoved("QRRender", Address(api.QRRender), {Slot(memory), 0, 0}, 12);
    ExpectRemoved("QRSaveAsBMP", Address(api.QRSaveAsBMP), {Slot(bmp.c_str())}, 4);
    ExpectRemoved("QRSaveAsWMF", Address(api.QRSaveAsWMF), {Slot(wmf.c_str())}, 4);
    ExpectRemoved("QRCopyToClipboard", Address(api.QRCopyToClipboard), {}, 0);

    ::DeleteFileA(bmp.c_str());
    ::DeleteFileA(wmf.c_str());
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

}  // namespace qrwin
