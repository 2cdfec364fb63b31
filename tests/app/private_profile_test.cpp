#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <unistd.h>

#include "toolkit/services.h"

namespace {

namespace fs = std::filesystem;
using services::ReadProfileString;
using services::WriteProfileString;

class PrivateProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("profile-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        file_ = (folder_ / "Set.ini").string();
    }
    void TearDown() override { fs::remove_all(folder_); }

    void Write(const std::string& bytes) { std::ofstream(file_, std::ios::binary) << bytes; }
    std::string Read() const {
        std::ifstream in(file_, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    std::string Route(std::size_t buffer = 10240) const {
        return ReadProfileString("preservation", "route", "none", file_, buffer);
    }

    fs::path folder_;
    std::string file_;
};

TEST_F(PrivateProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(Route(), "none");
    Write("[other]\nroute=x\n");
    EXPECT_EQ(Route(), "none");
    Write("[preservation]\nroad=x\n");
    EXPECT_EQ(Route(), "none");
}

TEST_F(PrivateProfileTest, ReadsBackslashesAndSpacesAsWritten) {
    Write("[preservation]\r\nroute=D:\\codes\\new folder\r\n");
    EXPECT_EQ(Route(), "D:\\codes\\new folder");
}

TEST_F(PrivateProfileTest, NamesMatchWithoutCaseAndBlanksAreTrimmed) {
    Write("; comment\n[ Preservation ]\n  ROUTE  =  /data/out  \n");
    EXPECT_EQ(Route(), "/data/out");
}

TEST_F(PrivateProfileTest, QuotedValueIsReadWithoutItsQuotes) {
    Write("[preservation]\nroute=\"/a b\"\n");
    EXPECT_EQ(Route(), "/a b");
}

TEST_F(PrivateProfileTest, EmptyValueIsEmptyNotDefault) {
    Write("[preservation]\nroute=\n");
    EXPECT_EQ(Route(), "");
}

TEST_F(PrivateProfileTest, ValueIsCutToTheBufferLessOne) {
    Write("[preservation]\nroute=" + std::string(12000, 'a') + "\n");
    EXPECT_EQ(Route(), std::string(10239, 'a'));
    EXPECT_EQ(Route(4), "aaa");
    EXPECT_EQ(Route(1), "");
}

TEST_F(PrivateProfileTest, FirstStoreIntoAnEmptyFile) {
    Write("");
    ASSERT_TRUE(WriteProfileString("preservation", "route", "D:\\codes", file_));
    EXPECT_EQ(Read(), "[preservation]\nroute=D:\\codes\n");
}

TEST_F(PrivateProfileTest, StoreCreatesAMissingFile) {
    ASSERT_TRUE(WriteProfileString("preservation", "route", "", file_));
    EXPECT_EQ(Read(), "[preservation]\nroute=\n");
}

TEST_F(PrivateProfileTest, StoreKeepsEveryOtherLineByteForByte) {
    Write(
        "; mine\r\n[other]\r\nkey=value\r\n\r\n[preservation]\r\nroute=old\r\nextra = "
        "1\r\n[last]\r\nx=y");
    ASSERT_TRUE(WriteProfileString("preservation", "route", "new", file_));
    EXPECT_EQ(Read(),
              "; mine\r\n[other]\r\nkey=value\r\n\r\n[preservation]\r\nroute=new\r\nextra = "
              "1\r\n[last]\r\nx=y");
}

TEST_F(PrivateProfileTest, MissingKeyGoesAfterTheSectionsLastEntry) {
    Write("[preservation]\nother=1\n\n[next]\na=b\n");
    ASSERT_TRUE(WriteProfileString("preservation", "route", "/x", file_));
    EXPECT_EQ(Read(), "[preservation]\nother=1\nroute=/x\n\n[next]\na=b\n");
}

TEST_F(PrivateProfileTest, MissingSectionIsAppended) {
    Write("[other]\nkey=value");
    ASSERT_TRUE(WriteProfileString("preservation", "route", "/x", file_));
    EXPECT_EQ(Read(), "[other]\nkey=value\n[preservation]\nroute=/x\n");
}

TEST_F(PrivateProfileTest, LineBreakInAValueCannotInjectLines) {
    ASSERT_TRUE(WriteProfileString("preservation", "route", "/a\n[evil]\nk=v", file_));
    EXPECT_EQ(Read(), "[preservation]\nroute=/a\n");
}

TEST_F(PrivateProfileTest, StoreIntoAMissingFolderFailsAndCreatesNothing) {
    const std::string inMissing = (folder_ / "missing" / "Set.ini").string();
    EXPECT_FALSE(WriteProfileString("preservation", "route", "x", inMissing));
    EXPECT_FALSE(fs::exists(folder_ / "missing"));
}

TEST_F(PrivateProfileTest, FolderInPlaceOfTheFileIsLeftAlone) {
    fs::create_directory(file_);
    EXPECT_FALSE(WriteProfileString("preservation", "route", "x", file_));
    EXPECT_TRUE(fs::is_directory(file_));
    EXPECT_EQ(Route(), "none");
}

TEST_F(PrivateProfileTest, ReplacementIsAtomicAndLeavesNoTemporaryFile) {
    Write("[preservation]\nroute=old\n");
    // A reader holding the old file sees it whole: the new one is renamed over it, never
    // truncated and rewritten in place.
    std::ifstream before(file_, std::ios::binary);
    ASSERT_TRUE(WriteProfileString("preservation", "route", "new", file_));
    const std::string seenBefore{std::istreambuf_iterator<char>(before),
                                 std::istreambuf_iterator<char>()};
    EXPECT_EQ(seenBefore, "[preservation]\nroute=old\n");
    EXPECT_EQ(Read(), "[preservation]\nroute=new\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(PrivateProfileTest, ReplacementKeepsTheFilePermissions) {
    Write("[preservation]\nroute=old\n");
    fs::permissions(file_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteProfileString("preservation", "route", "new", file_));
    EXPECT_EQ(fs::status(file_).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}  // namespace

namespace {

class SettingsFileFaultTest : public PrivateProfileTest {};

TEST_F(SettingsFileFaultTest, StoreThroughALinkReplacesItsTargetAndKeepsTheLink) {
    fs::create_directories(folder_ / "dotfiles");
    const fs::path target = folder_ / "dotfiles" / "Set.ini";
    std::ofstream(target, std::ios::binary) << "[preservation]\nroute=old\n";
    fs::create_symlink("dotfiles/Set.ini", file_);
    ASSERT_TRUE(WriteProfileString("preservation", "route", "new", file_));
    EXPECT_TRUE(fs::is_symlink(file_));
    EXPECT_EQ(fs::read_symlink(file_), "dotfiles/Set.ini");
    EXPECT_EQ(Read(), "[preservation]\nroute=new\n");  // through the link: the target
    EXPECT_EQ(Route(), "new");
    // The scratch file was made beside the target, and nothing else is left in either folder.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "dotfiles"), fs::directory_iterator()),
              1);
}

TEST_F(SettingsFileFaultTest, FileLargerThanAMebibyteIsNeitherReadNorReplaced) {
    std::string big = "[preservation]\nroute=inside\n";
    big.resize(2 * 1024 * 1024, 'x');
    Write(big);
    EXPECT_EQ(Route(), "none");
    EXPECT_FALSE(WriteProfileString("preservation", "route", "new", file_));
    EXPECT_EQ(Read(), big);
}

// Only scratch files of the program's own kind, left by a writer that is gone, are removed:
// a user's Set.ini.backup or Set.ini.orig01 stays, next to the file and next to a link's target.
TEST_F(SettingsFileFaultTest, OnlyLeftoversOfKilledWritersGoAtTheNextStore) {
    fs::create_directories(folder_ / "dotfiles");
    std::ofstream(folder_ / "dotfiles" / "Set.ini") << "[preservation]\nroute=old\n";
    fs::create_symlink("dotfiles/Set.ini", file_);
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(2);
    const auto Place = [&](const fs::path& file, bool aged) {
        std::ofstream(file) << "[preservation]\nroute=half";
        if (aged) fs::last_write_time(file, old);
    };
    // The scratch file is made beside the target, so that is where leftovers are looked for.
    Place(folder_ / "dotfiles" / ".qrbatch-a1B2c3d4e5.part", true);
    Place(folder_ / "dotfiles" / ".qrbatch-4242-7.part", true);
    Place(folder_ / "dotfiles" / ".qrbatch-fresh0.part", false);
    const std::vector<std::string> users = {"Set.ini.a1B2c3", "Set.ini.backup", "Set.ini.orig01",
                                            ".qrbatch-notes.txt"};
    for (const fs::path& place : {folder_, folder_ / "dotfiles"}) {
        for (const auto& name : users) Place(place / name, true);
    }
    ASSERT_TRUE(WriteProfileString("preservation", "route", "new", file_));
    const auto Left = [](const fs::path& place) {
        std::vector<std::string> left;
        for (const auto& entry : fs::directory_iterator(place))
            left.push_back(entry.path().filename().string());
        std::sort(left.begin(), left.end());
        return left;
    };
    EXPECT_EQ(Left(folder_ / "dotfiles"),
              (std::vector<std::string>{".qrbatch-fresh0.part", ".qrbatch-notes.txt", "Set.ini",
                                        "Set.ini.a1B2c3", "Set.ini.backup", "Set.ini.orig01"}));
    EXPECT_EQ(Left(folder_),
              (std::vector<std::string>{".qrbatch-notes.txt", "Set.ini", "Set.ini.a1B2c3",
                                        "Set.ini.backup", "Set.ini.orig01", "dotfiles"}));
}

// A new settings file is plain data: read and written by its user, never run.
TEST_F(SettingsFileFaultTest, NewFileIsNotExecutable) {
    ASSERT_TRUE(WriteProfileString("preservation", "route", "new", file_));
    EXPECT_EQ(fs::status(file_).permissions() & fs::perms::others_exec, fs::perms::none);
    EXPECT_EQ(fs::status(file_).permissions() & (fs::perms::owner_exec | fs::perms::group_exec),
              fs::perms::none);
    const std::string fresh = (folder_ / "fresh.ini").string();
    ASSERT_TRUE(services::WriteNewFile(fresh, nullptr, 0, services::NewFile::Data));
    EXPECT_EQ(fs::status(fresh).permissions() & fs::perms::owner_all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(fresh).permissions() & (fs::perms::group_exec | fs::perms::others_exec),
              fs::perms::none);
}

TEST_F(SettingsFileFaultTest, CarriageReturnOnlyLinesAreReadAndKept) {
    Write("[other]\rkey=1\r[preservation]\rroute=E:\\out\r");
    EXPECT_EQ(Route(), "E:\\out");
    ASSERT_TRUE(WriteProfileString("preservation", "route", "F:\\codes", file_));
    EXPECT_EQ(Read(), "[other]\rkey=1\r[preservation]\rroute=F:\\codes\r");
    ASSERT_TRUE(WriteProfileString("preservation", "extra", "2", file_));
    EXPECT_EQ(Read(), "[other]\rkey=1\r[preservation]\rroute=F:\\codes\rextra=2\r");
}

TEST_F(SettingsFileFaultTest, NewSectionFollowsTheFilesLineEnding) {
    Write("[other]\r\nkey=1\r\n");
    ASSERT_TRUE(WriteProfileString("preservation", "route", "x", file_));
    EXPECT_EQ(Read(), "[other]\r\nkey=1\r\n[preservation]\r\nroute=x\r\n");
}

TEST_F(SettingsFileFaultTest, PipeInPlaceOfTheFileIsUnreadableAndLeftAlone) {
    ASSERT_EQ(::mkfifo(file_.c_str(), 0644), 0);
    alarm(20);  // a read that blocks ends the test instead of hanging it
    EXPECT_EQ(Route(), "none");
    EXPECT_FALSE(WriteProfileString("preservation", "route", "x", file_));
    alarm(0);
    EXPECT_TRUE(fs::is_fifo(file_));
}

}  // namespace
