#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include "input/file_naming.h"
#include "input/input_lines.h"
#include "input/name_registry.h"
#include "input/safe_names.h"
#include "options/option_values.h"

namespace {

using Lines = std::vector<std::string>;

// The bytes as a file the reader reads from its start.
int MemoryFile(const std::string& bytes) {
    const int fd = memfd_create("input", MFD_CLOEXEC);
    EXPECT_EQ(write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    lseek(fd, 0, SEEK_SET);
    return fd;
}

Lines ReadLines(const std::string& bytes, bool dropMark = true) {
    const int fd = MemoryFile(bytes);
    qrcli::LineReader reader(fd, dropMark);
    Lines lines;
    qrcli::InputLine line;
    while (reader.Next(line)) {
        EXPECT_TRUE(line.Whole());
        lines.push_back(line.bytes);
    }
    EXPECT_FALSE(reader.error());
    close(fd);
    return lines;
}

TEST(LineReader, CrLfAndBareLfEndALine) {
    EXPECT_EQ(ReadLines("a\r\nb\nc"), (Lines{"a", "b", "c"}));
    EXPECT_EQ(ReadLines("a\r\n\r\nb"), (Lines{"a", "", "b"}));
    EXPECT_EQ(ReadLines("\n"), (Lines{""}));
    EXPECT_EQ(ReadLines("a\r\nb\r\n"), (Lines{"a", "b"}));
    EXPECT_EQ(ReadLines(""), Lines{});
}

TEST(LineReader, BytesPassThroughUnchanged) {
    // A lone CR, GBK bytes and a NUL stay part of the text.
    const std::string gbk = "\xb2\xe2\xca\xd4";
    EXPECT_EQ(ReadLines("x\ry\n" + gbk + "\n" + std::string("a\0b", 3) + "\n\r"),
              (Lines{"x\ry", gbk, std::string("a\0b", 3), "\r"}));
}

TEST(LineReader, LinesAcrossBufferBoundaries) {
    // The reader's buffer is 64 KiB: endings and CR LF pairs fall on its edges.
    Lines expected;
    std::string bytes;
    for (int i = 0; bytes.size() < 300000; ++i) {
        expected.push_back(std::string(static_cast<size_t>(i % 997), 'a' + i % 26));
        bytes += expected.back() + (i % 3 ? "\r\n" : "\n");
    }
    EXPECT_EQ(ReadLines(bytes), expected);
}

TEST(LineReader, AByteOrderMarkIsDroppedAtTheStartOnly) {
    const std::string mark = "\xEF\xBB\xBF";
    EXPECT_EQ(ReadLines(mark + "a\n" + mark + "b\n"), (Lines{"a", mark + "b"}));
    EXPECT_EQ(ReadLines(mark + "a\n", false), (Lines{mark + "a"}));
    EXPECT_EQ(ReadLines(mark), Lines{});
    EXPECT_EQ(ReadLines("\xEF\xBB"), (Lines{"\xEF\xBB"}));  // half a mark is text
}

TEST(LineReader, AMarkArrivingInPiecesFromAPipe) {
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    std::thread writer([&] {
        for (const char* piece : {"\xEF", "\xBB",
                                  "\xBF"
                                  "text\n"}) {
            EXPECT_GT(write(pipeEnds[1], piece, std::strlen(piece)), 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        close(pipeEnds[1]);
    });
    qrcli::LineReader reader(pipeEnds[0], true);
    qrcli::InputLine line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line.bytes, "text");
    EXPECT_FALSE(reader.Next(line));
    writer.join();
    close(pipeEnds[0]);
}

TEST(LineReader, ALongLineKeepsItsStartAndItsLength) {
    const std::string bytes = std::string(100, 'x') + "\r\n" + std::string(17, 'y') + "\r" +
                              "\r\nshort\n" + std::string(40, 'z');
    const int fd = MemoryFile(bytes);
    qrcli::LineReader reader(fd, true, 16);
    qrcli::InputLine line;
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line.bytes, std::string(16, 'x'));
    EXPECT_EQ(line.length, 100U);
    ASSERT_TRUE(reader.Next(line));  // the CR of CR LF is beyond what is held
    EXPECT_EQ(line.bytes, std::string(16, 'y'));
    EXPECT_EQ(line.length, 18U);
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line.bytes, "short");
    EXPECT_TRUE(line.Whole());
    EXPECT_EQ(reader.bytesTaken(), 102U + 20U + 6U);  // the progress so far, endings included
    ASSERT_TRUE(reader.Next(line));
    EXPECT_EQ(line.length, 40U);
    EXPECT_FALSE(reader.Next(line));
    close(fd);
}

TEST(LineReader, AFailedReadIsAnErrorNotAnEnd) {
    const int fd = open("/", O_RDONLY | O_DIRECTORY);
    qrcli::LineReader reader(fd, true);
    qrcli::InputLine line;
    EXPECT_FALSE(reader.Next(line));
    EXPECT_EQ(reader.error(), "Is a directory");
    close(fd);
    std::string error;
    EXPECT_EQ(qrcli::OpenInput("/", error), -1);
    EXPECT_EQ(error, "Is a directory");
}

qrcli::BatchOptions Naming(qrcli::Naming naming) {
    qrcli::BatchOptions options;
    options.naming = naming;
    return options;
}

std::string NameOf(const std::string& base, const qrcli::BatchOptions& options, size_t number = 1) {
    std::string reason;
    return qrcli::FileNameFor(base, number, options, reason).value_or("(none: " + reason + ")");
}

TEST(FileNameFor, TheLineAsItIsPlusTheExtension) {
    const auto options = Naming(qrcli::Naming::kLine);
    EXPECT_EQ(NameOf("测试数据", options), "测试数据.png");
    EXPECT_EQ(NameOf("a b\\c?", options), "a b\\c?.png");
    EXPECT_EQ(NameOf("...", options), "....png");
    EXPECT_EQ(NameOf(std::string(251, 'n'), options), std::string(251, 'n') + ".png");
}

TEST(FileNameFor, LinesThatCannotNameAFileAreRefusedBeforeDrawing) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "an empty line cannot be a file name"},
        {".", "\".\" cannot be a file name"},
        {"..", "\"..\" cannot be a file name"},
        {"../escape", "cannot be a file name: it contains \"/\" (--name safe turns it into _)"},
        {std::string("a\0b", 3),
         "cannot be a file name: it contains a NUL byte (--name safe turns it into _)"},
        {std::string(7000, '7'),
         "cannot be a file name: 7004 bytes with the extension, more than the 255 a name can "
         "hold (--name safe shortens it)"},
    };
    for (const auto& [line, expected] : cases) {
        EXPECT_EQ(NameOf(line, Naming(qrcli::Naming::kLine)), "(none: " + expected + ")");
    }
    auto window = Naming(qrcli::Naming::kLine);
    window.appNames = true;  // the window's names have no other naming to point to
    EXPECT_EQ(NameOf("sub/x", window), "(none: cannot be a file name: it contains \"/\")");
}

