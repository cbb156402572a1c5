#include "options/options_presenter.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "fakes/call_journal.h"
#include "fakes/fake_autorun.h"
#include "fakes/fake_options_view.h"
#include "fakes/recording_settings_store.h"

namespace norvaket {

// Readable test names for the value-box table.
void PrintTo(OptionsValueBox box, std::ostream* out) {
  *out << ControlName(box);
}

namespace {

using testing::CallJournal;
using testing::FakeAutoRun;
using testing::FakeOptionsView;
using testing::RecordingSettingsStore;

Settings AllOff() {
  Settings settings;  // every flag false
  settings.NotifyCV0Value = 80;
  settings.NotifyCV2Value = 20;
  settings.UpdateInterval = 1000;
  return settings;
}

class OptionsPresenterTest : public ::testing::Test {
 protected:
  void Open() {
    view.on_edit = [this] { presenter.OnEdit(); };
    presenter.Load();
  }

  CallJournal journal;
  FakeOptionsView view{&journal};
  Settings settings = DefaultSettings();
  RecordingSettingsStore store{&journal};
  FakeAutoRun autorun{&journal};
  DialogTracker dialogs;
  OptionsPresenter presenter{view, settings, store, autorun, dialogs};
};

// ---- Load ------------------------------------------------------------------

TEST_F(OptionsPresenterTest, LoadRunsItsStepsInOrderAndDisablesApplyLast) {
  settings = AllOff();
  settings.NotifyRT = kTrue;
  settings.NotifyAtRun = kTrue;
  autorun.registered = true;
  Open();
  const std::vector<std::string> expected{
      "CopyMainWindowIcon",           "AttachStepper txtCV2Value 20",
      "AttachStepper txtCV0Value 80", "SetCheckState chkNotifyAtRun 1",
      "SetCheckState chkNotifyRT 1",  "QueryAutoRun",
      "SetCheckState chkAutoRun 1",   "SetApplyEnabled false",
  };
  EXPECT_EQ(journal.calls, expected);
  EXPECT_FALSE(view.ApplyEnabled());
  EXPECT_EQ(presenter.CurrentTab(), 1);
}

TEST_F(OptionsPresenterTest, LoadWithEverythingOffLeavesAllTwelveBoxesUnchecked) {
  settings = AllOff();
  Open();
  for (OptionsCheckBox box : kAllCheckBoxes) {
    EXPECT_EQ(view.GetCheckState(box), kUnchecked) << ControlName(box);
  }
  EXPECT_EQ(view.ValueText(OptionsValueBox::txtCV2Value), "20");
  EXPECT_EQ(view.ValueText(OptionsValueBox::txtCV0Value), "80");
  EXPECT_FALSE(view.ApplyEnabled());
}

TEST_F(OptionsPresenterTest, EachCheckBoxShowsItsOwnFlag) {
  for (const CheckBoxBinding& binding : kSettingCheckBoxes) {
    FakeOptionsView fresh_view;
    Settings one_on = AllOff();
    one_on.*binding.field = kTrue;
    OptionsPresenter fresh{fresh_view, one_on, store, autorun, dialogs};
    fresh.Load();
    for (OptionsCheckBox box : kAllCheckBoxes) {
      EXPECT_EQ(fresh_view.GetCheckState(box), box == binding.box ? kChecked : kUnchecked)
          << "setting of " << ControlName(binding.box) << ", box " << ControlName(box);
    }
  }
}

TEST_F(OptionsPresenterTest, LoadSetsAutoRunFromTheRegistration) {
  settings.AutoRun = kTrue;  // stale: the registration was removed meanwhile
  autorun.registered = false;
  Open();
  EXPECT_EQ(settings.AutoRun, kFalse);
  EXPECT_EQ(view.GetCheckState(OptionsCheckBox::chkAutoRun), kUnchecked);
}

// ---- Tabs ------------------------------------------------------------------

TEST_F(OptionsPresenterTest, SwitchingTabsSwapsThePanelsAndFocusesTheNewOne) {
  Open();
  journal.calls.clear();
  view.selected_tab = 2;
  presenter.OnTabClick();
  EXPECT_EQ(presenter.CurrentTab(), 2);
  EXPECT_TRUE(view.panel_visible[2]);
  EXPECT_FALSE(view.panel_visible[1]);
  EXPECT_EQ(view.focused_panel, 2);
  EXPECT_EQ(journal.calls, (std::vector<std::string>{"SetPanelVisible 2 true",
                                                     "SetPanelVisible 1 false", "FocusPanel 2"}));

  view.selected_tab = 1;
  presenter.OnTabClick();
  EXPECT_EQ(presenter.CurrentTab(), 1);
  EXPECT_TRUE(view.panel_visible[1]);
  EXPECT_FALSE(view.panel_visible[2]);
  EXPECT_EQ(view.focused_panel, 1);
}

TEST_F(OptionsPresenterTest, ClickingTheCurrentTabChangesNothing) {
  Open();
  journal.calls.clear();
  presenter.OnTabClick();
  EXPECT_TRUE(journal.calls.empty());
  EXPECT_EQ(view.focused_panel, 0);
}

// ---- Edits and the Apply state ---------------------------------------------

TEST_F(OptionsPresenterTest, EveryControlEditEnablesApply) {
  Open();
  for (OptionsCheckBox box : kAllCheckBoxes) {
    view.SetApplyEnabled(false);
    view.Click(box, view.GetCheckState(box) == kChecked ? kUnchecked : kChecked);
    EXPECT_TRUE(view.ApplyEnabled()) << ControlName(box);
  }
  for (OptionsValueBox box : {OptionsValueBox::txtCV0Value, OptionsValueBox::txtCV2Value}) {
    view.SetApplyEnabled(false);
    view.TypeText(box, "abc");
    EXPECT_TRUE(view.ApplyEnabled()) << ControlName(box);
  }
}

TEST_F(OptionsPresenterTest, ApplyStoresEveryControlSavesAndGoesClean) {
  settings = AllOff();
  settings.NotifyCV1 = kTrue;
  settings.NotifyLifePercent = kTrue;
  settings.UpdateInterval = 2500;
  Open();
  for (const CheckBoxBinding& binding : kSettingCheckBoxes) view.Click(binding.box, kChecked);
  view.TypeText(OptionsValueBox::txtCV0Value, "90");
  view.TypeText(OptionsValueBox::txtCV2Value, "10");
  presenter.OnApply();

  for (const CheckBoxBinding& binding : kSettingCheckBoxes) {
    EXPECT_EQ(settings.*binding.field, kTrue) << ControlName(binding.box);
  }
  EXPECT_EQ(settings.NotifyCV0Value, 90);
  EXPECT_EQ(settings.NotifyCV2Value, 10);
  // Fields without a control are left alone.
  EXPECT_EQ(settings.NotifyCV1, kTrue);
  EXPECT_EQ(settings.NotifyLifePercent, kTrue);
  EXPECT_EQ(settings.UpdateInterval, 2500);
  ASSERT_EQ(store.saved.size(), 1u);
  EXPECT_EQ(store.saved[0], settings);
  EXPECT_FALSE(view.ApplyEnabled());
  EXPECT_EQ(view.closes, 0);
}

TEST_F(OptionsPresenterTest, ChangingOneBoxChangesOnlyItsField) {
  Open();
  const Settings before = settings;
  view.Click(OptionsCheckBox::chkNotifyPS1, kChecked);
  presenter.OnApply();
  Settings expected = before;
  expected.NotifyPS1 = kTrue;
  EXPECT_EQ(settings, expected);
}

TEST_F(OptionsPresenterTest, GrayedCountsAsOff) {
  Open();
  view.Click(OptionsCheckBox::chkNotifyRT, kGrayed);
  presenter.OnApply();
  EXPECT_EQ(settings.NotifyRT, kFalse);
}

TEST_F(OptionsPresenterTest, ApplyOrderIsAutoRunThenSaveThenClean) {
  Open();
  view.Click(OptionsCheckBox::chkAutoRun, kChecked);
  journal.calls.clear();
  presenter.OnApply();
  EXPECT_EQ(journal.calls,
            (std::vector<std::string>{"EnableAutoRun", "SaveSettings", "SetApplyEnabled false"}));
}

TEST_F(OptionsPresenterTest, AutoRunIsWrittenOnEverySuccessfulApply) {
  autorun.registered = true;
  Open();
  presenter.OnApply();
  presenter.OnApply();
  EXPECT_EQ(autorun.enables, 2);
  EXPECT_EQ(autorun.disables, 0);
  EXPECT_EQ(settings.AutoRun, kTrue);

  view.Click(OptionsCheckBox::chkAutoRun, kUnchecked);
  presenter.OnApply();
  EXPECT_EQ(autorun.disables, 1);
  EXPECT_FALSE(autorun.registered);
  EXPECT_EQ(settings.AutoRun, kFalse);
}

// ---- Validation --------------------------------------------------------------

struct ValueCase {
  std::string text;
  bool accepted;
  std::int32_t stored;
  friend std::ostream& operator<<(std::ostream& out, const ValueCase& c) {
    return out << '"' << c.text << (c.accepted ? "\" accepted" : "\" rejected");
  }
};

class ValueBoxTest : public OptionsPresenterTest,
                     public ::testing::WithParamInterface<std::tuple<OptionsValueBox, ValueCase>> {
};

TEST_P(ValueBoxTest, AcceptsOneToNinetyNineExactlyAndStoresTheRoundedValue) {
  const auto& [box, value] = GetParam();
  Open();
  view.TypeText(box, value.text);
  presenter.OnApply();
  const std::int32_t stored =
      box == OptionsValueBox::txtCV0Value ? settings.NotifyCV0Value : settings.NotifyCV2Value;
  if (value.accepted) {
    EXPECT_TRUE(view.messages.empty()) << view.messages[0].text;
    EXPECT_EQ(stored, value.stored);
    EXPECT_FALSE(view.ApplyEnabled());
  } else {
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, box == OptionsValueBox::txtCV0Value
                                         ? kChargeProgressRangeMessage
                                         : kLowBatteryRangeMessage);
    EXPECT_TRUE(store.saved.empty());
    EXPECT_TRUE(view.ApplyEnabled());
  }
}

INSTANTIATE_TEST_SUITE_P(
    BothBoxes, ValueBoxTest,
    ::testing::Combine(
        ::testing::Values(OptionsValueBox::txtCV0Value, OptionsValueBox::txtCV2Value),
        ::testing::Values(
            ValueCase{"1", true, 1}, ValueCase{"99", true, 99}, ValueCase{"1.5", true, 2},
            ValueCase{"2.5", true, 2}, ValueCase{"98.5", true, 98}, ValueCase{"98.6", true, 99},
            ValueCase{"50abc", true, 50}, ValueCase{" 5", true, 5}, ValueCase{"5e1", true, 50},
            ValueCase{"1e0", true, 1}, ValueCase{"0", false, 0}, ValueCase{"100", false, 0},
            ValueCase{"", false, 0}, ValueCase{"abc", false, 0},
            ValueCase{"0.6", false, 0}, ValueCase{"99.4", false, 0}, ValueCase{"0.99", false, 0},
            ValueCase{"-5", false, 0}, ValueCase{"1e2", false, 0}, ValueCase{"1e999", false, 0})));

TEST_F(OptionsPresenterTest, RejectionShowsAnExclamationBoxTitledError) {
  Open();
  view.TypeText(OptionsValueBox::txtCV2Value, "0");
  presenter.OnApply();
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text,
            "バッテリの低下を通知するバッテリ残量は 1 から 99 %の間で指定してください。");
  EXPECT_EQ(view.messages[0].title, "エラー");
  EXPECT_EQ(view.messages[0].style, 0x30u);
}

