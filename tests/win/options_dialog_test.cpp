// The options dialog as real windows under Wine: its controls driven with the
// messages a user's clicks and keys produce, the INI file and the Run value
// checked on disk and in the registry afterwards.
#include "platform/win32/options_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "dialog_test_support.h"
#include "platform/win32/message_pump.h"
#include "platform/win32/win32_profile_store.h"
#include "platform/win32/win32_registry.h"
#include "settings/ini_settings_store.h"
#include "settings/registry_auto_run.h"
#include "settings/registry_layer.h"
#include "test_folder_lookup.h"
#include "win32_test_folder.h"

namespace norvaket::win32 {
namespace {

using testing::MessageBoxAnswerer;
using testing::OwnerWindow;
using testing::PressKey;
using testing::ReadText;
using testing::TestFolder;
using testing::TestFolderLookup;
using testing::TimerAction;
using testing::TypeText;
using testing::WindowText;

constexpr char kProgramPath[] = "C:\\Program Files\\Norvaket\\norvaket";

std::string RunValue(RegistryApi& registry) {
  return RegistryValueText(
      GetRegistryValue(registry, kHkeyCurrentUser, kRunKeyPath, kAutoRunValueName, std::string()));
}

class OptionsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteRegistryValue(registry, kHkeyCurrentUser, kRunKeyPath, kAutoRunValueName);
    settings = DefaultSettings();
  }
  void TearDown() override {
    dialog.reset();
    DeleteRegistryValue(registry, kHkeyCurrentUser, kRunKeyPath, kAutoRunValueName);
    DeleteFileW(ToUtf16(Ini()).c_str());
    RemoveDirectoryW(ToUtf16(folder.File("Norvaket")).c_str());
  }

  OptionsDialog& Open() {
    dialog = std::make_unique<OptionsDialog>(GetModuleHandleW(nullptr), owner.Handle(), settings,
                                             store, autorun, dialogs);
    EXPECT_TRUE(dialog->Create(owner.Handle()));
    return *dialog;
  }
  std::string Ini() { return folder.File("Norvaket\\Norvaket.ini"); }
  bool Checked(OptionsCheckBox box) {
    return SendMessageW(dialog->CheckBox(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  void Click(HWND control) { SendMessageW(control, BM_CLICK, 0, 0); }
  bool ApplyEnabled() { return IsWindowEnabled(dialog->ApplyButton()) != FALSE; }
  int SelectedTab() {
    return static_cast<int>(SendMessageW(dialog->TabStrip(), TCM_GETCURSEL, 0, 0)) + 1;
  }
  bool Visible(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

  TestFolder folder;
  TestFolderLookup folders{ToUtf8(folder.Path())};
  Win32ProfileStore files;
  IniSettingsStore store{files, folders};
  Win32Registry registry;
  RegistryAutoRun autorun{registry, kProgramPath};
  DialogTracker dialogs;
  Settings settings;
  OwnerWindow owner;
  std::unique_ptr<OptionsDialog> dialog;
};

TEST_F(OptionsDialogTest, OpensFilledFromTheSettingsWithApplyDisabled) {
  settings.NotifyPS1 = kTrue;
  settings.NotifyAtRun = kFalse;
  OptionsDialog& options = Open();
  EXPECT_EQ(WindowText(options.Handle()), "オプション");
  EXPECT_TRUE(dialogs.IsOpen(DialogKind::Options));
  for (const CheckBoxBinding& binding : kSettingCheckBoxes) {
    EXPECT_EQ(Checked(binding.box), settings.*binding.field == kTrue) << ControlName(binding.box);
  }
  EXPECT_FALSE(Checked(OptionsCheckBox::chkAutoRun));
  EXPECT_EQ(WindowText(options.ValueBox(OptionsValueBox::txtCV2Value)), "20");
  EXPECT_EQ(WindowText(options.ValueBox(OptionsValueBox::txtCV0Value)), "80");
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_EQ(SelectedTab(), 1);
  EXPECT_TRUE(Visible(options.Panel(1)));
  EXPECT_FALSE(Visible(options.Panel(2)));
  EXPECT_EQ(GetParent(options.CheckBox(OptionsCheckBox::chkAutoRun)), options.Panel(2));
}

TEST_F(OptionsDialogTest, ARegisteredProgramTicksTheAutorunBox) {
  SetRegistryValue(registry, kHkeyCurrentUser, kRunKeyPath, kAutoRunValueName,
                   std::string("D:\\old\\norvaket"));
  Open();
  EXPECT_TRUE(Checked(OptionsCheckBox::chkAutoRun));
  EXPECT_FALSE(ApplyEnabled());
}

TEST_F(OptionsDialogTest, TheClientAreaAndFontFollowTheDesignAtTheDialogsDpi) {
  OptionsDialog& options = Open();
  RECT client;
  GetClientRect(options.Handle(), &client);
  EXPECT_EQ(client.right, MulDiv(6975, options.Dpi(), 1440));
  EXPECT_EQ(client.bottom, MulDiv(5910, options.Dpi(), 1440));
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(options.OkButton(), WM_GETFONT, 0, 0)),
             sizeof font, &font);
  EXPECT_EQ(std::wstring(font.lfFaceName), L"MS UI Gothic");
  EXPECT_EQ(font.lfHeight, -MulDiv(9, options.Dpi(), 72));
  EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET);
  RECT ok;
  GetWindowRect(options.OkButton(), &ok);
  MapWindowPoints(nullptr, options.Handle(), reinterpret_cast<POINT*>(&ok), 2);
  EXPECT_EQ(ok.left, MulDiv(2750, options.Dpi(), 1440));
  EXPECT_EQ(ok.top, MulDiv(5510, options.Dpi(), 1440));
}

TEST_F(OptionsDialogTest, TheSteppersAreUpDownControlsOfTheFirstPanel) {
  OptionsDialog& options = Open();
  for (OptionsValueBox box : {OptionsValueBox::txtCV2Value, OptionsValueBox::txtCV0Value}) {
    HWND stepper = options.Stepper(box);
    ASSERT_NE(stepper, nullptr);
    EXPECT_EQ(GetParent(stepper), options.Panel(1));
    EXPECT_EQ(GetDlgCtrlID(stepper), 101);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(stepper, GWL_STYLE)) & 0x5000002Fu, 0x50000026u);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(stepper, UDM_GETBUDDY, 0, 0)),
              options.ValueBox(box));
    int lowest = 0;
    int highest = 0;
    SendMessageW(stepper, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lowest),
                 reinterpret_cast<LPARAM>(&highest));
    EXPECT_EQ(lowest, 1);
    EXPECT_EQ(highest, 99);
  }
}

