// The about box as real windows under Wine.
#include "platform/win32/about_box.h"

#include <gtest/gtest.h>

#include "dialog_test_support.h"
#include "fakes/recording_launcher.h"

namespace norvaket::win32 {
namespace {

using testing::OwnerWindow;
using testing::TimerAction;
using testing::WindowText;

ProgramIdentity Identity() {
  return ProgramIdentity{"Halvoria",      1, 11, 77, "(C) Norvaket", "https://example.org/",
                         "me@example.org"};
}

class AboutBoxTest : public ::testing::Test {
 protected:
  AboutBox& Open() {
    box = std::make_unique<AboutBox>(GetModuleHandleW(nullptr), owner.Handle(), launcher, dialogs,
                                     Identity());
    EXPECT_TRUE(box->Create(owner.Handle()));
    return *box;
  }
  std::string Label(int id) { return WindowText(GetDlgItem(box->Handle(), id)); }

  OwnerWindow owner;
  norvaket::testing::RecordingLauncher launcher;
  DialogTracker dialogs;
  std::unique_ptr<AboutBox> box;
};

TEST_F(AboutBoxTest, ShowsTheProgramsIdentityAndIcon) {
  AboutBox& about = Open();
  EXPECT_EQ(WindowText(about.Handle()), "Halvoria のバージョン情報");
  EXPECT_EQ(Label(AboutBox::kTitleId), "Halvoria");
  EXPECT_EQ(Label(AboutBox::kVersionId), "バージョン 1.11.0077");
  EXPECT_EQ(Label(AboutBox::kDescriptionId), "(C) Norvaket");
  EXPECT_EQ(WindowText(about.Link(0)), "https://example.org/");
  EXPECT_EQ(WindowText(about.Link(1)), "me@example.org");
  EXPECT_NE(SendMessageW(GetDlgItem(about.Handle(), AboutBox::kIconId), STM_GETICON, 0, 0), 0);
  EXPECT_EQ(SendMessageW(about.Handle(), WM_GETICON, ICON_BIG, 0),
            GetClassLongPtrW(owner.Handle(), GCLP_HICON));
  EXPECT_TRUE(dialogs.IsOpen(DialogKind::About));
  RECT client;
  GetClientRect(about.Handle(), &client);
  EXPECT_EQ(client.right, MulDiv(5730, about.Dpi(), 1440));
  EXPECT_EQ(client.bottom, MulDiv(3555, about.Dpi(), 1440));
}

TEST_F(AboutBoxTest, ALinkClickOpensItsTargetAndTurnsPurple) {
  AboutBox& about = Open();
  EXPECT_EQ(about.LinkColour(0), kLinkColour);
  for (std::size_t link : {1u, 0u}) {
    // A click on a label with SS_NOTIFY, as the mouse makes it.
    SendMessageW(about.Link(link), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(about.Link(link), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }
  EXPECT_EQ(launcher.links,
            (std::vector<std::string>{"mailto:me@example.org", "https://example.org/"}));
  EXPECT_EQ(about.LinkColour(0), kVisitedLinkColour);
  EXPECT_EQ(about.LinkColour(1), kVisitedLinkColour);
  EXPECT_NE(about.Handle(), nullptr);  // the box stays open
}

TEST_F(AboutBoxTest, TheLinksShowTheHandCursor) {
  AboutBox& about = Open();
  SendMessageW(about.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(about.Link(0)),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, MAKEINTRESOURCEW(32649)));  // IDC_HAND
}

TEST_F(AboutBoxTest, EnterAndEscBothCloseTheModalBox) {
  for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    AboutBox about(GetModuleHandleW(nullptr), owner.Handle(), launcher, dialogs, Identity());
    TimerAction press(50, [&] {
      if (about.Handle() == nullptr) return false;
      EXPECT_TRUE(dialogs.IsOpen(DialogKind::About));
      PostMessageW(GetFocus(), WM_KEYDOWN, key, 1);
      return true;
    });
    about.ShowModal(owner.Handle());
    EXPECT_EQ(press.Runs(), 1) << key;
    EXPECT_FALSE(dialogs.IsOpen(DialogKind::About)) << key;
  }
}

}  // namespace
}  // namespace norvaket::win32
