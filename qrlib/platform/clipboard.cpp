#include "clipboard.h"

#if !defined(_WIN32)

namespace qrplat {

namespace {

struct ProcessClipboard {
    bool heldByOther = false;
    std::vector<uint8_t> metafile;
};

ProcessClipboard& Board() {
    static ProcessClipboard board;
    return board;
}

}  // namespace

bool PlaceEnhancedMetafile(const std::vector<uint8_t>& emf) {
    ProcessClipboard& board = Board();
    if (board.heldByOther) return false;
    board.metafile = emf;
    return true;
}

bool HoldClipboard() {
    ProcessClipboard& board = Board();
    if (board.heldByOther) return false;
    board.heldByOther = true;
    return true;
}

void ReleaseClipboard() {
    Board().heldByOther = false;
}

const std::vector<uint8_t>& ClipboardMetafile() {
    return Board().metafile;
}

}  // namespace qrplat

#endif
