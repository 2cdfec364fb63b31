// A file replaced through an unnamed file, where the file system has them, or a scratch file:
// it appears whole with its mode, an older file goes whole, and a writer killed mid-write
// leaves nothing in the folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <vector>

#include "scratch_file.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> Entries(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

int Replace(const fs::path& dir, const std::string& name, const std::vector<uint8_t>& bytes,
            int mode = -1) {
    const int folder = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const std::span<const uint8_t> parts[] = {bytes};
    const int error = qrplat::ReplaceFile(folder, name, parts, {.mode = mode});
    ::close(folder);
    return error;
}

// An NTFS folder (no unnamed files there) when the machine can mount one, else nothing.
class NtfsMount {
  public:
    explicit NtfsMount(const fs::path& where) : where_(where) {
        fs::create_directories(where / "mount");
        const std::string image = (where / "ntfs.img").string();
        std::ofstream(image).close();
        fs::resize_file(image, 8 << 20);
        mounted_ = std::system(("mkntfs -F -q -f " + image + " >/dev/null 2>&1 && ntfs-3g " +
                                image + " " + (where / "mount").string() + " 2>/dev/null")
                                   .c_str()) == 0;
    }
    ~NtfsMount() {
        if (mounted_) std::system(("umount " + (where_ / "mount").string()).c_str());
    }
    bool mounted() const { return mounted_; }
    fs::path folder() const { return where_ / "mount"; }

  private:
    fs::path where_;
    bool mounted_ = false;
};

TEST(ReplaceFile, AppearsWholeWithItsModeAndReplacesAnOlderFileWholeOnEveryFileSystem) {
    qrtest::TempDir dir;
    NtfsMount ntfs(dir / "ntfs");
    std::vector<fs::path> folders = {dir / "local"};
    fs::create_directories(folders[0]);
    if (ntfs.mounted()) folders.push_back(ntfs.folder());
    const std::vector<uint8_t> older(300, 'o'), newer(5000, 'n');
    for (const fs::path& folder : folders) {
        SCOPED_TRACE(folder);
        ASSERT_EQ(Replace(folder, "new.png", newer, 0640), 0);
        EXPECT_EQ(qrtest::ReadFile(folder / "new.png"), newer);
        if (folder == folders[0]) {  // NTFS shows every file as 0777
            EXPECT_EQ(fs::status(folder / "new.png").permissions(),
                      fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
        }
        // The older file keeps its bytes under another link: it was replaced, not written into.
        ASSERT_EQ(Replace(folder, "old.png", older), 0);
        fs::create_hard_link(folder / "old.png", folder / "kept.png");
        ASSERT_EQ(Replace(folder, "old.png", newer), 0);
        EXPECT_EQ(qrtest::ReadFile(folder / "old.png"), newer);
        EXPECT_EQ(qrtest::ReadFile(folder / "kept.png"), older);
        // A folder under the name stays as it is.
        fs::create_directories(folder / "taken.png");
        EXPECT_NE(Replace(folder, "taken.png", newer), 0);
        EXPECT_TRUE(fs::is_directory(folder / "taken.png"));
        EXPECT_EQ(Entries(folder),
                  (std::vector<std::string>{"kept.png", "new.png", "old.png", "taken.png"}));
    }
}

// A file system that flushes at close (user-space, network, or not files at all) keeps the
// check after a failed close; memory and local disks skip it.
TEST(ReplaceFile, CloseIsTrustedOnlyOnMemoryAndLocalDisks) {
    qrtest::TempDir dir;
    NtfsMount ntfs(dir / "ntfs");
    std::vector<std::pair<fs::path, bool>> cases = {{"/dev/shm", true}, {"/proc", false}};
    if (ntfs.mounted()) cases.emplace_back(ntfs.folder(), false);
    for (const auto& [path, trusted] : cases) {
        const int folder = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ASSERT_GE(folder, 0) << path;
        EXPECT_EQ(qrplat::CloseReportsNoWriteErrors(folder), trusted) << path;
        ::close(folder);
    }
}

TEST(ReplaceFile, WriterKilledMidWriteLeavesNothingWhereUnnamedFilesExist) {
    qrtest::TempDir dir;
    const std::vector<uint8_t> bytes(64 * 1024, 'x');
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Past this size the kernel ends the writer with SIGXFSZ in the middle of its write.
        const rlimit size{4096, 4096}, noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        setrlimit(RLIMIT_FSIZE, &size);
        std::signal(SIGXFSZ, SIG_DFL);
        Replace(dir.path(), "out.png", bytes);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    EXPECT_EQ(Entries(dir.path()), std::vector<std::string>{});
}

}  // namespace
