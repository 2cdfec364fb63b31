#include "input/paged_table.h"

#include <cerrno>
#include <stdexcept>

#include <unistd.h>

#include "common/temporary_file.h"

namespace qrcli {

PageFile::PageFile(size_t pages, size_t framesInMemory)
    : frameOf_(pages, -1), inFile_(pages, false), framesInMemory_(framesInMemory) {
    // A table that fits needs no file.
    noFile_ = pages <= framesInMemory;
}

PageFile::~PageFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool PageFile::WriteOut(const Frame& frame, const uint8_t* bytes) {
    if (fd_ < 0) {
        fd_ = qrcommon::OpenTemporaryFile();
        if (fd_ < 0) return false;
    }
    size_t done = 0;
    while (done < kPageBytes) {
        const long long n = qrcommon::WriteAt(fd_, bytes + done, kPageBytes - done,
                                              uint64_t{frame.page} * kPageBytes + done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

size_t PageFile::FreeFrame() {
    if (noFile_ || frames_.size() < framesInMemory_) {
        frames_.emplace_back();
        bytes_.emplace_back(kPageBytes);
        return frames_.size() - 1;
    }
    for (;;) {
        hand_ = (hand_ + 1) % frames_.size();
        Frame& frame = frames_[hand_];
        if (frame.used) {
            frame.used = false;
            continue;
        }
        if (frame.changed) {
            if (!WriteOut(frame, bytes_[hand_].data())) {
                // The temporary folder takes no more: what is in memory stays there.
                noFile_ = true;
                return FreeFrame();
            }
            inFile_[frame.page] = true;
        }
        frameOf_[frame.page] = -1;
        frame = Frame{};
        return hand_;
    }
}

void PageFile::Shrink(size_t framesInMemory) {
    framesInMemory_ = framesInMemory;
    noFile_ = false;
    std::vector<Frame> kept;
    std::vector<std::vector<uint8_t>> keptBytes;
    for (size_t at = 0; at < frames_.size(); ++at) {
        Frame& frame = frames_[at];
        if (frame.changed && !noFile_ && !WriteOut(frame, bytes_[at].data())) noFile_ = true;
        if (frame.changed && noFile_) {
            frameOf_[frame.page] = static_cast<int32_t>(kept.size());
            kept.push_back(frame);
            keptBytes.push_back(std::move(bytes_[at]));
            continue;
        }
        if (frame.changed) inFile_[frame.page] = true;
        frameOf_[frame.page] = -1;
    }
    frames_ = std::move(kept);
    bytes_ = std::move(keptBytes);
    hand_ = 0;
}

uint8_t* PageFile::Page(size_t page, bool willChange) {
    int32_t at = frameOf_[page];
    if (at < 0) {
        at = static_cast<int32_t>(FreeFrame());
        uint8_t* bytes = bytes_[static_cast<size_t>(at)].data();
        size_t done = 0;
        while (inFile_[page] && done < kPageBytes) {
            const long long n = qrcommon::ReadAt(fd_, bytes + done, kPageBytes - done,
                                                 uint64_t{page} * kPageBytes + done);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) throw std::runtime_error("the name table's temporary file cannot be read");
            done += static_cast<size_t>(n);
        }
        if (!inFile_[page]) std::fill(bytes, bytes + kPageBytes, uint8_t{0});
        frames_[static_cast<size_t>(at)].page = page;
        frameOf_[page] = at;
    }
    Frame& frame = frames_[static_cast<size_t>(at)];
    frame.used = true;
    frame.changed = frame.changed || willChange;
    return bytes_[static_cast<size_t>(at)].data();
}

}  // namespace qrcli
