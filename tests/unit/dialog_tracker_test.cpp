#include "tray/dialog_tracker.h"

#include <gtest/gtest.h>

#include <ostream>

namespace norvaket {
namespace {

TEST(DialogTrackerTest, DialogOpenWhileEitherIsOpen) {
  DialogTracker dialogs;
  EXPECT_FALSE(dialogs.DialogOpen());
  dialogs.MarkLoaded(DialogKind::About);
  dialogs.MarkLoaded(DialogKind::Options);
  dialogs.MarkUnloaded(DialogKind::About);
  // The options dialog is still open after the about box closed.
  EXPECT_TRUE(dialogs.DialogOpen());
  EXPECT_TRUE(dialogs.IsOpen(DialogKind::Options));
  EXPECT_FALSE(dialogs.IsOpen(DialogKind::About));
  dialogs.MarkUnloaded(DialogKind::Options);
  EXPECT_FALSE(dialogs.DialogOpen());
}

struct OpenCase {
  bool options_open;
  bool about_open;
  OpenAction double_click;
  OpenAction menu_options;
  OpenAction menu_about;
  friend std::ostream& operator<<(std::ostream& out, const OpenCase& c) {
    return out << "options " << c.options_open << " about " << c.about_open;
  }
};

class DialogOpenActionTest : public ::testing::TestWithParam<OpenCase> {};

TEST_P(DialogOpenActionTest, OpenDialogsAreFocusedInsteadOfOpenedTwice) {
  DialogTracker dialogs;
  if (GetParam().options_open) dialogs.MarkLoaded(DialogKind::Options);
  if (GetParam().about_open) dialogs.MarkLoaded(DialogKind::About);
  EXPECT_EQ(dialogs.OnTrayDoubleClick(), GetParam().double_click);
  EXPECT_EQ(dialogs.OnMenuOpen(DialogKind::Options), GetParam().menu_options);
  EXPECT_EQ(dialogs.OnMenuOpen(DialogKind::About), GetParam().menu_about);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DialogOpenActionTest,
    ::testing::Values(
        OpenCase{false, false, OpenAction::Show, OpenAction::Show, OpenAction::Show},
        OpenCase{true, false, OpenAction::Focus, OpenAction::Focus, OpenAction::Show},
        OpenCase{false, true, OpenAction::Ignore, OpenAction::Show, OpenAction::Focus},
        OpenCase{true, true, OpenAction::Focus, OpenAction::Focus, OpenAction::Focus}));

}  // namespace
}  // namespace norvaket
