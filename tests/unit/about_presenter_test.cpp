#include "tray/about_presenter.h"

#include <gtest/gtest.h>

#include "fakes/call_journal.h"
#include "fakes/fake_about_view.h"
#include "fakes/recording_launcher.h"

namespace norvaket {
namespace {

using testing::CallJournal;
using testing::FakeAboutView;
using testing::RecordingLauncher;

ProgramIdentity TestIdentity() {
  return ProgramIdentity{
      "Halvoria", 1, 11, 77, "Legal text", "https://maker.example/", "someone@maker.example"};
}

class AboutPresenterTest : public ::testing::Test {
 protected:
  CallJournal journal;
  FakeAboutView view{&journal};
  RecordingLauncher launcher{&journal};
  DialogTracker dialogs;
  AboutPresenter presenter{view, launcher, dialogs, TestIdentity()};
};

TEST_F(AboutPresenterTest, LoadFillsTheBox) {
  presenter.Load();
  EXPECT_EQ(view.caption, "Halvoria のバージョン情報");
  EXPECT_EQ(view.version, "バージョン 1.11.0077");
  EXPECT_EQ(view.title, "Halvoria");
  EXPECT_EQ(view.description, "Legal text");
  EXPECT_TRUE(view.icon_copied);
  EXPECT_EQ(view.link_captions[0], "https://maker.example/");
  EXPECT_EQ(view.link_captions[1], "someone@maker.example");
  EXPECT_EQ(view.link_colours[0], kLinkColour);
  EXPECT_EQ(view.link_colours[1], kLinkColour);
}

TEST_F(AboutPresenterTest, ClickTurnsTheLinkPurplePaintsThenOpensItsTarget) {
  presenter.Load();
  journal.calls.clear();
  presenter.OnLinkClick(kMailLink);
  EXPECT_EQ(journal.calls, (std::vector<std::string>{"SetLinkColour 1", "ProcessPendingEvents",
                                                     "OpenLink mailto:someone@maker.example"}));
  EXPECT_EQ(view.link_colours[1], (Rgb{136, 0, 136}));
  EXPECT_EQ(view.link_colours[0], (Rgb{0, 0, 255}));
  EXPECT_EQ(view.closes, 0);

  presenter.OnLinkClick(kWebLink);
  presenter.OnLinkClick(kWebLink);
  EXPECT_EQ(launcher.links,
            (std::vector<std::string>{"mailto:someone@maker.example", "https://maker.example/",
                                      "https://maker.example/"}));
  EXPECT_EQ(view.link_colours[0], kVisitedLinkColour);
}

TEST_F(AboutPresenterTest, ClickOnAnUnknownLinkDoesNothing) {
  presenter.Load();
  presenter.OnLinkClick(2);
  EXPECT_TRUE(launcher.links.empty());
}

TEST_F(AboutPresenterTest, ANewOpeningStartsWithBlueLinks) {
  presenter.Load();
  presenter.OnLinkClick(kWebLink);
  presenter.Unload();
  FakeAboutView second_view;
  AboutPresenter second{second_view, launcher, dialogs, TestIdentity()};
  second.Load();
  EXPECT_EQ(second_view.link_colours[0], kLinkColour);
}

TEST_F(AboutPresenterTest, OkClosesAndUnloadClearsOnlyItsOwnOpenState) {
  dialogs.MarkLoaded(DialogKind::Options);
  presenter.Load();
  EXPECT_TRUE(dialogs.IsOpen(DialogKind::About));
  presenter.OnOk();
  EXPECT_EQ(view.closes, 1);
  presenter.Unload();
  EXPECT_FALSE(dialogs.IsOpen(DialogKind::About));
  EXPECT_TRUE(dialogs.DialogOpen());
}

}  // namespace
}  // namespace norvaket
