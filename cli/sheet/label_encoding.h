// The sheet's lines with their symbols, encoded on several threads while the pages are drawn,
// handed out in the input's order. A thread of its own reads the input, so a line is encoded
// as soon as it arrives, however slowly the input comes.
#pragma once

#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "encode_symbol.h"
#include "sheet_run.h"

namespace qrsheet {

struct EncodedLabel {
    SheetLine line;
    std::optional<qr::EncodedSymbol> symbol;  // none when the line failed or does not fit
};

class EncodedLabels {
  public:
    EncodedLabels(SheetInput& input, const qr::SymbolParams& params, int jobs);
    ~EncodedLabels();  // waits for the threads
    EncodedLabels(const EncodedLabels&) = delete;
    EncodedLabels& operator=(const EncodedLabels&) = delete;

    // The next line and its symbol; false at the end of the input. An exception thrown while
    // reading or encoding (memory) comes out here.
    bool Next(EncodedLabel& label);

  private:
    struct Slot {
        EncodedLabel label;
        size_t textBytes = 0;
        bool done = false;
        std::exception_ptr error;
    };
    void Read();
    void Work();
    bool RoomForMore() const;

    SheetInput& input_;
    qr::SymbolParams params_;
    size_t window_;  // lines read and not yet handed out, at most

    std::mutex mutex_;
    std::condition_variable workReady_;          // for the workers: lines to encode, or the end
    std::condition_variable frontReady_;         // for Next: the first line done, or the end
    std::condition_variable roomReady_;          // for the reader: room in the window, or stopping
    std::deque<std::shared_ptr<Slot>> inOrder_;  // read, not yet handed out
    std::deque<std::shared_ptr<Slot>> toEncode_;
    size_t textBytes_ = 0;  // of the lines in inOrder_
    bool inputEnded_ = false;
    std::exception_ptr readError_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace qrsheet
