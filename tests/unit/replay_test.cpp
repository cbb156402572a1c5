#include <gtest/gtest.h>

#include <sstream>

#include "fakes/temp_folder.h"
#include "tools/status/replay_clock.h"
#include "tools/status/replay_command.h"
#include "tools/status/settings_file.h"
#include "tools/status/status_options.h"

namespace norvaket::replay {
namespace {

struct ReplayResult {
  int status;
  std::string out;
  std::string err;
};

ReplayResult Replay(const std::string& trace, Settings settings = DefaultSettings(),
                    TimeOfDay start = {}) {
  std::istringstream input(trace);
  std::ostringstream out, err;
  const int status = RunReplay(input, settings, start, out, err);
  return {status, out.str(), err.str()};
}

TEST(ReplayTest, StartTickAndUnplugProduceTheDocumentedLines) {
  const ReplayResult r = Replay(
      "# plugged in, then unplugged\n"
      "start 1 8 84 -1 -1\n"
      "\n"
      "tick 1 8 85 -1 -1\n"
      "clock 13:00:00\n"
      "tick 0 1 85 3900 -1\r\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            R"j({"event":"start","state":-1,"level":84,"lifetime":-1,"icon":308,"tooltip":"AC電源\r\n84% (充電中)","shell":["add"],"balloons":[]})j"
            "\n"
            R"j({"event":"tick","state":3,"level":85,"lifetime":-1,"icon":308,"tooltip":"AC電源\r\n85% (充電中)","shell":["modify","balloon"],"balloons":[{"title":"バッテリを充電しています","text":"システムはAC電源で動作しています","icon":"info"}]})j"
            "\n"
            R"j({"event":"tick","state":2,"level":85,"lifetime":3900,"icon":208,"tooltip":"バッテリ\r\n14:05 まで (85%)","shell":["modify","balloon"],"balloons":[{"title":"バッテリの持続時","text":"バッテリは 14:05 まで使用可能です。","icon":"info"}]})j"
            "\n");
}

TEST(ReplayTest, TicksAdvanceTheClockByTheUpdateInterval) {
  Settings settings = DefaultSettings();
  settings.UseTimeStamp = kTrue;
  settings.UpdateInterval = 60000;
  const ReplayResult r = Replay("start 1 0 50 -1 -1\ntick 1 0 50 -1 -1\n", settings, {9, 4, 30});
  EXPECT_NE(r.out.find("(9:05)"), std::string::npos) << r.out;
}

TEST(ReplayTest, ResumeResetsSoTheNextTickShowsTheStartNotification) {
  const ReplayResult r = Replay(
      "start 1 0 90 -1 -1\ntick 1 0 90 -1 -1\nresume 0 0 90 -1 -1\ntick 0 0 90 -1 -1\n");
  std::istringstream lines(r.out);
  std::string line;
  std::vector<std::string> all;
  while (std::getline(lines, line)) all.push_back(line);
  ASSERT_EQ(all.size(), 4u);
  EXPECT_NE(all[2].find(R"("event":"resume","state":-1)"), std::string::npos);
  EXPECT_NE(all[2].find(R"("shell":[])"), std::string::npos);
  EXPECT_NE(all[3].find("バッテリを使用しています"), std::string::npos);
}

struct BadLineCase {
  const char* trace;
  const char* message;
};

class ReplayBadLineTest : public ::testing::TestWithParam<BadLineCase> {};

TEST_P(ReplayBadLineTest, StopsWithStatus2NamingTheLine) {
  const ReplayResult r = Replay(GetParam().trace);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(GetParam().message), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ReplayBadLineTest,
    ::testing::Values(BadLineCase{"tick 1 0 50 -1 -1\n", "line 1:"},
                      BadLineCase{"start 1 0 50 -1 -1\nstart 1 0 50 -1 -1\n", "line 2:"},
                      BadLineCase{"start 1 0 50 -1\n", "line 1:"},
                      BadLineCase{"start 1 0 256 -1 -1\n", "line 1:"},
                      BadLineCase{"start 1 0 50 2147483648 -1\n", "line 1:"},
                      BadLineCase{"start 1 0 5x -1 -1\n", "line 1:"},
                      BadLineCase{"# c\nclock 24:00:00\n", "line 2:"},
                      BadLineCase{"clock 12:5:00\n", "line 1:"},
                      BadLineCase{"start 1 0 50 -1 -1\nwake 1 0 50 -1 -1\n", "line 2:"}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(ReplayTest, NothingIsPrintedForTheBadLineOrAfterIt) {
  const ReplayResult r = Replay("start 1 0 50 -1 -1\nbogus\ntick 1 0 50 -1 -1\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 1);
}

TEST(ReplayClockTest, DateMovesOnOnlyPastMidnight) {
  ReplayClock clock;
  clock.SetTimeOfDay(23, 59, 59);
  clock.Advance(std::chrono::milliseconds(1500));
  const LocalDateTime now = clock.Now();
  EXPECT_EQ(now.day, 2);
  EXPECT_EQ(now.hour, 0);
  EXPECT_EQ(now.second, 0);
  clock.SetTimeOfDay(1, 0, 0);  // setting an earlier time keeps the date
  EXPECT_EQ(clock.Now().day, 2);
  clock.Advance(std::chrono::hours(24 * 31));
  EXPECT_EQ(clock.Now().month, 2);
}

class SettingsFileTest : public ::testing::Test {
 protected:
  bool Load(const std::string& text, Settings& settings, std::string& error) {
    const std::string path = folder_ / "Norvaket.ini";
    testing::WriteWholeFile(path, text);
    return status_tool::LoadSettingsFile(path, settings, error);
  }

  testing::TempFolder folder_;
};

TEST_F(SettingsFileTest, MissingFileIsAnErrorButMissingKeysAreNot) {
  Settings settings = DefaultSettings();
  std::string error;
  EXPECT_FALSE(status_tool::LoadSettingsFile(folder_ / "none.ini", settings, error));
  EXPECT_NE(error.find("none.ini"), std::string::npos) << error;
  EXPECT_FALSE(status_tool::LoadSettingsFile(folder_.path(), settings, error));

  EXPECT_TRUE(Load("", settings, error));
  EXPECT_EQ(settings, DefaultSettings());
  EXPECT_TRUE(Load("[Other]\nNotifyAtRun=No\n", settings, error));
  EXPECT_EQ(settings, DefaultSettings());
}

TEST_F(SettingsFileTest, UsesTheProgramsKeysDefaultsAndRangeRules) {
  Settings settings = DefaultSettings();
  std::string error;
  ASSERT_TRUE(Load("[norvaket 1.00]\r\nNotifyAtRun = NO\r\nNotifyPS1=1\r\nNotifyCV0Value=100\r\n"
                   "NotifyCV2Value=abc\r\nUpdateInterval=90000\r\nUseTimeStamp=\"Yes\"\r\n",
                   settings, error))
      << error;
  Settings expected = DefaultSettings();
  expected.NotifyAtRun = kFalse;
  expected.NotifyCV0Value = 50;
  expected.UpdateInterval = 60000;
  expected.UseTimeStamp = kTrue;
  EXPECT_EQ(settings, expected);
}

TEST_F(SettingsFileTest, ReplayRunsUnderTheLoadedSettings) {
  Settings settings = DefaultSettings();
  std::string error;
  ASSERT_TRUE(Load(
      "[Norvaket 1.00]\nUseTimeStamp=Yes\nUpdateInterval=120000\nNotifyAtRun=No\nNotifyPS1=Yes\n",
      settings, error));
  const ReplayResult r = Replay("start 1 0 50 -1 -1\ntick 1 0 50 -1 -1\ntick 0 0 50 -1 -1\n",
                                settings, {9, 0, 0});
  std::istringstream lines(r.out);
  std::vector<std::string> all;
  for (std::string line; std::getline(lines, line);) all.push_back(line);
  ASSERT_EQ(all.size(), 3u) << r.out;
  EXPECT_NE(all[1].find(R"("balloons":[])"), std::string::npos) << all[1];  // no start notice
  // Two ticks of the interval, which the range rule cuts to one minute.
  EXPECT_NE(all[2].find("(9:02)"), std::string::npos) << all[2];
}

TEST(StatusOptionsTest, ParsesAndRejects) {
  using status_tool::ParseStatusOptions;
  std::string error;
  auto options = ParseStatusOptions({"--replay", "t.txt", "--start-time", "09:30:00"}, error);
  ASSERT_TRUE(options);
  EXPECT_EQ(options->replay_file, "t.txt");
  EXPECT_EQ(options->start_time->hour, 9);
  options = ParseStatusOptions({"--sysfs", "/tmp/x"}, error);
  ASSERT_TRUE(options);
  EXPECT_EQ(options->source, "sysfs");
  EXPECT_FALSE(ParseStatusOptions({"--replay"}, error));
  EXPECT_FALSE(ParseStatusOptions({"--source", "acpi"}, error));
  EXPECT_FALSE(ParseStatusOptions({"--sysfs", "/x", "--source", "upower"}, error));
  EXPECT_FALSE(ParseStatusOptions({"--start-time", "9am"}, error));
  EXPECT_FALSE(ParseStatusOptions({"--frobnicate"}, error));
  EXPECT_FALSE(ParseStatusOptions({"--replay", "t", "--watch"}, error));
}

}  // namespace
}  // namespace norvaket::replay
