// The temporary file an output is written to before it takes its place: whatever already sits
// in the folder under a name like it (a link, a pipe, a file of the user's, another writer's
// file) is never written through, blocked on or destroyed, and no temporary file outlives the
// call.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "qrcodewin32.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using qrtest::ReadFile;

size_t EntriesIn(const fs::path& dir) {
    return static_cast<size_t>(
        std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const fs::path& path) {
    const auto bytes = ReadFile(path);
    return {bytes.begin(), bytes.end()};
}

// Runs `body` in a child process and gives its exit code, or -1 when it has not ended within
// the time limit (it is then killed), so that a call that blocks fails the test instead of
// hanging it.
template <typename Body>
int ExitCodeOfChild(Body body, std::chrono::seconds limit = std::chrono::seconds(10)) {
    const pid_t child = fork();
    if (child < 0) return -2;
    if (child == 0) _exit(body());
    const auto end = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -3;
}

// The file an export gives for the current settings, written alone in a folder of its own.
std::vector<uint8_t> Expected(const qrtest::TempDir& dir, const std::string& name,
                              int16_t (*save)(const char*) = QRSaveAsBMP) {
    fs::create_directories(dir / "expected");
    const fs::path path = dir.path() / "expected" / name;
    EXPECT_EQ(save(path.c_str()), -1);
    return ReadFile(path);
}

TEST(TemporaryFile, LinkAtTheOldTemporaryNameLeavesItsTargetAlone) {
    qrtest::TempDir dir;
    fs::create_directories(dir / "out");
    WriteText(dir / "victim.txt", "not yours");
    fs::create_symlink(dir / "victim.txt", dir / "out" / "x.jpg.part");
    fs::create_symlink(dir / "victim.txt", dir / "out" / "x.wmf.part");
    QRSetDefault();
    const auto expected = Expected(dir, "x.jpg");
    const auto expectedWmf = Expected(dir, "x.wmf", QRSaveAsWMF);
    EXPECT_EQ(QRSaveAsBMP((dir / "out" / "x.jpg").c_str()), -1);
    EXPECT_EQ(QRSaveAsWMF((dir / "out" / "x.wmf").c_str()), -1);
    EXPECT_TRUE(ReadText(dir / "victim.txt") == "not yours") << "the link's target was written";
    EXPECT_FALSE(fs::is_symlink(dir / "out" / "x.jpg"));
    EXPECT_EQ(ReadFile(dir / "out" / "x.jpg"), expected);
    EXPECT_FALSE(fs::is_symlink(dir / "out" / "x.wmf"));
    EXPECT_EQ(ReadFile(dir / "out" / "x.wmf"), expectedWmf);
    EXPECT_TRUE(fs::is_symlink(dir / "out" / "x.jpg.part"));
    EXPECT_EQ(EntriesIn(dir / "out"), 4U);  // the two links and the two outputs
}

TEST(TemporaryFile, PipeAtTheOldTemporaryNameDoesNotBlock) {
    qrtest::TempDir dir;
    const fs::path path = dir / "x.jpg";
    ASSERT_EQ(mkfifo((path.string() + ".part").c_str(), 0666), 0);
    QRSetDefault();
    const auto expected = Expected(dir, "x.jpg");
    EXPECT_EQ(ExitCodeOfChild([&] { return QRSaveAsBMP(path.c_str()) == -1 ? 0 : 1; }), 0);
    EXPECT_EQ(ReadFile(path), expected);
    EXPECT_TRUE(fs::is_fifo(path.string() + ".part"));
}

TEST(TemporaryFile, UsersOwnFileAtTheOldTemporaryNameSurvives) {
    qrtest::TempDir dir;
    const fs::path path = dir / "x.jpg";
    WriteText(path.string() + ".part", "the user's own notes");
    QRSetDefault();
    const auto expected = Expected(dir, "x.jpg");
    EXPECT_EQ(QRSaveAsBMP(path.c_str()), -1);
    EXPECT_EQ(ReadFile(path), expected);
    EXPECT_EQ(ReadText(path.string() + ".part"), "the user's own notes");
    EXPECT_EQ(EntriesIn(dir.path()), 3U);  // the notes, the output and the expected folder
}

// What a killed writer left in a folder goes with the first file written there; a user's file,
// a link and a scratch file another writer still holds locked stay.
TEST(TemporaryFile, LeftoversOfKilledWritersGoAndNothingElse) {
    qrtest::TempDir dir;
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(2);
    const fs::path out = dir / "out";
    fs::create_directories(out);
    for (const char* name : {".qrbatch-Ab3dE5gH9k.part", ".qrbatch-77-3.part", ".qrbatch-held.part",
                             ".qrbatch-notes.txt", "x.jpg.part", ".qrAbCdEfGh"}) {
        WriteText(out / name, "a leftover, or a user's");
        fs::last_write_time(out / name, old);
    }
    WriteText(out / ".qrbatch-fresh.part", "still being written");
    fs::create_symlink("/etc/hostname", out / ".qrbatch-link.part");
    const int held = ::open((out / ".qrbatch-held.part").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);  // as a writer at work holds it
    QRSetDefault();
    EXPECT_EQ(QRSaveAsBMP((out / "x.jpg").c_str()), -1);
    ::close(held);
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(out))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{".qrAbCdEfGh", ".qrbatch-fresh.part",
                                              ".qrbatch-held.part", ".qrbatch-link.part",
                                              ".qrbatch-notes.txt", "x.jpg", "x.jpg.part"}));
}

