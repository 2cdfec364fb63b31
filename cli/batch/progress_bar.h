// A one-line progress bar on a terminal; nothing at all when the stream is not one, so logs of
// scripts stay clean. The input is read as it comes, so the bar measures the bytes read of a
// file whose size is known, and otherwise only counts the lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace qrcli {

class ProgressBar {
  public:
    ProgressBar(FILE* stream, bool enabled) : stream_(stream), enabled_(enabled) {}
    // whole 0: unknown. Redraws only when the picture changes.
    void Show(size_t lines, uint64_t part, uint64_t whole);
    // Removes the bar so that a message can take the line; the next Show draws it again.
    void Clear();

  private:
    FILE* stream_;
    bool enabled_;
    bool shown_ = false;
    int lastFilled_ = -1;
    int lastPercent_ = -1;
    size_t lastLines_ = 0;
};

}  // namespace qrcli
