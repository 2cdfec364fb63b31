#include <cstring>

#include "client/bmp_file.h"
#include "client/checks.h"
#include "files.h"
#include "first_start_checks.h"
#include "scenario_steps.h"
#include "text.h"
#include "waiting.h"

namespace ui_client {

namespace {

using qrwin::Check;

uint32_t U32(const Bytes& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

void CheckPreviewFile(const std::wstring& path) {
    const auto bytes = ReadBytes(path);
    const Bytes data = bytes.value_or(Bytes{});
    Check(data.size() >= 2 && data[0] == 'B' && data[1] == 'M', "a.jpg starts with \"BM\"");
    const qrwin::BmpImage image = qrwin::ParseBmp(data);
    Check(image.valid && image.width == 200 && image.height == 200 && image.bitsPerPixel == 1,
          "a.jpg is a 1-bit BMP of 200 x 200",
          std::to_string(image.width) + "x" + std::to_string(image.height) + ", " +
              std::to_string(image.bitsPerPixel) + " bits");
    // Header, two palette entries and 200 rows of 28 bytes.
    Check(data.size() == 5662 && U32(data, 2) == data.size(),
          "a.jpg is 5662 bytes, as its header says", std::to_string(data.size()) + " bytes");
}

void CheckMirror(const WindowDriver& window) {
    window.SetText("编辑框4", "300");
    Check(window.Text("编辑框5") == "300", "\"300\" into 编辑框4 makes 编辑框5 read \"300\"",
          Shown(window.Text("编辑框5").value_or("(no answer)")));
    window.SetText("编辑框4", "");
    Check(window.Text("编辑框5") == "", "clearing 编辑框4 clears 编辑框5");
    window.SetText("编辑框5", "abc");
    Check(window.Text("编辑框4") == "", "the mirror runs one way: 编辑框5 leaves 编辑框4 alone");
}

}  // namespace

void CheckSingleAndMirror(const WindowDriver& window, const Options& options) {
    const std::wstring preview = Join(options.programFolder, L"a.jpg");
    const Stopwatch watch;
    window.Click("按钮3");
    const bool written =
        WaitUntil([&] { return IsFile(preview) && window.Answers(); }, kStartLimit, 200);
    PrintTime("生成", watch.Seconds());
    Check(written, "生成 writes a.jpg in the program folder");
    Check(window.Text("编辑框123456") == "未检测到你输入了内容",
          "生成 with an empty box puts \"未检测到你输入了内容\" into 编辑框123456",
          Shown(window.Text("编辑框123456").value_or("(no answer)")));
    CheckPreviewFile(preview);
    CheckMirror(window);
}

}  // namespace ui_client
