// GBK and GB18030 text, as spreadsheet programs in China save their lists, turned into UTF-8:
// what QR readers expect of a symbol's bytes and what Linux file names hold.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qrcli {

class Gb18030Decoder {
  public:
    Gb18030Decoder();
    ~Gb18030Decoder();
    Gb18030Decoder(const Gb18030Decoder&) = delete;
    Gb18030Decoder& operator=(const Gb18030Decoder&) = delete;

    // The text in UTF-8, or nothing when the bytes are not GB18030 (GBK is a part of it).
    std::optional<std::string> ToUtf8(std::string_view bytes);

  private:
    void* converter_;  // an iconv_t (none on Windows)
};

}  // namespace qrcli
