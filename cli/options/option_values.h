// The values of the options, each read strictly: the whole text or nothing. A value that is
// refused is reported with the form its option expects (ExpectedForm).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "options/batch_options.h"

namespace qrcli {

inline constexpr int kMaxImageSide = 16384;  // keeps one image of any format within a few 100 MB

bool ParseWholeNumber(std::string_view text, int low, int high, int& out);
bool ParseSize(std::string_view text, int& width, int& height);  // WxH
bool ParseCentimetres(std::string_view text, double& out);       // (0, 100]
bool ParseLevel(std::string_view text, int& ecLevel);            // L, M, Q, H, either case
bool ParseMask(std::string_view text, int& maskSetting);         // auto or a pattern 0..7
bool ParseFormat(std::string_view text, ImageFormat& out);       // either case
// #RRGGBB, #RRGGBBAA (the # may be left out) or transparent, kept as 0xTTBBGGRR.
bool ParseColour(std::string_view text, uint32_t& out);
// Clockwise degrees 0, 90, 180, 270, kept as the library's quarter-turn code.
bool ParseDegrees(std::string_view text, int& rotation);
// A QR Code version 0..40, or a Micro QR version M1..M4 (either case), which sets micro.
bool ParseSymbolVersion(std::string_view text, int& version, bool& micro);
bool ParseEci(std::string_view text, int& eci);  // utf8 (or utf-8): assignment 26
// 2..16 linked symbols for every text, or auto: as many as a long text needs.
bool ParseSplit(std::string_view text, int& parts, bool& whenLong);
bool ParseNaming(std::string_view text, Naming& out);
bool ParseInputFormat(std::string_view text, InputFormat& out);
bool ParseArchive(std::string_view text, ArchiveFormat& out);  // zip or tar, either case
// K/N with N from 1 to kMaxShards and K from 0 to N-1.
inline constexpr int kMaxShards = 1000000;
bool ParseShard(std::string_view text, size_t& index, size_t& count);
bool ParsePayload(std::string_view text, Payload& out);  // wifi, vcard, mecard, text
// utf-8 (also utf8), or gbk, gb18030, gb2312, cp936, all read as GB18030; either case.
bool ParseInputEncoding(std::string_view text, bool& fromGb18030);
// A column: a name (not empty) or a number from 1; "0" is neither.
bool ParseColumnWord(std::string_view text);
// Exactly one number conversion (%d, with an optional 0 flag and width), %% for a percent
// sign, and nothing that leaves the folder.
bool ParseNameFormat(std::string_view text);

}  // namespace qrcli
