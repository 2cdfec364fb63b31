// Layouts as a user names them: presets of common label sheets and the custom form.
#include <gtest/gtest.h>

#include "sheet_layout.h"

namespace {

using qrsheet::kPointsPerMm;
using qrsheet::ParseSheetLayout;

constexpr double kInch = 72;
constexpr double kNear = 0.001;  // points

qrsheet::SheetLayout Parse(const std::string& text) {
    std::string error;
    const auto layout = ParseSheetLayout(text, error);
    EXPECT_TRUE(layout.has_value()) << text << ": " << error;
    return layout.value_or(qrsheet::SheetLayout{});
}

TEST(SheetLayout, A4ThreeByEightFillsThePageBetweenHalfMillimetreMargins) {
    const auto layout = Parse("a4-3x8");
    EXPECT_EQ(layout.LabelsPerPage(), 24);
    const auto first = layout.Label(0);
    EXPECT_NEAR(first.left, 0, kNear);
    EXPECT_NEAR(first.Top(), 296.5 * kPointsPerMm, kNear);
    EXPECT_NEAR(first.width, 70 * kPointsPerMm, kNear);
    EXPECT_NEAR(first.height, 37 * kPointsPerMm, kNear);
    const auto last = layout.Label(23);
    EXPECT_NEAR(last.Right(), 210 * kPointsPerMm, kNear);
    EXPECT_NEAR(last.bottom, 0.5 * kPointsPerMm, kNear);
}

TEST(SheetLayout, LetterThreeByTenHasItsGapsBetweenColumns) {
    const auto layout = Parse("letter-3x10");
    EXPECT_NEAR(layout.pageWidth, 8.5 * kInch, kNear);
    const auto second = layout.Label(1);
    EXPECT_NEAR(second.left, (0.1875 + 2.75) * kInch, kNear);
    EXPECT_NEAR(second.width, 2.625 * kInch, kNear);
    EXPECT_NEAR(layout.Label(29).bottom, 0.5 * kInch, kNear);
    EXPECT_NEAR(layout.Label(3).Top(), (11 - 0.5 - 1) * kInch, kNear);
}

TEST(SheetLayout, CustomFormWithMarginAndGap) {
    const auto layout = Parse("100x150mm:cols=2,rows=3,label=40x40mm,margin=5x8mm,gap=10x5mm");
    EXPECT_NEAR(layout.pageWidth, 100 * kPointsPerMm, kNear);
    const auto box = layout.Label(3);  // second row, second column
    EXPECT_NEAR(box.left, (5 + 50) * kPointsPerMm, kNear);
    EXPECT_NEAR(box.Top(), (150 - 8 - 45) * kPointsPerMm, kNear);
}

TEST(SheetLayout, WithoutMarginTheGridIsCentred) {
    const auto given = Parse("a4:cols=4,rows=10,label=48.5x25.4mm,margin=8x21.5mm");
    const auto centred = Parse("a4:cols=4,rows=10,label=48.5x25.4mm");
    for (const int index : {0, 5, 39}) {
        EXPECT_NEAR(given.Label(index).left, centred.Label(index).left, kNear);
        EXPECT_NEAR(given.Label(index).bottom, centred.Label(index).bottom, kNear);
    }
}

TEST(SheetLayout, UnitsMixAndCarryOverToTheFirstNumber) {
    const auto inches = Parse("letter:cols=1,rows=1,label=2x1in");
    const auto mixed = Parse("letter:cols=1,rows=1,label=50.8mmx72pt");
    EXPECT_NEAR(inches.labelWidth, 2 * kInch, kNear);
    EXPECT_NEAR(mixed.labelWidth, 2 * kInch, kNear);
    EXPECT_NEAR(mixed.labelHeight, kInch, kNear);
}

TEST(SheetLayout, MistakesAreNamed) {
    const std::pair<const char*, const char*> cases[] = {
        {"a5-3x8", "unknown sheet layout"},
        {"a5:cols=3,rows=8,label=70x37mm", "unknown page"},
        {"a4:cols=4,rows=10,label=60x25.4mm", "larger than the page"},
        {"a4:cols=0,rows=8,label=70x37mm", "cols=0"},
        {"a4:rows=8,label=70x37mm", "cols="},
        {"a4:cols=3,rows=8,label=70x37", "label=70x37"},
        {"a4:cols=3,rows=8,label=70x37mm,colour=red", "unknown key \"colour\""},
        {"a4:cols=3,cols=3,rows=8,label=70x37mm", "cols=3"},
        {"a4:cols=3,rows=8,label=70x37mm,margin=-1mm", "margin="},
        {"a4:cols=1,rows=1,label=4x40mm", "at least 5 mm"},
    };
    for (const auto& [text, fragment] : cases) {
        std::string error;
        EXPECT_FALSE(ParseSheetLayout(text, error).has_value()) << text;
        EXPECT_NE(error.find(fragment), std::string::npos) << text << ": " << error;
    }
}

// The sheets by product code, with the margins and pitches their makers publish (side and
// top margin, horizontal and vertical pitch), to within 0.05 mm.
TEST(SheetLayout, ProductCodesHaveTheirMakersMargins) {
    struct Row {
        const char* name;
        double side, top, pitchX, pitchY;  // mm
        int labels;
    };
    constexpr double kIn = 25.4;
    const Row rows[] = {
        {"avery-l7160", 7.21, 15.15, 66.04, 38.1, 21},
        {"avery-l7159", 7.21, 12.9, 66.04, 33.9, 24},
        {"avery-l7163", 4.65, 15.15, 101.6, 38.1, 14},
        {"avery-l7165", 4.65, 13.1, 101.6, 67.7, 8},
        {"avery-l7651", 4.75, 10.7, 40.6, 21.2, 65},
        {"zweckform-3474", 0, 0.5, 70, 37, 24},
        {"avery-5160", 0.1875 * kIn, 0.5 * kIn, 2.75 * kIn, 1 * kIn, 30},
        {"avery-5162", 0.15625 * kIn, 0.8333 * kIn, 4.1875 * kIn, 1.3333 * kIn, 14},
        {"avery-5163", 0.15625 * kIn, 0.5 * kIn, 4.1875 * kIn, 2 * kIn, 10},
        {"avery-5167", 0.3 * kIn, 0.5 * kIn, 2.05 * kIn, 0.5 * kIn, 80},
    };
    for (const Row& row : rows) {
        const auto layout = Parse(row.name);
        constexpr double kSheetNear = 0.05 * kPointsPerMm;
        EXPECT_NEAR(layout.left, row.side * kPointsPerMm, kSheetNear) << row.name;
        EXPECT_NEAR(layout.top, row.top * kPointsPerMm, kSheetNear) << row.name;
        EXPECT_NEAR(layout.pitchX, row.pitchX * kPointsPerMm, kSheetNear) << row.name;
        EXPECT_NEAR(layout.pitchY, row.pitchY * kPointsPerMm, kSheetNear) << row.name;
        EXPECT_EQ(layout.LabelsPerPage(), row.labels) << row.name;
    }
}

}  // namespace
