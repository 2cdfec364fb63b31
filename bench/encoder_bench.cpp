// Encoding and output speed: the batch run encodes one symbol per line, the automatic mask
// scores eight candidates, and the BMP file is the window's output.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "encode_symbol.h"
#include "mask_score.h"
#include "qrcodewin32.h"

namespace {

std::string TextForVersion(int version) {
    // Bytes at level L roughly filling the version.
    static const int kBytes[] = {0, 17, 0,    0, 0, 0, 0,   0, 0, 0, 271, 0, 0,   0,
                                 0, 0,  0,    0, 0, 0, 858, 0, 0, 0, 0,   0, 0,   0,
                                 0, 0,  1732, 0, 0, 0, 0,   0, 0, 0, 0,   0, 2953};
    return std::string(static_cast<size_t>(kBytes[version]), 'q');
}

void EncodeAutomaticMask(benchmark::State& state) {
    const std::string text = TextForVersion(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto symbol = qr::EncodeSymbol({reinterpret_cast<const uint8_t*>(text.data()), text.size()},
                                       {0, 0, 0});
        benchmark::DoNotOptimize(symbol);
    }
}
BENCHMARK(EncodeAutomaticMask)->Arg(1)->Arg(10)->Arg(20)->Arg(30)->Arg(40);

void EncodeFixedMask(benchmark::State& state) {
    const std::string text = TextForVersion(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        auto symbol = qr::EncodeSymbol({reinterpret_cast<const uint8_t*>(text.data()), text.size()},
                                       {0, 0, 5});
        benchmark::DoNotOptimize(symbol);
    }
}
BENCHMARK(EncodeFixedMask)->Arg(1)->Arg(40);

// The batch's usual lines: short serials, version 1 at level L with the automatic mask.
void EncodeSerials(benchmark::State& state) {
    std::vector<std::string> serials;
    for (int i = 0; i < 4096; ++i) serials.push_back("SN" + std::to_string(10000000 + i * 7919));
    size_t next = 0;
    for (auto _ : state) {
        const std::string& text = serials[next++ % serials.size()];
        auto symbol = qr::EncodeSymbol({reinterpret_cast<const uint8_t*>(text.data()), text.size()},
                                       {0, 0, 0});
        benchmark::DoNotOptimize(symbol);
    }
}
BENCHMARK(EncodeSerials);

void ScoreVersion40(benchmark::State& state) {
    const std::string text = TextForVersion(40);
    const auto symbol =
        qr::EncodeSymbol({reinterpret_cast<const uint8_t*>(text.data()), text.size()}, {0, 0, 1});
    for (auto _ : state) benchmark::DoNotOptimize(qr::ScoreMask(symbol->matrix));
}
BENCHMARK(ScoreVersion40);

// One line of the window's batch run: 200 x 200, 0.2 cm modules, mask 4, a BMP file.
void SaveBatchLineBmp(benchmark::State& state) {
    QRSetDefault();
    QRSetSize(200, 200);
    QRConfigure(0, 0, 5);
    QRAppearance(0.2, 1, 0);
    QRSetMessage("https://example.com/item/000123");
    const std::string path = "/tmp/qr_bench_line.jpg";
    for (auto _ : state) benchmark::DoNotOptimize(QRSaveAsBMP(path.c_str()));
    std::remove(path.c_str());
}
BENCHMARK(SaveBatchLineBmp);

}  // namespace

BENCHMARK_MAIN();
