// The batch: every line through encoding, drawing, writing and (asked for) reading back, on a
// number of worker threads, while the input is still being read. Only a window of lines is in
// flight at a time, so memory stays flat; outcomes are reported in line order, and the files
// do not depend on the number of jobs. The workers take the lines a few at a time, and make
// and write their files. An archive takes every entry from the thread that adds the lines, in
// line order; the images made ahead of it are held up to a budget, past which the workers
// wait, so memory stays flat whatever their size.
//
// With --shard, every line is named and its name claimed as in the whole run, so the clashes
// and the names are the whole run's; only the shard's own lines are made and reported.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "batch/line_jobs.h"
#include "batch/line_work.h"
#include "input/name_registry.h"
#include "input/output_target.h"
#include "options/batch_options.h"

namespace qrcli {

// Called on the thread that adds the lines, in line order.
using LineDone = std::function<void(size_t lineNumber, const LineOutcome& outcome)>;

class BatchRun {
  public:
    BatchRun(const BatchOptions& options, OutputTarget& target, LineDone onLineDone);
    ~BatchRun();  // finishes the lines added
    BatchRun(const BatchRun&) = delete;
    BatchRun& operator=(const BatchRun&) = delete;

    // Lines come in order. Waits while the window is full, reporting what is done.
    void Add(LineJob job);
    // Waits for every line added and reports it.
    void Finish();

  private:
    struct Slot;
    void CheckName(Slot& slot);
    // False, with the line's failure, when a linked symbol's file name is an earlier line's.
    bool ClaimPartNames(Slot& slot, size_t parts);
    LineOutcome Process(const LineJob& job);
    void Work();
    void Make(Slot& slot);
    void ReportDone(std::unique_lock<std::mutex>& lock, size_t keep);
    // How many lines at the front are done, counting up to enough.
    size_t DoneAtFront(size_t enough) const;
    // The images held fill the budget and the front line can go out, making room.
    bool FrontDoneWithImagesHeld() const;

    const BatchOptions& options_;
    OutputTarget& target_;
    LineDone onLineDone_;
    const size_t window_;
    const bool archive_;
    const bool sharded_;
    const bool splits_;  // --split: a line can be written as linked symbols' files
    // The names given out, where two different texts can have one (--name safe, TSV names), or
    // where a name must not be written twice (an archive) or may be another shard's, or where
    // a linked symbol's file can have another line's name (--split).
    const bool claimsNames_;
    std::optional<NameRegistry> registry_;
    // Lines in flight by file name: an equal line shares the outcome of the first.
    std::unordered_map<std::string, std::shared_ptr<Slot>> inFlight_;

    std::mutex mutex_;
    std::condition_variable workToDo_;
    std::condition_variable frontDone_;
    std::deque<std::shared_ptr<Slot>> lines_;    // added, not yet reported
    std::deque<std::shared_ptr<Slot>> pending_;  // not yet taken by a worker
    bool stopping_ = false;
    size_t idleWorkers_ = 0;
    size_t awaited_ = 0;    // lines done at the front that the reporting thread waits for
    size_t heldBytes_ = 0;  // of the images made for an archive and not yet in it
    std::vector<std::jthread> workers_;
};

}  // namespace qrcli
