#include "options/options_layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <span>
#include <string_view>

#include "tray/about_layout.h"

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

// A screen's dots per inch and the line height the dialogs' replacement font stands at there.
struct Scale {
  int dpi;
  int line_height;
};

class GrownDialogTest : public ::testing::TestWithParam<Scale> {
 protected:
  // The controls on `panel` grown to the font's lines, by their index in `controls`.
  std::map<std::size_t, PixelBox> Grow(std::span<const DialogControl> controls, int panel,
                                       const TwipsBox& container) {
    std::map<std::size_t, PixelBox> placed;
    GrowPanelToTextHeights(
        controls, panel, Px(container).height,
        [&](std::size_t index) {
          placed[index] = Px(controls[index].place);
          return GrowingControl{placed[index], GetParam().line_height};
        },
        [&](std::size_t index, const PixelBox& place) { placed[index] = place; });
    return placed;
  }
  PixelBox Px(const TwipsBox& box) const { return ToPixels(box, GetParam().dpi); }
  void ExpectUngrownKeepTheirPlaces(std::span<const DialogControl> controls,
                                    const std::map<std::size_t, PixelBox>& placed) {
    for (const auto& [index, place] : placed) {
      if (!GrowsToText(controls[index].kind)) {
        EXPECT_EQ(place, Px(controls[index].place)) << controls[index].name;
      }
    }
  }
};

bool Overlap(const PixelBox& a, const PixelBox& b) {
  return a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
}

TEST_P(GrownDialogTest, RowsThatGrowToTheirTextNeverOverlap) {
  const auto placed = Grow(kAboutBoxControls, 0, kAboutClientArea);
  for (const auto& [a, a_place] : placed) {
    for (const auto& [b, b_place] : placed) {
      if (a == b || Overlap(Px(kAboutBoxControls[a].place), Px(kAboutBoxControls[b].place))) continue;
      EXPECT_FALSE(Overlap(a_place, b_place)) << a << " and " << b;
    }
  }
  ExpectUngrownKeepTheirPlaces(kAboutBoxControls, placed);
}

TEST_P(GrownDialogTest, AGrownControlStaysInsideItsPanel) {
  const auto placed = Grow(kOptionsDialogControls, 1, kOptionsPanelPlace);
  for (const auto& [index, place] : placed) {
    EXPECT_LE(place.Bottom(), Px(kOptionsPanelPlace).height) << kOptionsDialogControls[index].name;
  }
  ExpectUngrownKeepTheirPlaces(kOptionsDialogControls, placed);
}

TEST_P(GrownDialogTest, TheDialogStaysInsideTheWorkAreaTitleBarFirst) {
  // A 1024 x 768 screen with a task bar at the bottom; the frame adds borders and a caption.
  const int dpi = GetParam().dpi;
  const PixelBox work{0, 0, 1024, 768 - 40 * dpi / 96};
  const int border = 3 * dpi / 96;
  const PixelBox client = Px(kOptionsClientArea);
  const int width = client.width + 2 * border;
  const int height = client.height + 2 * border + 23 * dpi / 96;
  const PixelBox place = CentredInWorkArea(width, height, work);
  EXPECT_GE(place.left, work.left);
  EXPECT_GE(place.top, work.top);
  if (width <= work.width) {
    EXPECT_LE(place.Right(), work.Right());
  }
  if (height <= work.height) {
    EXPECT_LE(place.Bottom(), work.Bottom());
  }
}

// Line heights measured under Wine with the font that stands in for the dialog font.
INSTANTIATE_TEST_SUITE_P(AtTwoScales, GrownDialogTest,
                         ::testing::Values(Scale{96, 17}, Scale{192, 35}),
                         [](const auto& info) { return std::to_string(info.param.dpi) + "dpi"; });

}  // namespace
}  // namespace norvaket
