#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli_test_support.h"
#include "input/output_folder.h"

namespace {

std::unique_ptr<qrcli::OutputFolder> Open(const clitest::TempDir& dir) {
    std::string error;
    auto folder = qrcli::OutputFolder::Open(dir.path().string(), error);
    EXPECT_TRUE(folder) << error;
    return folder;
}

const std::vector<uint8_t> kBytes = {'n', 'e', 'w'};

TEST(OutputFolder, WritesNewFilesAndReplacesOldOnesWithNothingLeftOver) {
    clitest::TempDir dir;
    clitest::WriteFile(dir / "old.bmp", "an older and longer file");
    const auto folder = Open(dir);
    EXPECT_EQ(folder->Write("new.bmp", kBytes), std::nullopt);
    EXPECT_EQ(folder->Write("old.bmp", kBytes), std::nullopt);
    EXPECT_EQ(clitest::ReadFile(dir / "new.bmp"), kBytes);
    EXPECT_EQ(clitest::ReadFile(dir / "old.bmp"), kBytes);
    EXPECT_EQ(folder->Read("old.bmp"), kBytes);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"new.bmp", "old.bmp"}));
}

TEST(OutputFolder, ALinkInTheFolderIsReplacedNotFollowed) {
    clitest::TempDir dir;
    clitest::TempDir elsewhere;
    clitest::WriteFile(elsewhere / "precious.txt", "keep");
    std::filesystem::create_directory(dir / "out");
    std::filesystem::create_symlink(elsewhere / "precious.txt", dir / "out" / "x.bmp");
    std::string error;
    const auto folder = qrcli::OutputFolder::Open((dir / "out").string(), error);
    ASSERT_TRUE(folder) << error;
    EXPECT_EQ(folder->Write("x.bmp", kBytes), std::nullopt);
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "out" / "x.bmp"));
    EXPECT_EQ(clitest::ReadFile(elsewhere / "precious.txt"),
              (std::vector<uint8_t>{'k', 'e', 'e', 'p'}));
}

TEST(OutputFolder, FailuresSayWhyAndLeaveNothing) {
    clitest::TempDir dir;
    std::filesystem::create_directory(dir / "folder.bmp");
    const auto folder = Open(dir);
    const std::string name(300, 'n');
    EXPECT_EQ(folder->Write(name, kBytes),
              "cannot create the file \"" + (dir / name).string() + "\": File name too long");
    EXPECT_EQ(folder->Write("folder.bmp", kBytes),
              "cannot create the file \"" + (dir / "folder.bmp").string() + "\": Is a directory");
    EXPECT_EQ(folder->Read("missing.bmp"), std::nullopt);
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"folder.bmp"}));
}

TEST(OutputFolder, OnlyAnExistingFolderOpens) {
    clitest::TempDir dir;
    clitest::WriteFile(dir / "file", "x");
    std::string error;
    EXPECT_FALSE(qrcli::OutputFolder::Open((dir / "missing").string(), error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_FALSE(qrcli::OutputFolder::Open((dir / "file").string(), error));
    EXPECT_EQ(error, "is not a folder");
}

}  // namespace
