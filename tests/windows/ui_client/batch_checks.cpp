#include <cstdio>
#include <set>

#include "client/bmp_file.h"
#include "client/checks.h"
#include "files.h"
#include "first_start_checks.h"
#include "message_boxes.h"
#include "scenario_steps.h"
#include "text.h"
#include "waiting.h"

namespace ui_client {

namespace {

using qrwin::Check;

// The default input has 1001 lines; the run blocks the window, under the emulator for minutes.
constexpr double kBatchLimit = 900;

std::set<std::wstring> DefaultFileNames() {
    std::set<std::wstring> names = {L"测试数据.jpg"};
    for (long long number = 20210706001; number <= 20210707000; ++number)
        names.insert(std::to_wstring(number) + L".jpg");
    return names;
}

// The script takes the screenshot from the Linux side, where the X display is.
void AskForScreenshot(const Options& options) {
    const std::wstring request = Join(options.workFolder, L"screenshot.request");
    const std::wstring done = Join(options.workFolder, L"screenshot.done");
    WriteBytes(request, "after the default batch\n");
    if (!WaitUntil([&] { return IsFile(done); }, 120, 500))
        std::printf("note: no screenshot was taken within 120 s\n");
}

void CheckBatchFiles(const Options& options) {
    const auto listed = FileNames(options.outputFolder);
    const std::set<std::wstring> got(listed.begin(), listed.end());
    const std::set<std::wstring> want = DefaultFileNames();
    int missing = 0, images = 0;
    for (const auto& name : want) {
        if (got.count(name) == 0) {
            ++missing;
            continue;
        }
        const auto bytes = ReadBytes(Join(options.outputFolder, name));
        const qrwin::BmpImage image = qrwin::ParseBmp(bytes.value_or(Bytes{}));
        if (image.valid && image.width == 200 && image.height == 200 && image.bitsPerPixel == 1)
            ++images;
    }
    Check(listed.size() == 1001 && missing == 0,
          "1001 files written, 测试数据.jpg and 20210706001.jpg to 20210707000.jpg",
          std::to_string(listed.size()) + " files, " + std::to_string(missing) + " missing");
    Check(images == 1001, "every batch file is a 1-bit BMP of 200 x 200",
          std::to_string(images) + " are");
}

}  // namespace

void CheckDefaultBatch(const Program& program, const WindowDriver& window, const Options& options) {
    const Stopwatch watch;
    window.Click("按钮2");
    const bool finished = WaitUntil(
        [&] {
            return !program.Running() ||
                   (window.Text("透明标签6") == "1001" && window.Text("透明标签12") == "100%");
        },
        kBatchLimit, 1000);
    PrintTime("default batch of 1001 lines", watch.Seconds());
    Check(finished && program.Running(),
          "批量生成 ends with 透明标签6 \"1001\" and 透明标签12 \"100%\"",
          "透明标签6 " + Shown(window.Text("透明标签6").value_or("(no answer)")) + ", 透明标签12 " +
              Shown(window.Text("透明标签12").value_or("(no answer)")));
    Check(window.Text("透明标签5") == "1001", "透明标签5 still reads 1001");
    Check(ProgressBarWidth(window) == 200, "the progress bar 标签1 ends 200 pixels wide",
          std::to_string(ProgressBarWidth(window)));
    // A run in which every line was written shows no message.
    Pause(2000);
    Check(!HasDialog(program), "the batch shows no message box");
    CheckBatchFiles(options);
    AskForScreenshot(options);
}

}  // namespace ui_client
