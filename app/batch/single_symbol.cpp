#include <string>

#include "batch/batch_handlers.h"
#include "batch/failure_report.h"
#include "batch/symbol_fit.h"
#include "shell/library_calls.h"
#include "shell/main_window.h"
#include "text/to_integer.h"
#include "toolkit/services.h"

namespace {

std::string InProgramFolder(const MainWindow& window, const char* name) {
    return window.paths.programFolder + kPathSeparator + name;
}

}  // namespace

void GenerateSingle(MainWindow& window) {
    // Zero characters only: a text of spaces is content.
    if (window.编辑框123456->Content().empty())
        window.编辑框123456->SetContent("未检测到你输入了内容");
    ApplySymbolSettings(window);
    const std::int32_t width = ToInteger(services::ToSystem8Bit(window.编辑框3->Content()));
    const std::int32_t height = ToInteger(services::ToSystem8Bit(window.编辑框3->Content()));
    Library::QRSetSize(width, height);
    ModuleSide moduleSide;
    const SymbolFit fit = FitSymbolToImage(width, height, moduleSide);
    // Fitted or refused as a batch line is: a refusal leaves the earlier preview file alone.
    const std::string preview = InProgramFolder(window, "a.jpg");
    const bool written = CanBeDrawn(fit) && Library::QRSaveAsBMP(preview.c_str()) != 0;
    window.图片框1->SetPictureBytes(written ? services::ReadWholeFile(preview) : ui::Bytes{});
    if (!written) {
        const std::string text = services::ToSystem8Bit(window.编辑框123456->Content());
        ShowFailure(SingleFailureText(text, FailureReason(window.paths.programFolder, "a", fit)));
    }
}

void SaveSingle(MainWindow& window) {
    // A scratch copy with whatever settings and message the last generation left.
    const std::string scratch = InProgramFolder(window, "a.bmp");
    Library::QRSaveAsBMP(scratch.c_str());

    ui::SaveFileDialog& dialog = *window.通用对话框1;
    dialog.saveType = true;
    if (!dialog.Show()) return;
    // Takes effect from the next time the dialog opens.
    dialog.initialFolder = services::FromSystem8Bit(services::DesktopFolder());
    services::WriteWholeFile(services::ToSystem8Bit(dialog.fileName),
                             window.图片框1->PictureBytes());
}
