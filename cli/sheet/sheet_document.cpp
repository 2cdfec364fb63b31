#include "sheet_document.h"

#include "label_drawing.h"

namespace qrsheet {

std::unique_ptr<SheetDocument> SheetDocument::Create(qrcommon::Destination destination,
                                                     const SheetLayout& layout,
                                                     const SheetStyle& style, std::string& error) {
    auto file = PdfFile::Create(std::move(destination), error);
    if (!file) return nullptr;
    return std::unique_ptr<SheetDocument>(new SheetDocument(std::move(file), layout, style));
}

SheetDocument::SheetDocument(std::unique_ptr<PdfFile> file, const SheetLayout& layout,
                             const SheetStyle& style)
    : file_(std::move(file)),
      layout_(layout),
      style_(style),
      captions_(*file_, style.captionFamily),
      onPage_(style.skip) {
    catalog_ = file_->Reserve();
    pageTree_ = file_->Reserve();
    standardFont_ = file_->Reserve();
    resources_ = file_->Reserve();
    file_->WriteObject(catalog_,
                       "<< /Type /Catalog /Pages " + std::to_string(pageTree_) + " 0 R >>");
    file_->WriteObject(standardFont_,
                       "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica "
                       "/Encoding /WinAnsiEncoding >>");
}

std::optional<std::string> SheetDocument::AddLabel(const qr::ModuleMatrix* symbol,
                                                   std::string_view caption) {
    if (content_.empty()) {
        content_ = "0 g 0 G\n";
        if (style_.cutMarks) AppendCutMarks(content_, layout_);
        // Every place on the sheet, filled or not, to hold the printout against a sheet.
        for (int i = 0; style_.border && i < layout_.LabelsPerPage(); ++i) {
            AppendLabelOutline(content_, layout_.Label(i));
        }
    }
    const LabelBox box = layout_.Label(onPage_);
    std::optional<std::string> failure;
    if (symbol != nullptr) failure = AppendLabel(*symbol, caption, box);
    if (++onPage_ == layout_.LabelsPerPage()) WritePage();
    return failure;
}

std::optional<std::string> SheetDocument::AppendLabel(const qr::ModuleMatrix& symbol,
                                                      std::string_view caption,
                                                      const LabelBox& box) {
    const CaptionLayout layout = style_.captionLayout;
    if (layout == CaptionLayout::kNone) {
        AppendSymbol(content_, symbol, PlanLabel(box, symbol.side, layout, 0, 0));
        return std::nullopt;
    }
    std::string failure;
    const auto shaped = captions_.Shape(caption, failure);
    if (!shaped) return failure;
    const CaptionFit fit = FitCaption(shaped->lines, shaped->advances, captions_.EllipsisAdvance(),
                                      RoomForCaption(box, layout));
    if (fit.cut) {
        std::string size;
        AppendNumber(size, fit.size, 1);
        problem_ = "the caption is cut short to fit the label (" +
                   std::to_string(fit.pieces.size()) + " lines at " + size + " pt)";
    }
    const LabelPlan plan = PlanLabel(box, symbol.side, layout, fit.pieces.size(), fit.size);
    AppendSymbol(content_, symbol, plan);
    captions_.Append(content_, *shaped, fit, plan.caption);
    return std::nullopt;
}

void SheetDocument::WritePage() {
    const int contents = file_->Reserve();
    const int page = file_->Reserve();
    file_->WriteStream(contents, content_);
    std::string box;
    AppendNumber(box, layout_.pageWidth);
    box += ' ';
    AppendNumber(box, layout_.pageHeight);
    file_->WriteObject(page, "<< /Type /Page /Parent " + std::to_string(pageTree_) +
                                 " 0 R /MediaBox [0 0 " + box + "] /Resources " +
                                 std::to_string(resources_) + " 0 R /Contents " +
                                 std::to_string(contents) + " 0 R >>");
    kids_ += std::to_string(page) + " 0 R ";
    content_.clear();
    onPage_ = 0;
    ++pages_;
}

std::optional<std::string> SheetDocument::Finish() {
    if (!content_.empty()) WritePage();
    if (pages_ == 0) {
        file_.reset();  // takes its unfinished file along
        return std::string("no labels, so no file");
    }
    file_->WriteObject(resources_, "<< /Font << /F1 " + std::to_string(standardFont_) +
                                       " 0 R >> /XObject << " + captions_.GlyphResources() +
                                       ">> >>");
    file_->WriteObject(pageTree_, "<< /Type /Pages /Kids [" + kids_ + "] /Count " +
                                      std::to_string(pages_) + " >>");
    return file_->Finish(catalog_);
}

}  // namespace qrsheet
