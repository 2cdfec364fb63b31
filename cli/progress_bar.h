// A one-line progress bar on a terminal; nothing at all when the stream is not one, so logs of
// scripts stay clean.
#pragma once

#include <cstddef>
#include <cstdio>

namespace qrcli {

class ProgressBar {
  public:
    ProgressBar(FILE* stream, bool enabled) : stream_(stream), enabled_(enabled) {}
    // Redraws only when the picture changes.
    void Show(size_t done, size_t total);
    // Removes the bar so that a message can take the line; the next Show draws it again.
    void Clear();

  private:
    FILE* stream_;
    bool enabled_;
    bool shown_ = false;
    int lastFilled_ = -1;
    int lastPercent_ = -1;
};

}  // namespace qrcli
