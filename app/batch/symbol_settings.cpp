#include <string>

#include "batch/batch_handlers.h"
#include "batch/symbol_fit.h"
#include "shell/library_calls.h"
#include "shell/main_window.h"
#include "toolkit/services.h"

namespace {

constexpr std::int16_t kMaskPattern4 = 5;  // mask setting 5: always pattern 4
constexpr std::int16_t kStandardOrientation = 1;
constexpr std::int16_t kNoFrame = 0;

}  // namespace

void ApplySymbolSettings(MainWindow& window) {
    const std::string message = services::ToSystem8Bit(window.编辑框123456->Content());
    Library::QRSetMessage(message.c_str());
    Library::QRSetBackColor(255, 255, 255);
    Library::QRSetBarColor(0, 0, 0);
    const int version = window.组合框_版本1->SelectedIndex();
    const int level = window.组合框_纠错1->SelectedIndex();
    Library::QRConfigure(static_cast<std::int16_t>(version), static_cast<std::int16_t>(level),
                         kMaskPattern4);
    Library::QRAppearance(kModuleSideCm, kStandardOrientation, kNoFrame);
}
