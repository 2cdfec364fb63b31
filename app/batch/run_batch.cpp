#include <QElapsedTimer>
#include <string>
#include <vector>

#include "batch/batch_handlers.h"
#include "batch/file_bytes.h"
#include "batch/progress.h"
#include "shell/library_calls.h"
#include "shell/main_window.h"
#include "text/code_page.h"
#include "text/split_lines.h"
#include "text/to_integer.h"

namespace {

// The run blocks the GUI thread, as designed; repainting now and then lets the preview and
// the counters move without letting user input or other handlers in.
class ProgressPainter {
  public:
    explicit ProgressPainter(MainWindow& window) : window_(window) { clock_.start(); }

    void PaintWhenDue() {
        constexpr qint64 kPaintIntervalMs = 40;
        if (clock_.elapsed() < kPaintIntervalMs) return;
        window_.repaint();
        clock_.restart();
    }

  private:
    MainWindow& window_;
    QElapsedTimer clock_;
};

}  // namespace

void RunBatch(MainWindow& window) {
    ApplySymbolSettings(window);
    const std::string folder = ToSystem8Bit(window.编辑框2->Content());
    const std::vector<std::string> lines =
        SplitLines(ToSystem8Bit(window.编辑框1->Content()), "\r\n");
    const std::size_t count = lines.size();

    ProgressPainter painter(window);
    for (std::size_t i = 1; i <= count; ++i) {
        const std::string& line = lines[i - 1];
        Library::QRSetSize(ToInteger(ToSystem8Bit(window.编辑框4->Content())),
                           ToInteger(ToSystem8Bit(window.编辑框5->Content())));
        Library::QRSetMessage(line.c_str());
        const std::string path = folder + kPathSeparator + line + ".jpg";
        Library::QRSaveAsBMP(path.c_str());

        window.图片框1->SetPictureBytes(ReadWholeFile(path));
        window.透明标签6->setText(QString::number(i));
        window.标签1->resize(ProgressBarWidth(i, count), window.标签1->height());
        window.透明标签12->setText(FormatPercent(window.标签1->width() / 2.0));
        painter.PaintWhenDue();
    }
}
