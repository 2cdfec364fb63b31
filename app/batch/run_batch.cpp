#include <chrono>
#include <string>
#include <vector>

#include "batch/batch_handlers.h"
#include "batch/failure_report.h"
#include "batch/progress.h"
#include "batch/symbol_fit.h"
#include "shell/library_calls.h"
#include "shell/main_window.h"
#include "text/split_lines.h"
#include "text/to_integer.h"
#include "toolkit/services.h"

namespace {

// The run blocks the GUI thread, as designed; repainting now and then lets the preview and
// the counters move without letting user input or other handlers in.
class ProgressPainter {
  public:
    explicit ProgressPainter(ui::Window& window) : window_(window) {}

    void PaintWhenDue() {
        constexpr auto kPaintInterval = std::chrono::milliseconds(40);
        const auto now = std::chrono::steady_clock::now();
        if (now - last_ < kPaintInterval) return;
        window_.Repaint();
        last_ = now;
    }

  private:
    ui::Window& window_;
    std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

std::int32_t SizeFrom(const ui::EditBox& box) {
    return ToInteger(services::ToSystem8Bit(box.Content()));
}

}  // namespace

void RunBatch(MainWindow& window) {
    ApplySymbolSettings(window);
    const std::string folder = services::ToSystem8Bit(window.编辑框2->Content());
    const std::vector<std::string> lines =
        SplitLines(services::ToSystem8Bit(window.编辑框1->Content()), "\r\n");
    const std::size_t count = lines.size();

    ProgressPainter painter(*window.frame);
    ModuleSide moduleSide;
    FailureReport failures;
    for (std::size_t i = 1; i <= count; ++i) {
        const std::string& line = lines[i - 1];
        const std::int32_t width = SizeFrom(*window.编辑框4);
        const std::int32_t height = SizeFrom(*window.编辑框5);
        Library::QRSetSize(width, height);
        Library::QRSetMessage(line.c_str());
        const SymbolFit fit = FitSymbolToImage(width, height, moduleSide);
        const std::string path = folder + kPathSeparator + line + ".jpg";
        // A line refused before drawing removes nothing: an earlier file of its name stays.
        const bool written = CanBeDrawn(fit) && Library::QRSaveAsBMP(path.c_str()) != 0;
        if (!written) failures.Add(i, line, FailureReason(folder, line, fit));

        // Only what this run wrote is shown.
        window.图片框1->SetPictureBytes(written ? services::ReadWholeFile(path) : ui::Bytes{});
        window.透明标签6->SetCaption(std::to_string(i));
        window.标签1->SetWidth(ProgressBarWidth(i, count));
        window.透明标签12->SetCaption(FormatPercent(window.标签1->Width() / 2.0));
        painter.PaintWhenDue();
    }
    failures.ShowIfAny();
}
