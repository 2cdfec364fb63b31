// Texts per second through the library's exports (QRSetMessage, then QRGetActualRC, which
// encodes the text), beside libqrencode's QRcode_encodeString on the same texts in the same run.
// Usage: qr_export_throughput [default-texts file]
#include <qrencode.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "default_texts.h"
#include "qrcodewin32.h"

namespace {

using Clock = std::chrono::steady_clock;

// Best of several rounds, each at least a fifth of a second: texts per second.
template <typename Encode>
double Rate(const std::vector<std::string>& texts, Encode encode) {
    double best = 0;
    for (int round = 0; round < 5; ++round) {
        size_t done = 0;
        const auto start = Clock::now();
        double seconds = 0;
        do {
            for (const std::string& text : texts) encode(text);
            done += texts.size();
            seconds = std::chrono::duration<double>(Clock::now() - start).count();
        } while (seconds < 0.2);
        best = std::max(best, static_cast<double>(done) / seconds);
    }
    return best;
}

double OurRate(const std::vector<std::string>& texts, int16_t version, int16_t maskSetting) {
    QRSetDefault();
    QRConfigure(version, 0, maskSetting);
    return Rate(texts, [](const std::string& text) {
        int16_t rows = 0;
        int16_t columns = 0;
        QRSetMessage(text.c_str());
        QRGetActualRC(&rows, &columns);
        if (rows == 0) std::fprintf(stderr, "not encoded: %s\n", text.c_str());
    });
}

double ReferenceRate(const std::vector<std::string>& texts, int version) {
    return Rate(texts, [version](const std::string& text) {
        QRcode* code = QRcode_encodeString(text.c_str(), version, QR_ECLEVEL_L, QR_MODE_8, 1);
        if (code == nullptr) std::fprintf(stderr, "reference failed: %s\n", text.c_str());
        QRcode_free(code);
    });
}

void Report(const char* what, const std::vector<std::string>& texts, int16_t version) {
    const double reference = ReferenceRate(texts, version);
    const double automatic = OurRate(texts, version, 0);
    const double fixed = OurRate(texts, version, 5);
    std::printf("%s\n", what);
    std::printf("  libqrencode, automatic mask   %10.0f texts/s\n", reference);
    std::printf("  exports, automatic mask       %10.0f texts/s   %5.2fx libqrencode (goal 1.0x)\n",
                automatic, automatic / reference);
    std::printf("  exports, mask pattern 4       %10.0f texts/s   %5.2fx libqrencode (goal 12x)\n",
                fixed, fixed / reference);
}

}  // namespace

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "resources/default-texts.txt";
    const std::vector<std::string> defaults = ReadDefaultTexts(path);
    if (defaults.empty()) {
        std::fprintf(stderr, "qr_export_throughput: no texts in %s\n", path);
        return 2;
    }
    std::string big(2900, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>('a' + i % 26);
    char title[96];
    std::snprintf(title, sizeof title, "%zu default batch texts, level L, automatic version",
                  defaults.size());
    Report(title, defaults, 0);
    Report("one 2,900-byte text, version 40, level L", {big}, 40);
    return 0;
}
