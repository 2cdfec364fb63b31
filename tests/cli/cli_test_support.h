// Helpers shared by the command-line tool's tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#include <algorithm>

#include <gtest/gtest.h>

#include "batch/batch_run.h"
#include "batch/line_jobs.h"
#include "input/output_folder.h"
#include "options/batch_options.h"

namespace clitest {

inline std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh folder per test, removed afterwards.
class TempDir {
  public:
    TempDir() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ =
            std::filesystem::temp_directory_path() / ("qrcli-" + std::to_string(::getpid()) + "-" +
                                                      info->test_suite_name() + "-" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

    // Names of the files in the folder, sorted.
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

  private:
    std::filesystem::path path_;
};

// The window's settings, as --app-names writes them (without its names and warnings).
inline qrcli::BatchOptions WindowOptions(const std::filesystem::path& folder) {
    qrcli::BatchOptions options;
    qrcli::UseWindowSettings(options);
    options.input = "-";
    options.output = folder.string();
    options.jobs = 1;
    return options;
}

// The defaults of the command line without --app-names.
inline qrcli::BatchOptions DefaultOptions(const std::filesystem::path& folder) {
    qrcli::BatchOptions options;
    options.input = "-";
    options.output = folder.string();
    return options;
}

struct RunResult {
    std::vector<qrcli::LineOutcome> outcomes;  // by line
    std::vector<size_t> order;                 // line numbers in the order they were reported
};

// The lines through a batch run into the options' output folder, as the program runs them.
inline RunResult RunLines(const std::vector<std::string>& lines,
                          const qrcli::BatchOptions& options) {
    std::string error;
    const auto folder = qrcli::OutputFolder::Open(options.output, error);
    EXPECT_TRUE(folder) << error;
    RunResult result;
    result.outcomes.resize(lines.size());
    {
        qrcli::BatchRun run(options, *folder, [&](size_t number, const qrcli::LineOutcome& o) {
            result.outcomes[number - 1] = o;
            result.order.push_back(number);
        });
        for (size_t i = 0; i < lines.size(); ++i) {
            run.Add(qrcli::JobForLine({lines[i], lines[i].size()}, i + 1, options, ""));
        }
    }
    return result;
}

}  // namespace clitest
