// The PDF file as a reader and the file system see it, and the sheet options taken from the
// command line.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

#include <unistd.h>

#include "encode_symbol.h"
#include "sheet_arguments.h"
#include "sheet_document.h"

namespace {

namespace fs = std::filesystem;

class SheetFile : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("qrsheet-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        std::string error;
        layout_ = *qrsheet::ParseSheetLayout("a4-3x8", error);
        symbol_ = qr::EncodeSymbol(std::span<const uint8_t>(), {}).value().matrix;
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Read(const std::string& name) const {
        std::ifstream in(folder_ / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    size_t Files() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(folder_), {}));
    }
    std::unique_ptr<qrsheet::SheetDocument> Create(const std::string& name) {
        std::string error;
        auto destination = qrcommon::OpenDestination((folder_ / name).string(), error);
        EXPECT_TRUE(destination) << error;
        if (!destination) return nullptr;
        auto document = qrsheet::SheetDocument::Create(std::move(*destination), layout_,
                                                       qrsheet::SheetStyle{}, error);
        EXPECT_TRUE(document) << error;
        return document;
    }

    fs::path folder_;
    qrsheet::SheetLayout layout_;
    qr::ModuleMatrix symbol_;
};

TEST_F(SheetFile, EveryCrossReferencePointsAtItsObject) {
    auto document = Create("labels.pdf");
    for (int i = 0; i < 25; ++i) document->AddLabel(&symbol_, "label " + std::to_string(i));
    ASSERT_FALSE(document->Finish());
    EXPECT_EQ(document->Pages(), 2);

    const std::string pdf = Read("labels.pdf");
    ASSERT_EQ(pdf.rfind("%PDF-1.4\n", 0), 0u);
    const size_t startxref = pdf.rfind("startxref\n");
    ASSERT_NE(startxref, std::string::npos);
    const size_t table = std::stoul(pdf.substr(startxref + 10));
    ASSERT_EQ(pdf.compare(table, 5, "xref\n"), 0);
    std::smatch entry;
    std::string rest = pdf.substr(table);
    ASSERT_TRUE(std::regex_search(rest, entry, std::regex("xref\n0 (\\d+)\n")));
    const int objects = std::stoi(entry[1]);
    // Free entry, catalog, tree, font, resources, 2 x (content, page), one per glyph drawn.
    const std::regex form("/Subtype /Form");
    const auto glyphs = std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), form), {});
    EXPECT_EQ(glyphs, 14);  // l, a, b, e and the ten digits; the space has no ink
    EXPECT_EQ(objects, 1 + 4 + 2 * 2 + glyphs);
    for (int number = 1; number < objects; ++number) {
        const size_t at = table + entry.length(0) + 20 * static_cast<size_t>(number);
        const size_t offset = std::stoul(pdf.substr(at, 10));
        EXPECT_EQ(pdf.compare(offset, std::to_string(number).size() + 6,
                              std::to_string(number) + " 0 obj"),
                  0)
            << number;
    }
    EXPECT_NE(pdf.find("/Count 2"), std::string::npos);
}

TEST_F(SheetFile, AnOlderFileStaysUntilTheNewOneIsWhole) {
    std::ofstream(folder_ / "labels.pdf") << "older";
    auto document = Create("labels.pdf");
    for (int i = 0; i < 30; ++i) document->AddLabel(&symbol_, "x");
    EXPECT_EQ(Read("labels.pdf"), "older");
    ASSERT_FALSE(document->Finish());
    EXPECT_EQ(Read("labels.pdf").rfind("%PDF-", 0), 0u);
    EXPECT_EQ(Files(), 1u);
}

TEST_F(SheetFile, AnUnfinishedOrEmptyDocumentLeavesNothing) {
    Create("unfinished.pdf")->AddLabel(&symbol_, "x");
    auto empty = Create("empty.pdf");
    EXPECT_TRUE(empty->Finish().has_value());
    EXPECT_EQ(Files(), 0u);

    std::string error;
    EXPECT_FALSE(qrcommon::OpenDestination((folder_ / "no" / "labels.pdf").string(), error));
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
}

