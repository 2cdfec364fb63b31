// BMP files per second for the default batch texts with the window's settings (200 x 200,
// mask pattern 4, 0.2 cm modules, rotation 1, black on white), beside a plain loop in the same
// run that deletes, creates and writes 5,662-byte files under the same names: the floor.
// Usage: qr_bmp_throughput [default-texts file]
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "default_texts.h"
#include "qrcodewin32.h"

namespace {

using Clock = std::chrono::steady_clock;

template <typename Write>
double FilesPerSecond(const std::vector<std::string>& paths, Write write) {
    double best = 0;
    for (int round = 0; round < 5; ++round) {
        const auto start = Clock::now();
        for (const std::string& path : paths) write(path);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        best = std::max(best, static_cast<double>(paths.size()) / seconds);
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> texts =
        ReadDefaultTexts(argc > 1 ? argv[1] : "resources/default-texts.txt");
    if (texts.empty()) {
        std::fprintf(stderr, "qr_bmp_throughput: no texts\n");
        return 2;
    }
    char pattern[] = "/tmp/qr-bmp-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) return 2;
    const std::string folder = pattern;
    std::vector<std::string> paths;
    for (const std::string& text : texts) paths.push_back(folder + "/" + text + ".jpg");

    const std::vector<char> bytes(5662, 'x');
    const double floor = FilesPerSecond(paths, [&](const std::string& path) {
        unlink(path.c_str());
        const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        if (fd < 0 || write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
            std::perror(path.c_str());
        }
        if (fd >= 0) close(fd);
    });

    QRSetDefault();
    QRSetSize(200, 200);
    QRConfigure(0, 0, 5);
    QRAppearance(0.2, 1, 0);
    size_t index = 0;
    const double ours = FilesPerSecond(paths, [&](const std::string& path) {
        QRSetMessage(texts[index++ % texts.size()].c_str());
        if (QRSaveAsBMP(path.c_str()) != -1)
            std::fprintf(stderr, "not written: %s\n", path.c_str());
    });
    std::filesystem::remove_all(folder);

    std::printf("%zu default batch texts as 200 x 200 BMP files in %s\n", texts.size(), pattern);
    std::printf("  floor (delete, create, write 5,662 bytes)  %8.0f files/s\n", floor);
    std::printf(
        "  QRSaveAsBMP                                %8.0f files/s   %3.0f%% of the floor"
        " (goal 50%%)\n",
        ours, 100.0 * ours / floor);
    return 0;
}
