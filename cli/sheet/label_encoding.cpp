#include "label_encoding.h"

#include <algorithm>
#include <span>

namespace qrsheet {

namespace {

// Lines in flight for each thread, and text in flight at most: long texts make large symbols.
constexpr size_t kLinesPerJob = 64;
// Lines a worker takes at a time: fewer hand-offs, each waking a thread.
constexpr size_t kLinesPerTake = 8;
constexpr size_t kTextBytesInFlight = 256 * 1024;

}  // namespace

EncodedLabels::EncodedLabels(SheetInput& input, const qr::SymbolParams& params, int jobs)
    : input_(input),
      params_(params),
      window_(kLinesPerJob * static_cast<size_t>(std::max(jobs, 1))) {
    threads_.emplace_back([this] { Read(); });
    for (int k = 0; k < std::max(jobs, 1); ++k) threads_.emplace_back([this] { Work(); });
}

EncodedLabels::~EncodedLabels() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    workReady_.notify_all();
    roomReady_.notify_all();
    for (auto& thread : threads_) thread.join();
}

bool EncodedLabels::RoomForMore() const {
    return inOrder_.size() < window_ && textBytes_ < kTextBytesInFlight;
}

void EncodedLabels::Read() {
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            roomReady_.wait(lock, [&] { return stopping_ || RoomForMore(); });
            if (stopping_) return;
        }
        auto slot = std::make_shared<Slot>();
        bool more = false;
        try {
            more = input_.Next(slot->label.line);
        } catch (...) {
            std::lock_guard lock(mutex_);
            readError_ = std::current_exception();
        }
        std::lock_guard lock(mutex_);
        if (!more) {
            inputEnded_ = true;
            workReady_.notify_all();
            frontReady_.notify_one();
            return;
        }
        slot->textBytes = slot->label.line.text.size();
        textBytes_ += slot->textBytes;
        inOrder_.push_back(slot);
        if (slot->label.line.failure.empty()) {
            toEncode_.push_back(std::move(slot));
            workReady_.notify_one();  // costs nothing while every worker is busy
        } else {
            slot->done = true;
            if (inOrder_.size() == 1) frontReady_.notify_one();
        }
    }
}

void EncodedLabels::Work() {
    std::vector<std::shared_ptr<Slot>> taken;
    std::unique_lock lock(mutex_);
    for (;;) {
        workReady_.wait(lock, [&] { return stopping_ || !toEncode_.empty() || inputEnded_; });
        if (stopping_ || toEncode_.empty()) return;
        taken.clear();
        while (!toEncode_.empty() && taken.size() < kLinesPerTake) {
            taken.push_back(std::move(toEncode_.front()));
            toEncode_.pop_front();
        }
        lock.unlock();
        for (const auto& slot : taken) {
            const std::string& text = slot->label.line.text;
            try {
                slot->label.symbol = qr::EncodeSymbol(
                    {reinterpret_cast<const uint8_t*>(text.data()), text.size()}, params_);
            } catch (...) {
                slot->error = std::current_exception();
            }
        }
        lock.lock();
        bool front = false;
        for (const auto& slot : taken) {
            slot->done = true;
            front = front || slot == inOrder_.front();
        }
        if (front) frontReady_.notify_one();
    }
}

bool EncodedLabels::Next(EncodedLabel& label) {
    std::unique_lock lock(mutex_);
    frontReady_.wait(lock, [&] {
        return (!inOrder_.empty() && inOrder_.front()->done) || (inOrder_.empty() && inputEnded_);
    });
    if (inOrder_.empty()) {
        if (readError_) std::rethrow_exception(readError_);
        return false;
    }
    const std::shared_ptr<Slot> slot = std::move(inOrder_.front());
    inOrder_.pop_front();
    textBytes_ -= slot->textBytes;
    roomReady_.notify_one();
    if (slot->error) std::rethrow_exception(slot->error);
    label = std::move(slot->label);
    return true;
}

}  // namespace qrsheet