TEST(FileNameFor, SafeNamesStandOnLinuxAndWindows) {
    const auto options = Naming(qrcli::Naming::kSafe);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"https://example.com/a?b=1&c=\"2\"", "https___example.com_a_b=1&c=_2_.png"},
        {"a<b>c:d|e*f\\g", "a_b_c_d_e_f_g.png"},
        {"tab\there\x7f", "tab_here\x7f.png"},
        {"测试 ok", "测试 ok.png"},
        {"gbk \xb2\xe2", "gbk __.png"},                   // not UTF-8
        {"\xed\xa0\x80 surrogate", "___ surrogate.png"},  // no UTF-16 name holds it
        {"ends with dots..", "ends with dots__.png"},
        {"ends with space ", "ends with space_.png"},
        {".", "_.png"},
        {"CON", "CON_.png"},
        {"lpt1.txt", "lpt1_.txt.png"},
        {"COM10", "COM10.png"},
    };
    for (const auto& [line, expected] : cases) EXPECT_EQ(NameOf(line, options), expected) << line;
    EXPECT_EQ(NameOf("", options), "(none: an empty line cannot be a file name)");
}

TEST(FileNameFor, SafeNamesAreShortenedAtACharacterBoundary) {
    const auto options = Naming(qrcli::Naming::kSafe);
    const std::string name = NameOf("x" + std::string(300, '\xe6') + "y", options);  // not UTF-8
    EXPECT_EQ(name.size(), 255U);
    const std::string chinese = NameOf(
        std::string(50, 'a') +
            [] {
                std::string many;
                for (int i = 0; i < 100; ++i) many += "测";
                return many;
            }(),
        options);
    // 50 + 3 x 67 = 251 bytes fit before ".png"; a 68th character would not.
    EXPECT_EQ(chinese.size(), 255U);
    EXPECT_EQ(chinese.substr(chinese.size() - 7), "测.png");
    EXPECT_EQ(qrcli::SafeFileName("abc.", 4), "abc_");
    EXPECT_EQ(qrcli::SafeFileName("NUL", 3), "NU_");
}

