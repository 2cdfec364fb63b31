// Text services: between the controls' UTF-8 and the ANSI code page, and the GBK notice page.
#include <windows.h>

#include "text/code_page.h"
#include "toolkit/services.h"
#include "toolkit/win32/text/wide_text.h"

namespace services {

namespace {

constexpr UINT kGbkCodePage = 936;

}  // namespace

std::string ToSystem8Bit(const std::string& utf8) {
    return win32::NarrowTo(CP_ACP, win32::Widen(utf8));
}

std::string FromSystem8Bit(std::string_view bytes) {
    return win32::Narrow(win32::WidenFrom(CP_ACP, bytes));
}

std::string FromGbk(std::string_view bytes) {
    return win32::Narrow(win32::WidenFrom(kGbkCodePage, bytes));
}

}  // namespace services

CodePage SystemCodePage() {
    return GetACP() == 936 ? CodePage::Gbk : CodePage::Utf8;
}