TEST_F(OptionsPresenterTest,
       WithBothOutOfRangeOnlyTheChargeProgressMessageShowsAndNothingIsStored) {
  Open();
  const Settings before = settings;
  view.Click(OptionsCheckBox::chkNotifyPS1, kChecked);
  view.TypeText(OptionsValueBox::txtCV0Value, "");
  view.TypeText(OptionsValueBox::txtCV2Value, "abc");
  journal.calls.clear();
  presenter.OnApply();
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text,
            "充電の進捗を通知するバッテリ残量は 1 から 99 %の間で指定してください。");
  EXPECT_EQ(settings, before);
  EXPECT_TRUE(store.saved.empty());
  EXPECT_EQ(autorun.enables + autorun.disables, 0);
  EXPECT_TRUE(view.ApplyEnabled());
  EXPECT_EQ(journal.calls, (std::vector<std::string>{"ShowMessageBox", "SelectTab 1"}));
}

TEST_F(OptionsPresenterTest, RejectionOnTheSecondTabBringsBackTheFirstPanelWithFocus) {
  Open();
  view.TypeText(OptionsValueBox::txtCV0Value, "100");
  view.selected_tab = 2;
  presenter.OnTabClick();
  journal.calls.clear();
  presenter.OnApply();
  EXPECT_EQ(journal.calls,
            (std::vector<std::string>{"ShowMessageBox", "SelectTab 1", "SetPanelVisible 1 true",
                                      "SetPanelVisible 2 false", "FocusPanel 1"}));
  EXPECT_EQ(presenter.CurrentTab(), 1);
}

