#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "batch_run.h"
#include "cli_test_support.h"
#include "output_folder.h"

namespace {

struct RunResult {
    std::vector<qrcli::LineOutcome> outcomes;
    std::vector<size_t> order;  // line indexes in the order they were reported
};

RunResult RunAll(const std::vector<std::string>& lines, const qrcli::BatchOptions& options) {
    std::string error;
    const auto folder = qrcli::OutputFolder::Open(options.outputFolder, error);
    EXPECT_TRUE(folder) << error;
    RunResult run;
    run.outcomes = qrcli::RunLines(lines, options, *folder,
                                   [&](size_t index, const auto&) { run.order.push_back(index); });
    return run;
}

std::vector<std::string> ManyLines() {
    std::vector<std::string> lines;
    for (int i = 0; i < 120; ++i) lines.push_back("line " + std::to_string(i * 7919));
    lines.push_back(std::string(300, 'v'));  // version 9 or so, a name too long for the disk
    lines.push_back("bad/name");
    return lines;
}

TEST(RunLines, AnyNumberOfJobsWritesTheSameFiles) {
    for (auto format : {qrcli::ImageFormat::kBmp, qrcli::ImageFormat::kPng,
                        qrcli::ImageFormat::kSvg, qrcli::ImageFormat::kWmf}) {
        clitest::TempDir one;
        clitest::TempDir four;
        auto options = clitest::WindowOptions(one.path());
        options.format = format;
        options.fit = true;
        const auto lines = ManyLines();
        const RunResult single = RunAll(lines, options);
        options.outputFolder = four.path().string();
        options.jobs = 4;
        const RunResult parallel = RunAll(lines, options);

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

TEST(RunLines, OutcomesAreReportedInLineOrder) {
    clitest::TempDir dir;
    auto options = clitest::WindowOptions(dir.path());
    options.jobs = 4;
    const auto lines = ManyLines();
    const RunResult run = RunAll(lines, options);
    ASSERT_EQ(run.order.size(), lines.size());
    for (size_t i = 0; i < run.order.size(); ++i) EXPECT_EQ(run.order[i], i);
}

TEST(RunLines, EachFailureHasItsReason) {
    clitest::TempDir dir;
    std::filesystem::create_directory(dir / "taken.bmp");
    auto options = clitest::WindowOptions(dir.path());
    options.ecLevel = 3;
    const std::vector<std::string> lines = {"ok", std::string(1300, 'x'), "taken", "",
                                            std::string(260, 'n')};
    const RunResult run = RunAll(lines, options);
    EXPECT_TRUE(run.outcomes[0].written);
    EXPECT_EQ(run.outcomes[1].reason, "the text (1300 bytes) does not fit version 40 at level H");
    EXPECT_EQ(run.outcomes[2].reason, "cannot create the file: Is a directory");
    EXPECT_EQ(run.outcomes[3].reason, "an empty line cannot be a file name");
    EXPECT_EQ(run.outcomes[4].reason, "cannot create the file: File name too long");
    // Nothing half-written is left behind, and the folder in the way is untouched.
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"ok.bmp", "taken.bmp"}));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.bmp"));
}

TEST(RunLines, AFailedLineKeepsTheOlderFileOfItsName) {
    clitest::TempDir dir;
    clitest::WriteFile(dir / "big text.png", "older picture");
    auto options = clitest::WindowOptions(dir.path());
    options.format = qrcli::ImageFormat::kPng;
    options.fit = true;
    options.width = 20;  // no symbol and quiet zone fit at one pixel a module
    options.height = 20;
    const RunResult run = RunAll({"big text"}, options);
    EXPECT_EQ(run.outcomes[0].reason,
              "version 1 (21 modules and a quiet zone of 4) does not fit 20x20 at one pixel per "
              "module");
    EXPECT_EQ(
        clitest::ReadFile(dir / "big text.png"),
        (std::vector<uint8_t>{'o', 'l', 'd', 'e', 'r', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'}));
}

TEST(RunLines, EqualLinesShareOneFileAndOneOutcome) {
    clitest::TempDir dir;
    auto options = clitest::WindowOptions(dir.path());
    options.jobs = 4;
    const RunResult run = RunAll({"same", "other", "same", "bad/one", "bad/one", "same"}, options);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"other.bmp", "same.bmp"}));
    for (size_t i : {0U, 1U, 2U, 5U}) EXPECT_TRUE(run.outcomes[i].written) << i;
    EXPECT_FALSE(run.outcomes[3].written);
    EXPECT_EQ(run.outcomes[4].reason, run.outcomes[3].reason);
}

TEST(RunLines, VerifyFlagsACroppedSymbolAndPassesAGoodOne) {
    clitest::TempDir dir;
    auto options = clitest::WindowOptions(dir.path());
    options.verify = true;
    // Version 1 fits 200 x 200 at 8 pixels a module; 60 bytes need version 4, cropped.
    const RunResult run = RunAll({"fits", std::string(60, 'c')}, options);
    EXPECT_TRUE(run.outcomes[0].written) << run.outcomes[0].reason;
    EXPECT_EQ(run.outcomes[1].reason, "does not decode: no symbol is read from the image");
    EXPECT_TRUE(std::filesystem::exists(dir / (std::string(60, 'c') + ".bmp")));
}

}  // namespace
