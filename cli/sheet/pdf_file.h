// A PDF written front to back as its objects are made: only each object's offset is kept, for
// the cross-reference table at the end, so a file of any number of pages takes flat memory.
// A file is made beside its final name and moved there only when it is whole; a device, a
// pipe or standard output is written into as the pages come.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/destination.h"
#include "common/number_text.h"

namespace qrsheet {

using qrcommon::AppendNumber;

class PdfFile {
  public:
    // Nothing, with the reason, when no file can be made there.
    static std::unique_ptr<PdfFile> Create(qrcommon::Destination destination, std::string& error);
    ~PdfFile();  // removes the unfinished file
    PdfFile(const PdfFile&) = delete;
    PdfFile& operator=(const PdfFile&) = delete;

    // A number for an object that may be written later, and referred to before.
    int Reserve();
    void WriteObject(int number, std::string_view body);
    // A stream object, deflated.
    void WriteStream(int number, std::string_view data);

    // The cross-reference table and trailer, then a file moves to its name. The reason when
    // any write failed or an object reserved was never written.
    std::optional<std::string> Finish(int catalog);

  private:
    PdfFile(std::FILE* file, qrcommon::Destination destination, std::string scratch);
    void Write(std::string_view bytes);

    std::FILE* file_;
    qrcommon::Destination destination_;
    std::string scratch_;             // the name it has until it is whole; empty for a stream
    std::vector<long long> offsets_;  // by object number - 1; -1 while only reserved
    long long written_ = 0;
    int error_ = 0;  // the first errno of a failed write
};

}  // namespace qrsheet
