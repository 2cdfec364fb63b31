#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch/batch_run.h"
#include "cli_test_support.h"

namespace {

using clitest::RunLines;

std::vector<std::string> ManyLines() {
    std::vector<std::string> lines;
    for (int i = 0; i < 120; ++i) lines.push_back("line " + std::to_string(i * 7919));
    lines.push_back(std::string(300, 'v'));  // a name too long for the disk
    lines.push_back("bad/name");
    return lines;
}

TEST(BatchRun, AnyNumberOfJobsWritesTheSameFiles) {
    for (auto format :
         {qrcli::ImageFormat::kPng, qrcli::ImageFormat::kSvg, qrcli::ImageFormat::kEps,
          qrcli::ImageFormat::kPdf, qrcli::ImageFormat::kBmp, qrcli::ImageFormat::kWmf,
          qrcli::ImageFormat::kUtf8}) {
        clitest::TempDir one;
        clitest::TempDir four;
        auto options = clitest::DefaultOptions(one.path());
        options.format = format;
        options.jobs = 1;
        const auto lines = ManyLines();
        const auto single = RunLines(lines, options);
        options.output = four.path().string();
        options.jobs = 4;
        const auto parallel = RunLines(lines, options);

        ASSERT_EQ(one.Names(), four.Names());
        EXPECT_EQ(one.Names().size(), 120U);  // the last two lines fail alike
        for (const auto& name : one.Names()) {
            EXPECT_EQ(clitest::ReadFile(one / name), clitest::ReadFile(four / name)) << name;
        }
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(single.outcomes[i].written, parallel.outcomes[i].written);
            EXPECT_EQ(single.outcomes[i].reason, parallel.outcomes[i].reason);
        }
    }
}

TEST(BatchRun, JobsReplaceTheFilesOfAnEarlierRunWhole) {
    // Each worker links its files in through descriptors of its own: every older file must
    // end up holding its own line's new picture, with no scratch file left beside it.
    clitest::TempDir fresh;
    auto options = clitest::DefaultOptions(fresh.path());
    options.jobs = 1;
    const auto lines = ManyLines();
    RunLines(lines, options);
    for (const int jobs : {2, 4}) {
        clitest::TempDir earlier;
        options.output = earlier.path().string();
        options.jobs = 1;
        options.width = options.height = 120;  // other bytes under the same names
        RunLines(lines, options);
        options.jobs = jobs;
        options.width = options.height = 200;
        RunLines(lines, options);
        ASSERT_EQ(earlier.Names(), fresh.Names()) << jobs << " jobs";
        for (const auto& name : fresh.Names()) {
            EXPECT_EQ(clitest::ReadFile(earlier / name), clitest::ReadFile(fresh / name))
                << name << ", " << jobs << " jobs";
        }
    }
}

TEST(BatchRun, LargeImagesAsWellAsSmallOnes) {
    // A 2,000 x 2,000 BMP (500 kB) is written by the worker that made it, the small ones by
    // the reporting thread: both land whole, the same as from one thread.
    clitest::TempDir one;
    clitest::TempDir two;
    auto options = clitest::DefaultOptions(one.path());
    options.format = qrcli::ImageFormat::kBmp;
    options.width = 2000;
    options.height = 2000;
    options.jobs = 1;
    const std::vector<std::string> lines = {"a", "b", "c", "d", "e"};
    RunLines(lines, options);
    options.output = two.path().string();
    options.jobs = 2;
    const auto run = RunLines(lines, options);
    ASSERT_EQ(two.Names(), one.Names());
    for (const auto& name : one.Names()) {
        EXPECT_EQ(clitest::ReadFile(two / name), clitest::ReadFile(one / name)) << name;
        EXPECT_GT(clitest::ReadFile(two / name).size(), 500000U);
    }
    for (const auto& outcome : run.outcomes) EXPECT_TRUE(outcome.written) << outcome.reason;
}

TEST(BatchRun, OutcomesAreReportedInLineOrderPastTheWindow) {
    clitest::TempDir dir;
    auto options = clitest::DefaultOptions(dir.path());
    options.jobs = 4;  // 256 lines in flight at most
    std::vector<std::string> lines;
    for (int i = 0; i < 700; ++i) lines.push_back(i % 50 == 7 ? "bad/" : std::to_string(i));
    const auto run = RunLines(lines, options);
    ASSERT_EQ(run.order.size(), lines.size());
    for (size_t i = 0; i < run.order.size(); ++i) EXPECT_EQ(run.order[i], i + 1);
    EXPECT_EQ(dir.Names().size(), 700U - 14U);
}

TEST(BatchRun, EachFailureHasItsReason) {
    clitest::TempDir dir;
    std::filesystem::create_directory(dir / "taken.png");
    auto options = clitest::DefaultOptions(dir.path());
    const std::vector<std::string> lines = {"ok", "taken", "", std::string(252, 'n')};
    const auto run = RunLines(lines, options);
    EXPECT_TRUE(run.outcomes[0].written);
    EXPECT_EQ(run.outcomes[1].reason,
              "cannot create the file \"" + (dir / "taken.png").string() + "\": Is a directory");
    EXPECT_EQ(run.outcomes[2].reason, "an empty line cannot be a file name");
    EXPECT_EQ(run.outcomes[3].reason,
              "cannot be a file name: 256 bytes with the extension, more than the 255 a name can "
              "hold (--name safe shortens it)");
    // Nothing half-written is left behind, and the folder in the way is untouched.
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"ok.png", "taken.png"}));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.png"));

    options.naming = qrcli::Naming::kIndex;
    options.ecLevel = 3;
    const auto numbered = RunLines({std::string(1300, 'x')}, options);
    EXPECT_EQ(numbered.outcomes[0].reason,
              "the text (1300 bytes) does not fit version 40 at level H");
}

