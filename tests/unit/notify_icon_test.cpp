#include "tray/notify_icon.h"

#include <gtest/gtest.h>

#include "fakes/recording_shell.h"

namespace norvaket {
namespace {

using testing::RecordingShell;
using testing::RecordingWaiter;

class NotifyIconTest : public ::testing::Test {
 protected:
  RecordingShell shell;
  RecordingWaiter waiter;
  NotifyIcon icon{shell, waiter};
};

TEST_F(NotifyIconTest, AcceptedAddIsOneCallWithoutWait) {
  icon.NotifyIconAdd(77, 208, "tip");
  ASSERT_EQ(shell.calls.size(), 1u);
  const TrayIconRecord& r = shell.calls[0].record;
  EXPECT_EQ(shell.calls[0].message, NotifyMessage::Add);
  EXPECT_EQ(r.hWnd, 77u);
  EXPECT_EQ(r.uID, 1u);
  EXPECT_EQ(r.uFlags, 7u);
  EXPECT_EQ(r.uCallbackMessage, 0x200u);
  EXPECT_EQ(r.hIcon, 208);
  EXPECT_EQ(r.szTip, "tip");
  EXPECT_TRUE(waiter.waits.empty());
}

TEST_F(NotifyIconTest, RefusedAddsAreRetriedSixTimesWithAWaitAfterEach) {
  shell.refused_adds = 100;
  icon.NotifyIconAdd(1, 100, "tip");
  EXPECT_EQ(shell.calls.size(), 6u);
  ASSERT_EQ(waiter.waits.size(), 6u);
  for (auto wait : waiter.waits) EXPECT_EQ(wait, std::chrono::milliseconds(5000));
}

TEST_F(NotifyIconTest, AddStopsAtTheFirstAcceptance) {
  shell.refused_adds = 2;
  icon.NotifyIconAdd(1, 100, "tip");
  EXPECT_EQ(shell.calls.size(), 3u);
  EXPECT_EQ(waiter.waits.size(), 2u);
}

TEST_F(NotifyIconTest, ModifyKeepsIconAndTipWhenNotGiven) {
  icon.NotifyIconAdd(1, 100, "old tip");
  icon.NotifyIconModify(0, "", "", "", false);
  const TrayIconRecord& r = shell.calls.back().record;
  EXPECT_EQ(shell.calls.back().message, NotifyMessage::Modify);
  EXPECT_EQ(r.hIcon, 100);
  EXPECT_EQ(r.szTip, "old tip");
  EXPECT_EQ(r.uFlags, 7u);
  EXPECT_EQ(r.dwInfoFlags, 0u);
}

TEST_F(NotifyIconTest, BalloonStoresTheTipWithoutFlaggingIt) {
  icon.NotifyIconAdd(1, 100, "old tip");
  icon.NotifyIconModify(205, "new tip", "text", "title", true);
  TrayIconRecord r = shell.calls.back().record;
  EXPECT_EQ(r.uFlags, 0x13u);
  EXPECT_EQ(r.uFlags & kNifTip, 0u);
  EXPECT_EQ(r.szTip, "new tip");
  EXPECT_EQ(r.szInfo, "text");
  EXPECT_EQ(r.szInfoTitle, "title");
  EXPECT_EQ(r.dwInfoFlags, 2u);
  EXPECT_EQ(r.hIcon, 205);

  EXPECT_FALSE(r.urgent);

  icon.NotifyIconModify(0, "", "text", "", false, true);
  r = shell.calls.back().record;
  EXPECT_EQ(r.szInfoTitle, "");
  EXPECT_EQ(r.dwInfoFlags, 1u);
  EXPECT_TRUE(r.urgent);

  icon.NotifyIconModify(0, "", "", "", false);
  r = shell.calls.back().record;
  EXPECT_FALSE(r.urgent);
  EXPECT_EQ(r.szInfo, "");
  EXPECT_EQ(r.szInfoTitle, "");
  EXPECT_EQ(r.uFlags, 7u);
}

TEST_F(NotifyIconTest, DeleteUsesWindowAndIdOfTheAdd) {
  icon.NotifyIconAdd(42, 100, "tip");
  icon.NotifyIconModify(110, "tip 2", "", "", false);
  icon.NotifyIconDelete();
  EXPECT_EQ(shell.calls.back().message, NotifyMessage::Delete);
  EXPECT_EQ(shell.calls.back().record.hWnd, 42u);
  EXPECT_EQ(shell.calls.back().record.uID, 1u);
}

TEST_F(NotifyIconTest, TextsAreCutToTheRecordLimitsOnCharacterBoundaries) {
  std::string long_text;
  for (int i = 0; i < 300; ++i) long_text += "電";
  icon.NotifyIconAdd(1, 100, long_text);
  EXPECT_EQ(icon.Record().szTip.size(), 127u * 3);
  icon.NotifyIconModify(0, "", long_text, long_text, false);
  EXPECT_EQ(icon.Record().szInfo.size(), 255u * 3);
  EXPECT_EQ(icon.Record().szInfoTitle.size(), 63u * 3);
}

}  // namespace
}  // namespace norvaket
