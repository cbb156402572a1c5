#include "options/options_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

namespace norvaket {
namespace {

TEST(OptionsLayoutTest, NamesEveryCheckBoxAndValueBoxOnceInFocusOrderByPanel) {
  std::set<std::string_view> names;
  int panel = 1;
  for (const DialogControl& control : kOptionsDialogControls) {
    EXPECT_TRUE(names.insert(control.name).second) << control.name;
    // Panels in order, the dialog's own buttons last.
    const int rank = control.panel == 0 ? 3 : control.panel;
    EXPECT_GE(rank, panel) << control.name;
    panel = rank;
    if (control.kind == ControlKind::CheckBox) {
      EXPECT_TRUE(CheckBoxNamed(control.name)) << control.name;
    }
    if (control.kind == ControlKind::ValueBox) {
      EXPECT_TRUE(ValueBoxNamed(control.name)) << control.name;
    }
  }
  for (const OptionsCheckBox box : kAllCheckBoxes) EXPECT_TRUE(names.contains(ControlName(box)));
  for (const OptionsValueBox box : kAllValueBoxes) EXPECT_TRUE(names.contains(ControlName(box)));
}

using Row = std::array<RowPart, 4>;

// Two rows as the design puts them: check box, label, value box, label.
std::vector<Row> DesignedRows(int first_caption, int second_caption, int label) {
  return {Row{{{24, 169, first_caption}, {208, 67, label}, {280, 57, 0}, {344, 58, 58}}},
          Row{{{24, 169, second_caption}, {208, 67, label}, {280, 57, 0}, {344, 58, 58}}}};
}

TEST(OptionsLayoutTest, RowsThatFitKeepTheDesignedPlaces) {
  std::vector<Row> rows = DesignedRows(150, 160, 60);
  LayOutSentenceRows(rows, {4, 433, 40});
  EXPECT_EQ(rows, DesignedRows(150, 160, 60)) << "nothing moves";
}

TEST(OptionsLayoutTest, AWiderCaptionMovesItsColumnInEveryRow) {
  std::vector<Row> rows = DesignedRows(200, 160, 60);
  LayOutSentenceRows(rows, {4, 433, 40});
  for (const Row& row : rows) {
    EXPECT_EQ(row[1].left, 24 + 200 + 4);
    EXPECT_EQ(row[2].left, 24 + 200 + 4 + 67 + 4);
    EXPECT_EQ(row[3].left, row[2].left + 57 + 4);
  }
  EXPECT_EQ(rows[1][0].width, 169) << "a caption that fits keeps its box";
}

TEST(OptionsLayoutTest, APastTheEdgeRowMovesBackThenItsValueBoxesNarrow) {
  // The label wants 120: the last part ends at 24+200+4+120+4+57+4+58 = 471, 42 past 429.
  std::vector<Row> rows = DesignedRows(200, 160, 120);
  LayOutSentenceRows(rows, {4, 433, 40});
  // No room after the wide check box: all of it comes off the value boxes, down to 40.
  for (const Row& row : rows) {
    EXPECT_EQ(row[2].width, 40);
    EXPECT_EQ(row[3].left, row[2].left + 40 + 4);
  }
  // With room after the check boxes the row moves left first.
  rows = DesignedRows(100, 100, 100);
  LayOutSentenceRows(rows, {4, 430, 40});
  EXPECT_EQ(rows[0][3].left + rows[0][3].width, 430 - 4);
  EXPECT_EQ(rows[0][2].width, 57);
}

}  // namespace
}  // namespace norvaket