TEST(SheetArguments, TakesItsOwnOptionsAndLeavesTheRest) {
    std::vector<std::string> args = {
        "in.txt", "--sheet=a4-3x8", "--sheet-border", "-o", "labels.pdf", "--level", "M"};
    std::string error;
    const auto sheet = qrsheet::TakeSheetArguments(args, error);
    ASSERT_TRUE(sheet) << error;
    EXPECT_EQ(sheet->layoutName, "a4-3x8");
    EXPECT_TRUE(sheet->style.border);
    EXPECT_FALSE(sheet->style.cutMarks);
    EXPECT_EQ(args, (std::vector<std::string>{"in.txt", "-o", "labels.pdf", "--level", "M"}));
}

TEST(SheetArguments, TakesTheCaptionAndPlacementOptions) {
    std::vector<std::string> args = {"--sheet",
                                     "a4-4x10",
                                     "--sheet-caption=right",
                                     "--sheet-skip",
                                     "3",
                                     "--sheet-offset",
                                     "-1.5x2mm",
                                     "--sheet-font",
                                     "Noto Serif",
                                     "--caption-columns",
                                     "3,1",
                                     "in.tsv"};
    std::string error;
    const auto sheet = qrsheet::TakeSheetArguments(args, error);
    ASSERT_TRUE(sheet) << error;
    EXPECT_EQ(sheet->style.captionLayout, qrsheet::CaptionLayout::kRight);
    EXPECT_EQ(sheet->style.skip, 3);
    EXPECT_EQ(sheet->style.captionFamily, "Noto Serif");
    EXPECT_EQ(sheet->captionColumns, (std::vector<std::string>{"3", "1"}));
    // a4-4x10 is centred: 8 mm and 21.5 mm from the page's edges, then moved.
    EXPECT_NEAR(sheet->layout.left, (8 - 1.5) * qrsheet::kPointsPerMm, 1e-9);
    EXPECT_NEAR(sheet->layout.top, (21.5 + 2) * qrsheet::kPointsPerMm, 1e-9);
    EXPECT_EQ(args, (std::vector<std::string>{"in.tsv"}));
}

TEST(SheetArguments, RefusesWhatASheetCannotDo) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"--sheet-cut-marks", "in.txt"}, "--sheet-cut-marks needs --sheet"},
        {{"--sheet-skip", "2", "in.txt"}, "--sheet-skip needs --sheet"},
        {{"--sheet", "a4-3x8", "--sheet", "a4-3x8"}, "given twice"},
        {{"--sheet", "a4-3x8", "--sheet-skip", "1", "--sheet-skip", "2"}, "given twice"},
        {{"--sheet"}, "needs a value"},
        {{"--sheet", "a4-9x9"}, "unknown sheet layout"},
        {{"--sheet", "a4-3x8", "--sheet-skip", "24"}, "a page of a4-3x8 has 24 labels"},
        {{"--sheet", "a4-3x8", "--sheet-skip", "-1"}, "expected the number of labels"},
        {{"--sheet", "a4-3x8", "--sheet-offset", "2mm"}, "expected XxY with a unit"},
        {{"--sheet", "a4-3x8", "--sheet-offset", "--1x1mm"}, "expected XxY with a unit"},
        {{"--sheet", "a4-3x8", "--sheet-caption", "above"}, "expected below, right or none"},
        {{"--sheet", "a4-3x8", "--caption-columns", "1,1"}, "each once"},
        {{"--sheet", "a4-3x8", "--caption-columns", "0"}, "column numbers from 1 or header names"},
        {{"--sheet", "a4-3x8", "--caption-columns", "price,"}, "column numbers from 1"},
    };
    for (auto [args, fragment] : cases) {
        std::string error;
        EXPECT_FALSE(qrsheet::TakeSheetArguments(args, error));
        EXPECT_NE(error.find(fragment), std::string::npos) << error;
    }
    std::vector<std::string> plain = {"-o", "out", "--", "--sheet"};
    std::string error;
    EXPECT_FALSE(qrsheet::TakeSheetArguments(plain, error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(plain.size(), 4u);  // after "--" an input named --sheet
}

}  // namespace
