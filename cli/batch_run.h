// The batch: every line through encoding, drawing, writing and (asked for) reading back, on a
// number of worker threads, while the input is still being read. Only a window of lines is in
// flight at a time, so memory stays flat; outcomes are reported in line order, and the files
// do not depend on the number of jobs.
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

#include "batch_options.h"
#include "line_jobs.h"
#include "name_registry.h"
#include "output_target.h"

namespace qrcli {

struct LineOutcome {
    bool written = false;  // and verified, when asked
    std::string reason;    // why not
    std::string warning;   // written, with something the user should know
};

// Called on the thread that adds the lines, in line order.
using LineDone = std::function<void(size_t lineNumber, const LineOutcome& outcome)>;

// One line from the text to its file.
LineOutcome ProcessLine(const LineJob& job, const BatchOptions& options, OutputTarget& target);

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
    LineOutcome Process(const LineJob& job);
    void Work();
    void ReportDone(std::unique_lock<std::mutex>& lock, size_t keep);

    const BatchOptions& options_;
    OutputTarget& target_;
    LineDone onLineDone_;
    const size_t window_;
    const bool namesCanMeet_;  // two different texts can have one file name
    std::optional<NameRegistry> registry_;
    // Lines in flight by file name: an equal line shares the outcome of the first.
    std::unordered_map<std::string, std::shared_ptr<Slot>> inFlight_;

    std::mutex mutex_;
    std::condition_variable workToDo_;
    std::condition_variable frontDone_;
    std::deque<std::shared_ptr<Slot>> lines_;    // added, not yet reported
    std::deque<std::shared_ptr<Slot>> pending_;  // not yet taken by a worker
    bool stopping_ = false;
    std::vector<std::jthread> workers_;
};

}  // namespace qrcli
