// A PDF written front to back as its objects are made: only each object's offset is kept, for
// the cross-reference table at the end, so a file of any number of pages takes flat memory.
// The file is made beside its final name and moved there only when it is whole.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrsheet {

// Appends a number the way PDF reads it: plain decimal, no exponent, no locale.
void AppendNumber(std::string& out, double value, int decimals = 3);

class PdfFile {
  public:
    // Nothing, with the reason, when no file can be made beside path.
    static std::unique_ptr<PdfFile> Create(const std::string& path, std::string& error);
    ~PdfFile();  // removes the unfinished file
    PdfFile(const PdfFile&) = delete;
    PdfFile& operator=(const PdfFile&) = delete;

    // A number for an object that may be written later, and referred to before.
    int Reserve();
    void WriteObject(int number, std::string_view body);
    // A stream object, deflated.
    void WriteStream(int number, std::string_view data);

    // The cross-reference table and trailer, then the file moves to its name. The reason when
    // any write failed or an object reserved was never written.
    std::optional<std::string> Finish(int catalog);

  private:
    PdfFile(std::FILE* file, std::string temporary, std::string path);
    void Write(std::string_view bytes);

    std::FILE* file_;
    std::string temporary_;
    std::string path_;
    std::vector<long long> offsets_;  // by object number - 1; -1 while only reserved
    long long written_ = 0;
    int error_ = 0;  // the first errno of a failed write
};

}  // namespace qrsheet
