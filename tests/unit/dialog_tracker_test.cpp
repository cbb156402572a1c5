#include "tray/dialog_tracker.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tray/dialog_host.h"

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

class RecordingWindows final : public DialogWindows {
 public:
  void ShowNew(DialogKind dialog) override { calls.push_back("show " + Name(dialog)); }
  void Focus(DialogKind dialog) override { calls.push_back("focus " + Name(dialog)); }
  void Close(DialogKind dialog) override { calls.push_back("close " + Name(dialog)); }
  std::vector<std::string> calls;

 private:
  static std::string Name(DialogKind dialog) {
    return dialog == DialogKind::Options ? "options" : "about";
  }
};

TEST(DialogHostTest, ShowsFocusesOrIgnoresAsTheTrackerDecides) {
  DialogTracker tracker;
  RecordingWindows windows;
  DialogHost host(windows, tracker);
  host.OpenOptionsFromTray();
  tracker.MarkLoaded(DialogKind::Options);
  host.OpenOptions();
  host.OpenAbout();
  tracker.MarkUnloaded(DialogKind::Options);
  tracker.MarkLoaded(DialogKind::About);
  host.OpenOptionsFromTray();
  host.CloseAbout();
  EXPECT_EQ(windows.calls, (std::vector<std::string>{"show options", "focus options",
                                                     "show about", "close about"}));
}

}  // namespace
}  // namespace norvaket
