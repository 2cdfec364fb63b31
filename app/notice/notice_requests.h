#pragma once

#include <cstddef>

// How the notice step asks: with the agent names the servers have always seen, and reading no
// more than a notice page or a logo can sensibly be.
inline constexpr char kNoticeAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
inline constexpr char kOnlineCheckAgent[] = "test";
inline constexpr std::size_t kMaxResponseBytes = 1024 * 1024;
