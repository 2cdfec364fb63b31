#include "batch_run.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string_view>
#include <thread>
#include <unordered_map>

#include "file_naming.h"
#include "image_files.h"
#include "symbol_layout.h"
#include "written_check.h"

namespace qrcli {

LineOutcome ProcessLine(const std::string& line, const BatchOptions& options,
                        OutputFolder& folder) {
    LineOutcome outcome;
    const auto name = FileNameFor(line, ExtensionFor(options), outcome.reason);
    if (!name) return outcome;
    const auto laid = LayOutLine(line, options, outcome.reason);
    if (!laid) return outcome;
    const auto bytes = ImageFileBytes(*laid, options, outcome.reason);
    if (!bytes) return outcome;
    if (const auto error = folder.Write(*name, *bytes)) {
        outcome.reason = "cannot create the file: " + *error;
        return outcome;
    }
    if (options.verify) {
        if (auto problem = CheckWrittenFile(folder, *name, line, *bytes, *laid, options)) {
            outcome.reason = std::move(*problem);
            return outcome;
        }
    }
    outcome.written = true;
    return outcome;
}

std::vector<LineOutcome> RunLines(const std::vector<std::string>& lines,
                                  const BatchOptions& options, OutputFolder& folder,
                                  const LineDone& onLineDone) {
    // The first line of each distinct text does the work.
    std::vector<size_t> firstOf(lines.size());
    std::vector<size_t> work;
    {
        std::unordered_map<std::string_view, size_t> seen;
        for (size_t i = 0; i < lines.size(); ++i) {
            const auto [at, added] = seen.emplace(lines[i], i);
            firstOf[i] = at->second;
            if (added) work.push_back(i);
        }
    }

    std::vector<LineOutcome> outcomes(lines.size());
    auto make = [&](size_t index) {
        try {
            return ProcessLine(lines[index], options, folder);
        } catch (const std::exception& e) {
            return LineOutcome{false, std::string("internal error: ") + e.what()};
        }
    };

    if (options.jobs <= 1 || work.size() <= 1) {
        for (size_t i = 0; i < lines.size(); ++i) {
            outcomes[i] = firstOf[i] == i ? make(i) : outcomes[firstOf[i]];
            onLineDone(i, outcomes[i]);
        }
        return outcomes;
    }

    std::vector<char> finished(lines.size(), 0);
    std::mutex mutex;
    std::condition_variable changed;
    size_t awaited = 0;  // the line the reporting thread waits for; waking it for others is waste
    std::atomic<size_t> next{0};

    auto worker = [&] {
        for (size_t k = next.fetch_add(1); k < work.size(); k = next.fetch_add(1)) {
            const size_t index = work[k];
            LineOutcome outcome = make(index);
            const std::lock_guard lock(mutex);
            outcomes[index] = std::move(outcome);
            finished[index] = 1;
            if (index == awaited) changed.notify_one();
        }
    };

    const size_t threads = std::min<size_t>(static_cast<size_t>(options.jobs), work.size());
    std::vector<std::jthread> pool;
    for (size_t t = 0; t < threads; ++t) pool.emplace_back(worker);

    std::unique_lock lock(mutex);
    for (size_t i = 0; i < lines.size(); ++i) {
        awaited = firstOf[i];
        changed.wait(lock, [&] { return finished[firstOf[i]] != 0; });
        if (firstOf[i] != i) outcomes[i] = outcomes[firstOf[i]];
        const LineOutcome outcome = outcomes[i];
        lock.unlock();
        onLineDone(i, outcome);
        lock.lock();
    }
    lock.unlock();
    pool.clear();
    return outcomes;
}

}  // namespace qrcli