TEST_F(OptionsDialogTest, BothValueBoxRowsShareOneLeftEdgeAndWidth) {
  OptionsDialog& options = Open();
  RECT low;
  RECT progress;
  GetWindowRect(options.ValueBox(OptionsValueBox::txtCV2Value), &low);
  GetWindowRect(options.ValueBox(OptionsValueBox::txtCV0Value), &progress);
  EXPECT_EQ(low.left, progress.left);
  EXPECT_EQ(low.right - low.left, progress.right - progress.left);
  for (OptionsValueBox box : {OptionsValueBox::txtCV2Value, OptionsValueBox::txtCV0Value}) {
    RECT value;
    RECT stepper;
    GetWindowRect(options.ValueBox(box), &value);
    GetWindowRect(options.Stepper(box), &stepper);
    EXPECT_LE(value.right, stepper.left) << "the stepper does not cover the box";
  }
}

TEST_F(OptionsDialogTest, ArrowKeysStepTheValueWithinOneToNinetyNineWithoutWrapping) {
  settings.NotifyCV2Value = 1;
  settings.NotifyCV0Value = 98;
  OptionsDialog& options = Open();
  HWND low = options.ValueBox(OptionsValueBox::txtCV2Value);
  HWND progress = options.ValueBox(OptionsValueBox::txtCV0Value);
  PressKey(low, VK_DOWN);
  EXPECT_EQ(WindowText(low), "1");
  PressKey(low, VK_UP);
  EXPECT_EQ(WindowText(low), "2");
  PressKey(progress, VK_UP);
  PressKey(progress, VK_UP);
  EXPECT_EQ(WindowText(progress), "99");
  EXPECT_TRUE(ApplyEnabled());  // a step is an edit
}

struct EditCase {
  const char* name;
  std::function<void(OptionsDialog&)> edit;
};

