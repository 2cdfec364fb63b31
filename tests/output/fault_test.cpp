// Output files when the disk says no: a full file system, a file-size limit, a read-only folder.
// A failed write returns 0 and leaves no file, partial or old, and the next call still works.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "qrcodewin32.h"
#include "support/small_mount.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

size_t EntriesIn(const fs::path& dir) {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(OutputFaults, FullFileSystemLeavesNoPartialFileAndTheNextLineGoesOn) {
    qrtest::TempDir dir;
    SmallMount disk(dir / "disk", "size=12k");
    if (!disk.mounted()) GTEST_SKIP() << "no permission to mount a small file system here";
    QRSetDefault();  // 19,262 bytes: more than the disk holds
    const fs::path big = dir / "disk" / "big.jpg";
    EXPECT_EQ(QRSaveAsBMP(big.c_str()), 0);
    EXPECT_EQ(QRSaveAsWMF((dir / "disk" / "big.wmf").c_str()), -1);  // about 5 KB: fits
    fs::remove(dir / "disk" / "big.wmf");
    EXPECT_EQ(EntriesIn(dir / "disk"), 0U);
    QRSetSize(40, 40);  // the next, smaller picture still fits
    EXPECT_EQ(QRSaveAsBMP((dir / "disk" / "small.jpg").c_str()), -1);
    EXPECT_EQ(fs::file_size(dir / "disk" / "small.jpg"), 62U + 8U * 40U);
}

TEST(OutputFaults, FileSizeLimitFailsTheWriteCleanly) {
    qrtest::TempDir dir;
    const fs::path big = dir / "big.jpg";
    const fs::path small = dir / "small.jpg";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // In a child, so that the limit does not reach the rest of the tests.
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{10000, 10000};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(10);
        QRSetDefault();
        if (QRSaveAsBMP(big.c_str()) != 0) _exit(11);
        if (QRSaveAsWMF((dir / "w.wmf").c_str()) != -1) _exit(12);
        QRSetSize(40, 40);
        if (QRSaveAsBMP(small.c_str()) != -1) _exit(13);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(fs::exists(big));
    EXPECT_EQ(fs::file_size(small), 382U);
    EXPECT_EQ(EntriesIn(dir.path()), 2U);  // small.jpg and w.wmf
}

TEST(OutputFaults, ReadOnlyFolderRefusesTheFile) {
    qrtest::TempDir dir;
    SmallMount readOnly(dir / "ro", "size=64k,ro");
    if (!readOnly.mounted()) {
        fs::create_directories(dir / "ro");
        fs::permissions(dir / "ro", fs::perms::owner_read | fs::perms::owner_exec);
        if (geteuid() == 0) GTEST_SKIP() << "root writes anywhere without a read-only mount";
    }
    QRSetDefault();
    EXPECT_EQ(QRSaveAsBMP((dir / "ro" / "a.jpg").c_str()), 0);
    EXPECT_EQ(QRSaveAsWMF((dir / "ro" / "a.wmf").c_str()), 0);
    EXPECT_EQ(EntriesIn(dir / "ro"), 0U);
    if (!readOnly.mounted()) fs::permissions(dir / "ro", fs::perms::owner_all);
}

}  // namespace