TEST(TemporaryFile, NameOf255BytesIsWritten) {
    qrtest::TempDir dir;
    const std::string stem(251, 'n');  // with the extension: the longest name a folder holds
    const fs::path bmp = dir / (stem + ".jpg");
    const fs::path wmf = dir / (stem + ".wmf");
    ASSERT_EQ(bmp.filename().string().size(), 255U);
    QRSetDefault();
    const auto expected = Expected(dir, "x.jpg");
    const auto expectedWmf = Expected(dir, "x.wmf", QRSaveAsWMF);
    EXPECT_EQ(QRSaveAsBMP(bmp.c_str()), -1);
    EXPECT_EQ(ReadFile(bmp), expected);
    EXPECT_EQ(QRSaveAsWMF(wmf.c_str()), -1);
    EXPECT_EQ(ReadFile(wmf), expectedWmf);
    EXPECT_EQ(EntriesIn(dir.path()), 3U);
}

TEST(TemporaryFile, ConcurrentWritersEachLeaveAWholeFile) {
    qrtest::TempDir dir;
    fs::create_directories(dir / "out");
    const fs::path path = dir / "out" / "x.jpg";
    struct Writer {
        const char* message;
        int width, height;
    };
    const Writer writers[2] = {{"FIRST WRITER", 200, 200}, {"the second writer, longer", 480, 90}};
    std::vector<uint8_t> expected[2];
    for (int i = 0; i < 2; ++i) {
        QRSetDefault();
        QRSetMessage(writers[i].message);
        QRSetSize(writers[i].width, writers[i].height);
        expected[i] = Expected(dir, "w" + std::to_string(i) + ".bmp");
    }
    ASSERT_NE(expected[0], expected[1]);

    constexpr int kRounds = 300;
    pid_t children[2];
    for (int i = 0; i < 2; ++i) {
        children[i] = fork();
        ASSERT_GE(children[i], 0);
        if (children[i] == 0) {
            QRSetDefault();
            QRSetMessage(writers[i].message);
            QRSetSize(writers[i].width, writers[i].height);
            int failures = 0;
            for (int round = 0; round < kRounds; ++round) {
                if (QRSaveAsBMP(path.c_str()) != -1) ++failures;
            }
            _exit(failures == 0 ? 0 : 1);
        }
    }
    // Meanwhile every file found at the path is one writer's whole file.
    int running = 2;
    int seen = 0;
    int statuses[2] = {-1, -1};
    while (running > 0) {
        std::ifstream in(path, std::ios::binary);
        if (in) {
            const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                             std::istreambuf_iterator<char>()};
            EXPECT_TRUE(bytes == expected[0] || bytes == expected[1]) << bytes.size() << " bytes";
            ++seen;
        }
        for (int i = 0; i < 2; ++i) {
            if (statuses[i] == -1 && waitpid(children[i], &statuses[i], WNOHANG) == children[i]) {
                --running;
            }
        }
    }
    for (int status : statuses) {
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "every write of both writers succeeds";
    }
    EXPECT_GT(seen, 0);
    const auto last = ReadFile(path);
    EXPECT_TRUE(last == expected[0] || last == expected[1]) << last.size() << " bytes";
    EXPECT_EQ(EntriesIn(dir / "out"), 1U) << "no temporary file is left";
}

TEST(TemporaryFile, FailedWriteLeavesNoTemporaryFile) {
    qrtest::TempDir dir;
    fs::create_directories(dir / "out");
    const int code = ExitCodeOfChild([&] {
        // In a child, so that the limit does not reach the rest of the tests.
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 10;
        QRSetDefault();  // a 19,262-byte picture and a metafile of about 5 KB
        if (QRSaveAsBMP((dir / "out" / "x.jpg").c_str()) != 0) return 11;
        if (QRSaveAsWMF((dir / "out" / "x.wmf").c_str()) != 0) return 12;
        return 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(EntriesIn(dir / "out"), 0U);

    // A folder in the file's place: the whole file is written, but cannot be renamed there.
    fs::create_directories(dir / "out" / "y.jpg");
    QRSetDefault();
    EXPECT_EQ(QRSaveAsBMP((dir / "out" / "y.jpg").c_str()), 0);
    EXPECT_EQ(QRSaveAsWMF((dir / "out" / "y.jpg").c_str()), 0);
    EXPECT_TRUE(fs::is_directory(dir / "out" / "y.jpg"));
    EXPECT_EQ(EntriesIn(dir / "out"), 1U);
}

}  // namespace
