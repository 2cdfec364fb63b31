#include "batch/batch_run.h"

#include <algorithm>
#include <iterator>

#include "common/file_calls.h"
#include "images/line_symbols.h"

namespace qrcli {

namespace {

constexpr size_t kLinesPerJob = 64;  // in flight: enough to keep every worker busy
// A worker takes this many lines at a time: a wake-up and a turn of the lock cost more than
// a line's drawing, and a worker still busy with its lines takes the next ones unasked.
constexpr size_t kLinesPerTake = 16;
// An archive's entries all leave from one thread: the images made ahead of it, at most.
constexpr size_t kHeldImageBytes = 16 << 20;

// Windows' file systems take names alike but for case for one file, so there names made from
// different texts can meet whatever the naming.
#if defined(_WIN32)
constexpr bool kNamesMeetAcrossCase = true;
#else
constexpr bool kNamesMeetAcrossCase = false;
#endif

}  // namespace

struct BatchRun::Slot {
    LineJob job;
    LineOutcome outcome;
    std::optional<MadeImage> image;  // made, for the reporting thread to write
    std::shared_ptr<Slot> sameAs;    // an equal line before this one, whose outcome it takes
    size_t nameOwner = 0;            // the first line given the file name
    bool done = false;               // nothing left for a worker
};

BatchRun::BatchRun(const BatchOptions& options, OutputTarget& target, LineDone onLineDone)
    : options_(options),
      target_(target),
      onLineDone_(std::move(onLineDone)),
      window_(kLinesPerJob * static_cast<size_t>(std::max(options.jobs, 1))),
      archive_(target.IsArchive()),
      sharded_(options.shardCount > 1),
      splits_(options.splitParts > 1 || options.splitWhenLong),
      claimsNames_(options.naming != Naming::kIndex &&
                   (kNamesMeetAcrossCase || options.naming == Naming::kSafe ||
                    options.inputFormat == InputFormat::kTsv || ReadsTable(options) || archive_ ||
                    sharded_ || splits_)) {
    if (claimsNames_) registry_.emplace();
    if (options.jobs > 1) {
        for (int i = 0; i < options.jobs; ++i) workers_.emplace_back([this] { Work(); });
    }
}

BatchRun::~BatchRun() {
    Finish();
}

void BatchRun::CheckName(Slot& slot) {
    const LineJob& job = slot.job;
    // Numbered names and standard output cannot meet.
    if (!job.failure.empty() || job.fileName.empty() || options_.naming == Naming::kIndex) return;
    if (const auto found = inFlight_.find(job.fileName); found != inFlight_.end()) {
        if (found->second->job.text == job.text) {
            slot.sameAs = found->second;
        } else {
            // The first line of the name, as a shard that never saw the one in flight says.
            slot.job.failure = "the file name \"" + job.fileName + "\" is already line " +
                               std::to_string(found->second->nameOwner) + "'s";
        }
        return;
    }
    slot.nameOwner = job.number;
    if (registry_) {
        // A linked symbol's file (a-2.png of the line a) can be another line's own name (the
        // line a-2). Its name is claimed here, in line order, so that the later line fails.
        const size_t parts = splits_ ? LinkedSymbolsOf(job.text, options_) : 0;
        bool sameText = false;
        const size_t owner = registry_->Claim(job.fileName, job.text, job.number, sameText,
                                              parts > 0 ? NameUse::kSplitLine : NameUse::kFile);
        if (owner != 0 && !sameText) {
            slot.job.failure = "the file name \"" + job.fileName + "\" is already line " +
                               std::to_string(owner) + "'s";
            return;
        }
        if (!ClaimPartNames(slot, parts)) return;
        // One entry a name in an archive; a file another shard makes is not made here too.
        slot.job.madeBefore = owner != 0 && (archive_ || sharded_);
        if (owner != 0) slot.nameOwner = owner;
    }
}

bool BatchRun::ClaimPartNames(Slot& slot, size_t parts) {
    const LineJob& job = slot.job;
    for (size_t k = 1; k <= parts; ++k) {
        const std::string name = PartFileName(job.fileName, static_cast<int>(k));
        bool sameText = false;
        const size_t owner = registry_->Claim(name, job.text, job.number, sameText, NameUse::kPart);
        if (owner != 0 && !sameText) {
            slot.job.failure = "the file name \"" + name + "\" of its linked symbol " +
                               std::to_string(k) + " is already line " + std::to_string(owner) +
                               "'s";
            return false;
        }
    }
    return true;
}

void BatchRun::Add(LineJob job) {
    auto slot = std::make_shared<Slot>();
    slot->job = std::move(job);
    CheckName(*slot);
    if (slot->job.otherShard) return;  // its shard makes it
    const bool needsWork = slot->job.failure.empty() && !slot->sameAs;
    if (!slot->job.failure.empty()) {
        slot->outcome.reason = slot->job.failure;
        slot->done = true;
    }
    // Until it is reported, an equal line takes this one's outcome (see ReportDone).
    if (needsWork && !slot->job.fileName.empty() && options_.naming != Naming::kIndex) {
        inFlight_[slot->job.fileName] = slot;
    }

    std::unique_lock lock(mutex_);
    if (workers_.empty()) {
        if (needsWork) {
            lock.unlock();
            slot->outcome = Process(slot->job);
            lock.lock();
            slot->done = true;
        }
        lines_.push_back(std::move(slot));
        ReportDone(lock, 0);
        return;
    }
    lines_.push_back(slot);
    if (needsWork) {
        pending_.push_back(std::move(slot));
        // A busy worker looks again by itself; an idle one is woken for a take's worth.
        if (idleWorkers_ > 0 && pending_.size() >= kLinesPerTake) workToDo_.notify_one();
    }
    ReportDone(lock, window_ - 1);
}

void BatchRun::Finish() {
    std::unique_lock lock(mutex_);
    ReportDone(lock, 0);
    stopping_ = true;
    lock.unlock();
    workToDo_.notify_all();
    workers_.clear();  // joins
}

LineOutcome BatchRun::Process(const LineJob& job) {
    try {
        return ProcessLine(job, options_, target_);
    } catch (const std::exception& e) {
        return LineOutcome{false, std::string("internal error: ") + e.what()};
    }
}

void BatchRun::Work() {
    // A worker opens, writes and closes its own files: two writers sharing a descriptor table
    // wait on each other's every call. An archive's entries leave from the reporting thread.
    if (!archive_) qrcommon::OwnDescriptorTable();
    std::vector<std::shared_ptr<Slot>> taken;
    std::unique_lock lock(mutex_);
    for (;;) {
        ++idleWorkers_;
        workToDo_.wait(
            lock, [&] { return stopping_ || (!pending_.empty() && heldBytes_ < kHeldImageBytes); });
        --idleWorkers_;
        if (pending_.empty()) return;
        // An archive's images wait for the reporting thread: one at a time keeps them within
        // the budget.
        const size_t take = std::min(pending_.size(), archive_ ? 1 : kLinesPerTake);
        std::move(pending_.begin(), pending_.begin() + static_cast<ptrdiff_t>(take),
                  std::back_inserter(taken));
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<ptrdiff_t>(take));
        lock.unlock();
        for (const std::shared_ptr<Slot>& slot : taken) Make(*slot);
        lock.lock();
        for (const std::shared_ptr<Slot>& slot : taken) {
            if (slot->image) heldBytes_ += slot->image->Size();
            slot->done = true;
        }
        taken.clear();
        if (awaited_ > 0 && (DoneAtFront(awaited_) == awaited_ || FrontDoneWithImagesHeld())) {
            frontDone_.notify_one();
        }
    }
}

