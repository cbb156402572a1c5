#include "core/tray_view.h"

#include <gtest/gtest.h>

#include <set>

#include "core/icon_ids.h"

namespace norvaket {
namespace {

struct ViewCase {
  int ac;
  int flag;
  int percent;
  int life_time;
  std::int32_t icon;
  const char* tip;
};

class TrayViewTest : public ::testing::TestWithParam<ViewCase> {};

TEST_P(TrayViewTest, ChoosesIconAndTooltip) {
  const ViewCase& c = GetParam();
  PowerStatus snapshot;
  snapshot.ACLineStatus = static_cast<std::uint8_t>(c.ac);
  snapshot.BatteryFlag = static_cast<std::uint8_t>(c.flag);
  snapshot.BatteryLifePercent = static_cast<std::uint8_t>(c.percent);
  snapshot.BatteryLifeTime = c.life_time;
  const LocalDateTime noon{2026, 1, 1, 12, 0, 0};
  const TrayView view = ChooseTrayView(ClassifyPowerStatus(snapshot), snapshot, c.life_time, noon);
  EXPECT_EQ(view.TrayIconId, c.icon);
  EXPECT_EQ(view.TrayTipText, c.tip);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TrayViewTest,
    ::testing::Values(
        ViewCase{1, 0, 100, -1, 110, "AC電源\r\n100%"}, ViewCase{1, 0, 99, -1, 109, "AC電源\r\n99%"},
        ViewCase{1, 0, 0, -1, 100, "AC電源\r\n0%"},
        ViewCase{1, 0, 255, -1, 125, "AC電源\r\n残り時間 不明"},
        ViewCase{0, 0, 85, 7500, 208, "バッテリ\r\n14:05 まで (85%)"},
        ViewCase{0, 0, 40, -1, 204, "バッテリ\r\n残り時間 不明 (40%)"},
        ViewCase{0, 0, 40, 0, 204, "バッテリ\r\n残り時間 不明 (40%)"},
        ViewCase{0, 0, 255, 3600, 225, "バッテリ\r\n残り時間 不明"},
        ViewCase{1, 8, 57, -1, 305, "AC電源\r\n57% (充電中)"},
        ViewCase{1, 8, 101, -1, 325, "AC電源\r\n残り時間 不明 (充電中)"},
        ViewCase{1, 128, 0, -1, 900, "バッテリなし"}, ViewCase{1, 255, 50, -1, 901, "不明"},
        ViewCase{255, 0, 50, -1, 901, "不明"}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(TrayViewTest, StatesWithoutANumberOfTheirOwnShowUnknown) {
  const LocalDateTime noon{};
  for (int state : {4, 5, 6, 7, 42}) {
    EXPECT_EQ(ChooseTrayView(static_cast<PowerState>(state), {}, 0, noon).TrayIconId, kIconUnknown);
  }
}

TEST(IconIdsTest, EveryChoosableIdIsListedOnce) {
  const std::vector<std::int32_t> ids = AllTrayIconIds();
  EXPECT_EQ(ids.size(), 38u);
  const std::set<std::int32_t> unique(ids.begin(), ids.end());
  EXPECT_EQ(unique.size(), ids.size());
  // Whatever the snapshot, the chosen id is one the painter can draw.
  const LocalDateTime noon{};
  for (int ac : {0, 1, 2, 255}) {
    for (int flag : {0, 8, 128, 255}) {
      for (int percent : {0, 55, 100, 101, 255}) {
        PowerStatus s;
        s.ACLineStatus = static_cast<std::uint8_t>(ac);
        s.BatteryFlag = static_cast<std::uint8_t>(flag);
        s.BatteryLifePercent = static_cast<std::uint8_t>(percent);
        const TrayView view = ChooseTrayView(ClassifyPowerStatus(s), s, 60, noon);
        EXPECT_TRUE(unique.count(view.TrayIconId)) << view.TrayIconId;
      }
    }
  }
}

}  // namespace
}  // namespace norvaket
