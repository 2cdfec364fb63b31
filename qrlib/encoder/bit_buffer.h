// A growing run of bits, most significant bit first, packed into whole bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace qr {

class BitBuffer {
  public:
    BitBuffer() = default;
    explicit BitBuffer(size_t capacityBytes) { bytes_.reserve(capacityBytes); }
    void Reserve(size_t capacityBytes) { bytes_.reserve(capacityBytes); }

    void Append(uint32_t value, int width) {
        for (int bit = width - 1; bit >= 0; --bit) {
            if (length_ % 8 == 0) bytes_.push_back(0);
            if ((value >> bit) & 1U) bytes_.back() |= static_cast<uint8_t>(0x80U >> (length_ % 8));
            ++length_;
        }
    }

    size_t length() const { return length_; }
    const std::vector<uint8_t>& bytes() const { return bytes_; }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

  private:
    std::vector<uint8_t> bytes_;
    size_t length_ = 0;
};

}  // namespace qr