TEST(FileNameFor, NumberedNames) {
    auto options = Naming(qrcli::Naming::kIndex);
    EXPECT_EQ(NameOf("any/thing", options, 7), "00007.png");
    options.nameFormat = "code-%d";
    EXPECT_EQ(NameOf("", options, 123456), "code-123456.png");
    EXPECT_EQ(qrcli::NumberedName("%%%3d%%", 5), "%  5%");
    EXPECT_EQ(qrcli::NumberedName("q%02d", 123), "q123");
    EXPECT_TRUE(qrcli::ParseNameFormat("code-%05d"));
    EXPECT_FALSE(qrcli::ParseNameFormat("code"));
}

TEST(NameRegistry, TellsTheFirstOwnerAndWhetherItsTextWasTheSame) {
    qrcli::NameRegistry registry;
    bool same = true;
    EXPECT_EQ(registry.Claim("a_b.png", "a/b", 1, same), 0U);
    for (size_t line = 2; line < 100000; ++line) {  // grows past several sizes
        ASSERT_EQ(registry.Claim(std::to_string(line) + ".png", "t", line, same), 0U);
    }
    EXPECT_EQ(registry.Claim("a_b.png", "a:b", 100000, same), 1U);
    EXPECT_FALSE(same);
    EXPECT_EQ(registry.Claim("a_b.png", "a/b", 100001, same), 1U);
    EXPECT_TRUE(same);
    EXPECT_EQ(registry.Claim("77777.png", "u", 100002, same), 77777U);
    // Most of the table has been out in its scratch file by now: every name comes back.
    for (size_t line = 2; line < 100000; ++line) {
        ASSERT_EQ(registry.Claim(std::to_string(line) + ".png", "t", 200000 + line, same), line);
        ASSERT_TRUE(same) << line;
    }
}

// Texts alike in the hash that filters them, and names alike in the hash that places them:
// the bytes still tell them apart, so no line is taken for another and written over it.
TEST(NameRegistry, HashesAlikeAreToldApartByTheBytes) {
    const auto Alike = [](auto hash) {
        std::unordered_map<uint64_t, std::string> seen;
        for (int i = 0;; ++i) {
            std::string text = "text-" + std::to_string(i);
            const auto [found, fresh] = seen.emplace(hash(text), text);
            if (!fresh) return std::pair{found->second, text};
        }
    };
    const auto [text1, text2] = Alike(qrcli::NameRegistry::TextHash);
    qrcli::NameRegistry registry;
    bool same = true;
    EXPECT_EQ(registry.Claim("n.png", text1, 1, same), 0U);
    EXPECT_EQ(registry.Claim("n.png", text2, 2, same), 1U);
    EXPECT_FALSE(same) << text1 << " and " << text2;
    EXPECT_EQ(registry.Claim("n.png", text1, 3, same), 1U);
    EXPECT_TRUE(same);

    // Past the buffer, so the first texts are read back from the scratch file.
    for (size_t line = 4; line < 60000; ++line) {
        registry.Claim(std::to_string(line) + std::string(40, 'x'), "t", line, same);
    }
    EXPECT_EQ(registry.Claim("n.png", text2, 60000, same), 1U);
    EXPECT_FALSE(same);
}

}  // namespace