// ---- OK and Cancel -----------------------------------------------------------

TEST_F(OptionsPresenterTest, OkWithoutEditsStillSavesWritesAutoRunAndCloses) {
  Open();
  presenter.OnOk();
  EXPECT_EQ(store.saved.size(), 1u);
  EXPECT_EQ(autorun.disables, 1);
  EXPECT_EQ(view.closes, 1);
}

TEST_F(OptionsPresenterTest, OkWithAValueOutOfRangeStaysOpenAndDirty) {
  Open();
  view.TypeText(OptionsValueBox::txtCV0Value, "0");
  presenter.OnOk();
  EXPECT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.closes, 0);
  EXPECT_TRUE(view.ApplyEnabled());
  // The edit is kept: fixing it lets OK through.
  view.TypeText(OptionsValueBox::txtCV0Value, "70");
  presenter.OnOk();
  EXPECT_EQ(view.closes, 1);
  EXPECT_EQ(settings.NotifyCV0Value, 70);
}

TEST_F(OptionsPresenterTest, CancelStoresNothingButKeepsWhatAnEarlierApplyStored) {
  Open();
  view.Click(OptionsCheckBox::chkNotifyPS2, kChecked);
  presenter.OnApply();
  view.Click(OptionsCheckBox::chkNotifyCV0, kChecked);
  view.TypeText(OptionsValueBox::txtCV2Value, "33");
  presenter.OnCancel();
  presenter.Unload();
  EXPECT_EQ(view.closes, 1);
  EXPECT_EQ(store.saved.size(), 1u);
  EXPECT_EQ(settings.NotifyPS2, kTrue);
  EXPECT_EQ(settings.NotifyCV0, kFalse);
  EXPECT_EQ(settings.NotifyCV2Value, 20);
}

