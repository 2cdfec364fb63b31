#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "batch/symbol_fit.h"

// The lines of a batch run that gave no image file, and why. After the run, one message box
// names how many there were and the first few of them; a run without failures stays silent.
class FailureReport {
  public:
    // line: the line's text in the system code page; number counts from 1.
    void Add(std::size_t number, const std::string& line, std::string reason);
    bool Empty() const { return failures_.empty(); }
    std::size_t Count() const { return failures_.size(); }

    // The message box text (UTF-8).
    std::string Text() const;
    // Shows the message box when any line failed.
    void ShowIfAny() const;

  private:
    struct FailedLine {
        std::size_t number;
        std::string line;
        std::string reason;
    };
    std::vector<FailedLine> failures_;
};

// Why no file was written for the line (UTF-8): the image size, the text, the folder, the name
// or the write itself.
std::string FailureReason(const std::string& folder, const std::string& line, SymbolFit fit);

// The message box text (UTF-8) when the single text gave no image file; text in the system
// code page.
std::string SingleFailureText(const std::string& text, const std::string& reason);
// Shows a failure text in the message box a batch run uses.
void ShowFailure(const std::string& text);