TEST(BatchRun, AFailedLineKeepsTheOlderFileOfItsName) {
    clitest::TempDir dir;
    clitest::WriteFile(dir / "big text.png", "older picture");
    auto options = clitest::DefaultOptions(dir.path());
    options.width = 20;  // no symbol and quiet zone fit at one pixel a module
    options.height = 20;
    const auto run = RunLines({"big text"}, options);
    EXPECT_EQ(run.outcomes[0].reason,
              "version 1 (21 modules and a quiet zone of 4) does not fit 20x20 at one pixel per "
              "module");
    EXPECT_EQ(
        clitest::ReadFile(dir / "big text.png"),
        (std::vector<uint8_t>{'o', 'l', 'd', 'e', 'r', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'}));
}

TEST(BatchRun, ASymbolLargerThanTheImageIsReportedNotCut) {
    // 60 bytes need version 4: 33 modules, 264 pixels at 8 a module.
    const std::string text(60, 'c');
    clitest::TempDir dir;
    auto options = clitest::WindowOptions(dir.path());
    options.border = 2;  // version 1 at 8 pixels a module: 25 x 8 = 200
    const auto run = RunLines({"fits", text}, options);
    EXPECT_TRUE(run.outcomes[0].written);
    EXPECT_EQ(run.outcomes[1].reason,
              "version 4 (33 modules and a quiet zone of 2) at 8 pixels per module needs 296x296 "
              "pixels, more than the 200x200 image");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"fits.bmp"}));

    // The window's own files are drawn as the window draws them: smaller modules, whole, read
    // back; refused, as the window refuses them, when not even one pixel a module fits.
    options.appNames = true;
    options.verify = true;
    const auto window = RunLines({"fits", text}, options);
    EXPECT_TRUE(window.outcomes[0].written) << window.outcomes[0].reason;
    EXPECT_TRUE(window.outcomes[1].written) << window.outcomes[1].reason;
    options.width = options.height = 30;
    EXPECT_EQ(RunLines({text}, options).outcomes[0].reason,
              "version 4 (33 modules) does not fit the 30x30 image even at one pixel per module, "
              "so the window writes no file");
}

TEST(BatchRun, EqualLinesShareOneFileAndOneOutcome) {
    clitest::TempDir dir;
    auto options = clitest::DefaultOptions(dir.path());
    options.jobs = 4;
    const auto run = RunLines({"same", "other", "same", "bad/one", "bad/one", "same"}, options);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"other.png", "same.png"}));
    for (size_t i : {0U, 1U, 2U, 5U}) EXPECT_TRUE(run.outcomes[i].written) << i;
    EXPECT_FALSE(run.outcomes[3].written);
    EXPECT_EQ(run.outcomes[4].reason, run.outcomes[3].reason);
}

TEST(BatchRun, SafeNamesThatMeetAreReportedNotOverwritten) {
    clitest::TempDir dir;
    auto options = clitest::DefaultOptions(dir.path());
    options.naming = qrcli::Naming::kSafe;
    options.jobs = 2;
    std::vector<std::string> lines = {"a/b", "a:b", "a/b"};
    for (int i = 0; i < 1000; ++i) lines.push_back("filler " + std::to_string(i));
    lines.push_back("a?b");  // long after the first has left the window
    lines.push_back("a/b");
    const auto run = RunLines(lines, options);
    EXPECT_TRUE(run.outcomes[0].written);
    EXPECT_EQ(run.outcomes[1].reason, "the file name \"a_b.png\" is already line 1's");
    EXPECT_TRUE(run.outcomes[2].written);
    EXPECT_EQ(run.outcomes[1003].reason, "the file name \"a_b.png\" is already line 1's");
    EXPECT_TRUE(run.outcomes[1004].written);
    EXPECT_EQ(clitest::ReadFile(dir / "a_b.png").size() > 0, true);
    EXPECT_EQ(dir.Names().size(), 1001U);
}

TEST(BatchRun, TsvLinesNameTheirFiles) {
    clitest::TempDir dir;
    auto options = clitest::DefaultOptions(dir.path());
    options.inputFormat = qrcli::InputFormat::kTsv;
    const auto run = RunLines({"home\thttps://example.com/", "tab\ta\tb", "no tab here",
                               "home\thttps://example.com/other", "\tnameless"},
                              options);
    EXPECT_TRUE(run.outcomes[0].written);
    EXPECT_TRUE(run.outcomes[1].written);
    EXPECT_EQ(run.outcomes[2].reason, "no tab between a name and the text (--input-format tsv)");
    EXPECT_EQ(run.outcomes[3].reason, "the file name \"home.png\" is already line 1's");
    EXPECT_EQ(run.outcomes[4].reason, "an empty line cannot be a file name");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"home.png", "tab.png"}));
}

TEST(BatchRun, NumberedNamesKeepEqualLinesApart) {
    clitest::TempDir dir;
    auto options = clitest::DefaultOptions(dir.path());
    options.naming = qrcli::Naming::kIndex;
    options.nameFormat = "code-%03d";
    const auto run = RunLines({"same", "same", "https://x/y"}, options);
    for (const auto& outcome : run.outcomes) EXPECT_TRUE(outcome.written) << outcome.reason;
    EXPECT_EQ(dir.Names(),
              (std::vector<std::string>{"code-001.png", "code-002.png", "code-003.png"}));
    EXPECT_EQ(clitest::ReadFile(dir / "code-001.png"), clitest::ReadFile(dir / "code-002.png"));
}

}  // namespace
