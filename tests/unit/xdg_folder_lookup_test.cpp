#include "platform/linux/xdg_folder_lookup.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "fakes/temp_folder.h"
#include "platform/linux/ini_file_store.h"
#include "platform/linux/xdg_config_home.h"
#include "settings/ini_settings_store.h"

namespace norvaket::linux_platform {
namespace {

using testing::ReadWholeFile;
using testing::TempFolder;

TEST(XdgConfigHomeTest, TakesAnAbsoluteXdgConfigHomeElseHomeDotConfig) {
  EXPECT_EQ(XdgConfigHome("/x/cfg", "/home/ami"), "/x/cfg");
  EXPECT_EQ(XdgConfigHome(nullptr, "/home/ami"), "/home/ami/.config");
  EXPECT_EQ(XdgConfigHome("", "/home/ami/"), "/home/ami/.config");
  EXPECT_EQ(XdgConfigHome("relative/cfg", "/home/ami"), "/home/ami/.config");
  // Without a usable HOME the password database names the home folder.
  const std::string fallback = XdgConfigHome(nullptr, "relative");
  EXPECT_TRUE(fallback.empty() || (fallback.starts_with("/") && fallback.ends_with("/.config")))
      << fallback;
}

TEST(XdgFolderLookupTest, AnswersLikeTheSpecialFolderQuery) {
  XdgFolderLookup folders("/x/cfg", "/opt/norvaket/bin");
  std::string path;
  EXPECT_EQ(folders.GetFolderPath(kCsidlAppData | kCsidlFlagCreate, path), kFolderFound);
  EXPECT_EQ(path, "/x/cfg");
  EXPECT_EQ(folders.GetFolderPath(28, path), kFolderBadId);

  XdgFolderLookup homeless("", "/opt/norvaket/bin");
  IniFileStore profile;
  IniSettingsStore store(profile, homeless);
  EXPECT_EQ(homeless.GetFolderPath(kCsidlAppData, path), kFolderNotThere);
  EXPECT_EQ(store.SettingsFilePath(), "/opt/norvaket/bin/Norvaket/Norvaket.ini");
}

TEST(XdgFolderLookupTest, ExecutableFolderComesFromProcSelfExe) {
  EXPECT_EQ(XdgFolderLookup::FromEnvironment().ExecutableFolder(),
            std::filesystem::read_symlink("/proc/self/exe").parent_path().string());
}

TEST(XdgFolderLookupTest, SettingsOverATemporaryConfigHome) {
  TempFolder temp;
  const std::string config_home = temp / "fresh/.config";  // not there yet
  std::filesystem::create_directory(temp / "fresh");
  XdgFolderLookup folders(config_home, "/nowhere");
  IniFileStore profile;
  IniSettingsStore store(profile, folders);

  Settings loaded;
  store.LoadSettings(loaded);
  EXPECT_EQ(loaded, DefaultSettings());
  EXPECT_FALSE(std::filesystem::exists(config_home));  // a load leaves no trace

  Settings changed = DefaultSettings();
  changed.NotifyCV2Value = 7;
  changed.NotifyRT = kFalse;
  ASSERT_TRUE(store.SaveSettings(changed));
  EXPECT_EQ(store.SettingsFilePath(), config_home + "/Norvaket/Norvaket.ini");
  struct stat status {};
  ASSERT_EQ(::stat((config_home + "/Norvaket").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0700u);
  Settings reloaded;
  store.LoadSettings(reloaded);
  EXPECT_EQ(reloaded, changed);
  EXPECT_NE(ReadWholeFile(store.SettingsFilePath()).find("\nNotifyCV2Value=7\n"),
            std::string::npos);
}

TEST(XdgFolderLookupTest, ASaveThatCannotWriteSaysSo) {
  TempFolder temp;
  testing::WriteWholeFile(temp / "Norvaket", "a file where the folder should be");
  XdgFolderLookup folders(temp.path(), "/nowhere");
  IniFileStore profile;
  IniSettingsStore store(profile, folders);
  EXPECT_FALSE(store.SaveSettings(DefaultSettings()));
}

}  // namespace
}  // namespace norvaket::linux_platform