TEST_F(OptionsPresenterTest, ReopeningShowsTheAppliedValuesNotTheLastEdits) {
  Open();
  view.TypeText(OptionsValueBox::txtCV2Value, "15");
  presenter.OnApply();
  view.TypeText(OptionsValueBox::txtCV2Value, "45");
  presenter.OnCancel();
  presenter.Unload();

  FakeOptionsView second_view;
  OptionsPresenter second{second_view, settings, store, autorun, dialogs};
  second.Load();
  EXPECT_EQ(second_view.ValueText(OptionsValueBox::txtCV2Value), "15");
}

// ---- A failed save -----------------------------------------------------------

TEST_F(OptionsPresenterTest, FailedSaveIsReportedAndKeepsApplyEnabled) {
  store.fail_saves = true;
  Open();
  view.Click(OptionsCheckBox::chkNotifyPS1, kChecked);
  presenter.OnApply();
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text, "設定を保存できませんでした。");
  EXPECT_EQ(view.messages[0].title, "エラー");
  EXPECT_EQ(view.messages[0].style, 0x30u);
  EXPECT_TRUE(view.ApplyEnabled());
  // The new values hold for this run.
  EXPECT_EQ(settings.NotifyPS1, kTrue);
}

TEST_F(OptionsPresenterTest, OkWithAFailedSaveLeavesTheDialogOpen) {
  store.fail_saves = true;
  Open();
  presenter.OnOk();
  EXPECT_EQ(view.closes, 0);
  EXPECT_EQ(view.messages.size(), 1u);
  store.fail_saves = false;
  presenter.OnOk();
  EXPECT_EQ(view.closes, 1);
}

// ---- The open state ----------------------------------------------------------

TEST_F(OptionsPresenterTest, HoldsItsOwnOpenStateFromLoadToUnload) {
  EXPECT_FALSE(dialogs.DialogOpen());
  Open();
  EXPECT_TRUE(dialogs.IsOpen(DialogKind::Options));
  EXPECT_TRUE(dialogs.DialogOpen());
  presenter.Unload();
  EXPECT_FALSE(dialogs.IsOpen(DialogKind::Options));
  EXPECT_FALSE(dialogs.DialogOpen());
}

TEST_F(OptionsPresenterTest, UnloadOfTheOptionsDialogLeavesAnOpenAboutBoxOpen) {
  dialogs.MarkLoaded(DialogKind::About);
  Open();
  presenter.Unload();
  EXPECT_TRUE(dialogs.DialogOpen());
  EXPECT_TRUE(dialogs.IsOpen(DialogKind::About));
}

}  // namespace
}  // namespace norvaket
