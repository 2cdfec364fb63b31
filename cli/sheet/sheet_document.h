// The sheets of one batch as a PDF, page after page as the labels arrive: a page is written
// out as soon as its last label is placed, so no more than one page is ever held.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "caption_drawing.h"
#include "module_matrix.h"
#include "pdf_file.h"
#include "sheet_layout.h"

namespace qrsheet {

inline constexpr const char* kCaptionFont = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";

struct SheetStyle {
    bool cutMarks = false;
    bool border = false;
    std::string captionFont = kCaptionFont;  // for captions that are not plain ASCII
};

class SheetDocument {
  public:
    // Nothing, with the reason, when the file cannot be made.
    static std::unique_ptr<SheetDocument> Create(qrcommon::Destination destination,
                                                 const SheetLayout& layout, const SheetStyle& style,
                                                 std::string& error);

    // The next label, with its symbol and caption; no symbol leaves the label blank, so
    // that every later label keeps its place.
    void AddLabel(const qr::ModuleMatrix* symbol, std::string_view caption);

    // Writes the last page and the file's end, and moves the file to its name. Without a
    // single label there is no file, only the reason.
    std::optional<std::string> Finish();

    int Pages() const { return pages_; }
    // A problem worth telling once (a missing caption font), or nothing.
    std::optional<std::string> TakeProblem() { return captions_.TakeProblem(); }

  private:
    SheetDocument(std::unique_ptr<PdfFile> file, const SheetLayout& layout,
                  const SheetStyle& style);
    void WritePage();

    std::unique_ptr<PdfFile> file_;
    SheetLayout layout_;
    SheetStyle style_;
    CaptionPainter captions_;
    int catalog_ = 0;
    int pageTree_ = 0;
    int standardFont_ = 0;
    std::string kids_;  // "n 0 R " for every page written
    std::string content_;
    int onPage_ = 0;  // labels placed on the page being made
    int pages_ = 0;
};

}  // namespace qrsheet