class EditEnablesApplyTest : public OptionsDialogTest,
                             public ::testing::WithParamInterface<EditCase> {};

TEST_P(EditEnablesApplyTest, EveryKindOfEditEnablesApply) {
  OptionsDialog& options = Open();
  ASSERT_FALSE(ApplyEnabled());
  GetParam().edit(options);
  EXPECT_TRUE(ApplyEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Edits, EditEnablesApplyTest,
    ::testing::Values(EditCase{"CheckBoxClick",
                               [](OptionsDialog& d) {
                                 SendMessageW(d.CheckBox(OptionsCheckBox::chkUseTimeStamp),
                                              BM_CLICK, 0, 0);
                               }},
                      EditCase{"HiddenPanelCheckBox",
                               [](OptionsDialog& d) {
                                 SendMessageW(d.CheckBox(OptionsCheckBox::chkAutoRun), BM_CLICK, 0,
                                              0);
                               }},
                      EditCase{"Typing",
                               [](OptionsDialog& d) {
                                 TypeText(d.ValueBox(OptionsValueBox::txtCV0Value), "5");
                               }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OptionsDialogTest, ApplyWritesTheIniFileAndTheRunValueAndStaysOpen) {
  OptionsDialog& options = Open();
  Click(options.CheckBox(OptionsCheckBox::chkNotifyAtRun));
  Click(options.CheckBox(OptionsCheckBox::chkNotifyPS1));
  Click(options.CheckBox(OptionsCheckBox::chkAutoRun));
  TypeText(options.ValueBox(OptionsValueBox::txtCV0Value), "65.5");
  Click(options.ApplyButton());
  EXPECT_FALSE(ApplyEnabled());
  EXPECT_NE(options.Handle(), nullptr);
  EXPECT_EQ(settings.NotifyAtRun, kFalse);
  EXPECT_EQ(settings.NotifyPS1, kTrue);
  EXPECT_EQ(settings.NotifyCV0Value, 66);
  const std::string ini = ReadText(Ini());
  EXPECT_NE(ini.find("NotifyAtRun=No\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("NotifyPS1=Yes\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("NotifyCV0Value=66\r\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("UseTimeStamp=No\r\n"), std::string::npos) << ini;
  EXPECT_EQ(RunValue(registry), std::string("\"") + kProgramPath + "\"");

  Click(options.CheckBox(OptionsCheckBox::chkAutoRun));
  Click(options.ApplyButton());
  EXPECT_EQ(RunValue(registry), "");
}

struct RejectCase {
  const char* name;
  const char* low_battery;
  const char* charge_progress;
  const char* message;
};

class RejectedApplyTest : public OptionsDialogTest,
                          public ::testing::WithParamInterface<RejectCase> {};

TEST_P(RejectedApplyTest, ShowsTheWarningOnTheFirstTabAndStoresNothing) {
  OptionsDialog& options = Open();
  Click(options.CheckBox(OptionsCheckBox::chkAutoRun));
  TypeText(options.ValueBox(OptionsValueBox::txtCV2Value), GetParam().low_battery);
  TypeText(options.ValueBox(OptionsValueBox::txtCV0Value), GetParam().charge_progress);
  PressKey(options.TabStrip(), VK_RIGHT);  // the user looks at the second tab
  ASSERT_EQ(SelectedTab(), 2);
  ASSERT_TRUE(Visible(options.Panel(2)));
  const Settings before = settings;
  MessageBoxAnswerer answerer("エラー");
  Click(options.ApplyButton());
  ASSERT_EQ(answerer.texts.size(), 1u);
  EXPECT_EQ(answerer.texts[0], GetParam().message);
  EXPECT_TRUE(answerer.exclamation[0]);
  EXPECT_EQ(SelectedTab(), 1);
  EXPECT_TRUE(Visible(options.Panel(1)));
  EXPECT_FALSE(Visible(options.Panel(2)));
  EXPECT_TRUE(ApplyEnabled());
  EXPECT_EQ(settings, before);
  EXPECT_EQ(GetFileAttributesW(ToUtf16(Ini()).c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(RunValue(registry), "");
}

INSTANTIATE_TEST_SUITE_P(
    Values, RejectedApplyTest,
    ::testing::Values(RejectCase{"LowBatteryZero", "0", "80", kLowBatteryRangeMessage},
                      RejectCase{"LowBatteryLetters", "abc", "80", kLowBatteryRangeMessage},
                      RejectCase{"ChargeProgressEmpty", "20", "", kChargeProgressRangeMessage},
                      RejectCase{"BothOutOfRange", "100", "99.4", kChargeProgressRangeMessage}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OptionsDialogTest, AFailedSaveIsReportedAndApplyStaysEnabled) {
  // An application-data folder that cannot hold the settings folder.
  TestFolderLookup nowhere(folder.File("missing\\deeper"));
  IniSettingsStore failing_store(files, nowhere);
  dialog = std::make_unique<OptionsDialog>(GetModuleHandleW(nullptr), owner.Handle(), settings,
                                           failing_store, autorun, dialogs);
  ASSERT_TRUE(dialog->Create(owner.Handle()));
  Click(dialog->CheckBox(OptionsCheckBox::chkUseTimeStamp));
  MessageBoxAnswerer answerer("エラー");
  Click(dialog->ApplyButton());
  ASSERT_EQ(answerer.texts.size(), 1u);
  EXPECT_EQ(answerer.texts[0], "設定を保存できませんでした。");
  EXPECT_TRUE(ApplyEnabled());
}

TEST_F(OptionsDialogTest, OkSavesAndClosesCancelAndTheCloseBoxOnlyClose) {
  OptionsDialog& options = Open();
  Click(options.CheckBox(OptionsCheckBox::chkUseTimeStamp));
  Click(options.CancelButton());
  EXPECT_EQ(options.Handle(), nullptr);
  EXPECT_FALSE(dialogs.IsOpen(DialogKind::Options));
  EXPECT_EQ(settings.UseTimeStamp, kFalse);
  EXPECT_EQ(GetFileAttributesW(ToUtf16(Ini()).c_str()), INVALID_FILE_ATTRIBUTES);

  OptionsDialog& again = Open();
  EXPECT_FALSE(Checked(OptionsCheckBox::chkUseTimeStamp));  // the edit was not kept
  SendMessageW(again.Handle(), WM_CLOSE, 0, 0);
  ProcessWaitingMessages();  // the close box posts its Cancel
  EXPECT_EQ(again.Handle(), nullptr);

  OptionsDialog& third = Open();
  Click(third.OkButton());  // nothing edited: OK still saves
  EXPECT_EQ(third.Handle(), nullptr);
  EXPECT_NE(ReadText(Ini()).find("NotifyAtRun=Yes"), std::string::npos);
}

// The keys go through the dialog manager, which only the modal loop runs.
TEST_F(OptionsDialogTest, ModallyEnterIsOkAndEscIsCancel) {
  OptionsDialog modal(GetModuleHandleW(nullptr), owner.Handle(), settings, store, autorun, dialogs);
  TimerAction escape(50, [&] {
    if (modal.Handle() == nullptr) return false;
    SendMessageW(modal.CheckBox(OptionsCheckBox::chkUseTimeStamp), BM_CLICK, 0, 0);
    PostMessageW(modal.CheckBox(OptionsCheckBox::chkUseTimeStamp), WM_KEYDOWN, VK_ESCAPE, 1);
    return true;
  });
  modal.ShowModal(owner.Handle());
  EXPECT_EQ(settings.UseTimeStamp, kFalse);
  EXPECT_FALSE(dialogs.IsOpen(DialogKind::Options));

  OptionsDialog second(GetModuleHandleW(nullptr), owner.Handle(), settings, store, autorun,
                       dialogs);
  TimerAction enter(50, [&] {
    if (second.Handle() == nullptr) return false;
    SendMessageW(second.CheckBox(OptionsCheckBox::chkUseTimeStamp), BM_CLICK, 0, 0);
    PostMessageW(second.ValueBox(OptionsValueBox::txtCV2Value), WM_KEYDOWN, VK_RETURN, 1);
    return true;
  });
  second.ShowModal(owner.Handle());
  EXPECT_EQ(settings.UseTimeStamp, kTrue);
  EXPECT_NE(ReadText(Ini()).find("UseTimeStamp=Yes"), std::string::npos);
}

}  // namespace
}  // namespace norvaket::win32
