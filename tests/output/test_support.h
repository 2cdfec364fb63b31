// Helpers shared by the library's output tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "qrcodewin32.h"
#include "qrdevice.h"

namespace qrtest {

inline std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline uint32_t Le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

inline uint16_t Le16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}

// A fresh folder per test, removed afterwards.
class TempDir {
  public:
    TempDir() {
        path_ = std::filesystem::temp_directory_path() /
                ("qrout-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// The symbol of the current settings as "1"/"0" text, rows of the rotation-0 picture.
inline std::string Pattern() {
    uint32_t size = 0;
    int16_t rows = 0;
    int16_t columns = 0;
    QRGetPatternData(nullptr, &size, &rows, &columns);
    std::string data(size, '\0');
    QRGetPatternData(data.data(), &size, &rows, &columns);
    return data;
}

// A memory device context that deletes itself.
class MemoryDC {
  public:
    MemoryDC(int w, int h, int dpiX = 96, int dpiY = 96)
        : dc_(QRCreateMemoryDC(w, h, dpiX, dpiY)) {}
    ~MemoryDC() { QRDeleteDC(dc_); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC get() const { return dc_; }
    uint32_t Pixel(int x, int y) const { return QRGetDCPixel(dc_, x, y); }

  private:
    HDC dc_;
};

}  // namespace qrtest
