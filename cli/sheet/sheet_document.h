// The sheets of one batch as a PDF, page after page as the labels arrive: a page is written
// out as soon as its last label is placed, so no more than one page is ever held.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "caption_drawing.h"
#include "label_drawing.h"
#include "module_matrix.h"
#include "pdf_file.h"
#include "sheet_layout.h"

namespace qrsheet {

struct SheetStyle {
    bool cutMarks = false;
    bool border = false;
    std::string captionFamily;  // the family asked for; empty: the system's sans-serif
    CaptionLayout captionLayout = CaptionLayout::kBelow;
    int skip = 0;  // labels of the first page left as they are (a sheet already partly used)
};

class SheetDocument {
  public:
    // Nothing, with the reason, when the file cannot be made.
    static std::unique_ptr<SheetDocument> Create(qrcommon::Destination destination,
                                                 const SheetLayout& layout, const SheetStyle& style,
                                                 std::string& error);

    // The next label, with its symbol and caption (lines separated by '\n'); no symbol leaves
    // the label blank, so that every later label keeps its place. A caption that cannot be
    // drawn leaves the label blank too, and gives the reason.
    std::optional<std::string> AddLabel(const qr::ModuleMatrix* symbol, std::string_view caption);

    // Writes the last page and the file's end, and moves the file to its name. Without a
    // single label there is no file, only the reason.
    std::optional<std::string> Finish();

    int Pages() const { return pages_; }
    // A warning about the label just added (its caption cut short), or nothing.
    std::optional<std::string> TakeProblem() { return std::exchange(problem_, std::nullopt); }

  private:
    SheetDocument(std::unique_ptr<PdfFile> file, const SheetLayout& layout,
                  const SheetStyle& style);
    std::optional<std::string> AppendLabel(const qr::ModuleMatrix& symbol, std::string_view caption,
                                           const LabelBox& box);
    void WritePage();

    std::unique_ptr<PdfFile> file_;
    SheetLayout layout_;
    SheetStyle style_;
    CaptionPainter captions_;
    int catalog_ = 0;
    int pageTree_ = 0;
    int standardFont_ = 0;
    int resources_ = 0;  // shared by every page, written at the end with every glyph's object
    std::string kids_;   // "n 0 R " for every page written
    std::string content_;
    int onPage_ = 0;  // labels placed on the page being made
    int pages_ = 0;
    std::optional<std::string> problem_;
};

}  // namespace qrsheet