// On a worker: the image made and, but for an archive's entries, which leave in line order
// from the reporting thread, written.
void BatchRun::Make(Slot& slot) {
    LineOutcome& outcome = slot.outcome;
    std::optional<MadeImage> image;
    try {
        image = MakeImage(slot.job, options_, outcome);
        if (image && options_.verify && ChecksMadeBytes(slot.job, target_) &&
            !CheckMadeImage(slot.job, *image, options_, outcome)) {
            image.reset();
        }
        if (image && (slot.job.madeBefore || !archive_)) {
            WriteImage(slot.job, *image, options_, target_, outcome);
            image.reset();
        }
    } catch (const std::exception& e) {
        outcome = LineOutcome{false, std::string("internal error: ") + e.what()};
        image.reset();
    }
    slot.image = std::move(image);
}

bool BatchRun::FrontDoneWithImagesHeld() const {
    return heldBytes_ >= kHeldImageBytes && DoneAtFront(1) == 1;
}

size_t BatchRun::DoneAtFront(size_t enough) const {
    size_t done = 0;
    for (const auto& slot : lines_) {
        if (done == enough || !(slot->sameAs ? slot->sameAs->done : slot->done)) break;
        ++done;
    }
    return done;
}

// Reports the lines at the front that are done, waiting for more until at most keep are left.
void BatchRun::ReportDone(std::unique_lock<std::mutex>& lock, size_t keep) {
    for (;;) {
        while (!lines_.empty()) {
            const std::shared_ptr<Slot> front = lines_.front();
            // An equal line's outcome: its first is earlier, so reported already.
            const Slot& source = front->sameAs ? *front->sameAs : *front;
            if (!source.done) break;
            lines_.pop_front();
            if (front->image) {
                lock.unlock();
                WriteImage(front->job, *front->image, options_, target_, front->outcome);
                const size_t size = front->image->Size();
                front->image.reset();
                lock.lock();
                const bool wasFull = heldBytes_ >= kHeldImageBytes;
                heldBytes_ -= size;
                if (wasFull && heldBytes_ < kHeldImageBytes) workToDo_.notify_all();
            }
            const LineOutcome outcome = source.outcome;
            const auto named = inFlight_.find(front->job.fileName);
            if (named != inFlight_.end() && named->second == front) inFlight_.erase(named);
            lock.unlock();
            onLineDone_(front->job.number, outcome);
            lock.lock();
        }
        if (lines_.size() <= keep) return;
        // Woken for a quarter of the window at once rather than for every line: a wake-up
        // costs more than the reporting.
        awaited_ = std::min(lines_.size(), std::max(lines_.size() - keep, window_ / 4));
        // Lines short of a take's worth are not left waiting for more.
        if (!pending_.empty() && idleWorkers_ > 0) workToDo_.notify_all();
        frontDone_.wait(
            lock, [&] { return DoneAtFront(awaited_) == awaited_ || FrontDoneWithImagesHeld(); });
        awaited_ = 0;
    }
}

}  // namespace qrcli
