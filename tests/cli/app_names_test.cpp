// --app-names must stand in for a window run: the same names and the same bytes as the
// library's own QRSaveAsBMP with the settings the window passes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli_test_support.h"
#include "qrcodewin32.h"

namespace {

struct WindowRun {
    int version = 0;  // the version list's index
    int level = 0;    // the level list's index
    int width = 200;
    int height = 200;
};

// What the window does for one line: its fixed settings, the size boxes, the message, a
// smaller module side for a symbol larger than the image (the most whole pixels that leave
// two modules of quiet zone, else one pixel when the symbol itself fits), the file.
std::vector<uint8_t> WindowFile(const clitest::TempDir& dir, const std::string& line,
                                const WindowRun& run) {
    QRSetBackColor(255, 255, 255);
    QRSetBarColor(0, 0, 0);
    QRConfigure(static_cast<int16_t>(run.version), static_cast<int16_t>(run.level), 5);
    QRAppearance(0.2, 1, 0);
    QRSetSize(run.width, run.height);
    QRSetMessage(line.c_str());
    int16_t modules = 0;
    int16_t columns = 0;
    QRGetActualRC(&modules, &columns);
    const int side = std::min(run.width, run.height);
    if (modules * 8 > side) {
        const int pixels = side / (modules + 4) > 0 ? side / (modules + 4) : modules <= side;
        QRAppearance(0.2 * pixels / 8, 1, 0);
    }
    const auto path = dir / "window.jpg";
    EXPECT_EQ(QRSaveAsBMP(path.c_str()), -1);
    return clitest::ReadFile(path);
}

void ExpectSameAsWindow(const std::vector<std::string>& lines, const WindowRun& run) {
    clitest::TempDir windowDir;
    clitest::TempDir cliDir;
    auto options = clitest::WindowOptions(cliDir.path());
    options.appNames = true;
    options.requestedVersion = run.version;
    options.ecLevel = run.level;
    options.width = run.width;
    options.height = run.height;
    options.jobs = 2;
    const auto outcomes = clitest::RunLines(lines, options).outcomes;

    for (size_t i = 0; i < lines.size(); ++i) {
        ASSERT_TRUE(outcomes[i].written) << lines[i] << ": " << outcomes[i].reason;
        const auto cliBytes = clitest::ReadFile(cliDir / (lines[i] + ".jpg"));
        const auto windowBytes = WindowFile(windowDir, lines[i], run);
        ASSERT_FALSE(windowBytes.empty());
        EXPECT_EQ(cliBytes, windowBytes) << "line " << i + 1 << ": " << lines[i];
    }
}

TEST(AppNames, DefaultWindowFilesAreByteIdentical) {
    ExpectSameAsWindow({"测试数据", "20210706001", "20210706500", "20210707000"}, {});
}

TEST(AppNames, LargerSymbolsDrawnSmallerAndOtherBytesToo) {
    // Version 3 and above are larger than 200 x 200 at 8 pixels a module: smaller modules.
    ExpectSameAsWindow({std::string(60, 'x'), "\xb2\xe2\xca\xd4", "HTTP:EXAMPLE.COM A"}, {});
}

TEST(AppNames, VersionLevelAndSizeFromTheWindow) {
    ExpectSameAsWindow({"V5H", "wide"}, {5, 3, 300, 150});
    ExpectSameAsWindow({"tall", "12345"}, {0, 1, 97, 301});
}

}  // namespace
