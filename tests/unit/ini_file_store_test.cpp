#include "platform/linux/ini_file_store.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <random>
#include <sstream>
#include <vector>

#include "fakes/temp_folder.h"
#include "platform/linux/xdg_folder_lookup.h"
#include "settings/ini_document.h"
#include "settings/ini_settings_store.h"
#include "settings/settings_reader_writer.h"

namespace norvaket::linux_platform {
namespace {

using testing::ReadWholeFile;
using testing::TempFolder;
using testing::WriteWholeFile;

constexpr const char* kSection = "Norvaket 1.00";

class IniFileStoreTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_ / name; }

  TempFolder folder_;
  IniFileStore store_;
};

TEST_F(IniFileStoreTest, ReadingAMissingFileGivesNothingAndCreatesNothing) {
  EXPECT_EQ(store_.GetProfileString(kSection, "k", Path("missing/Norvaket.ini")), "");
  EXPECT_EQ(store_.GetProfileString(kSection, "k", Path("Norvaket.ini")), "");
  EXPECT_TRUE(std::filesystem::is_empty(folder_.path()));
}

TEST_F(IniFileStoreTest, AWriteReplacesOneValueAndKeepsEveryOtherByte) {
  const std::string path = Path("Norvaket.ini");
  const std::string mine = "; mine\r\n[norvaket 1.00]\r\n k = 'old' \r\nother=1\r\n[x]\r\nk=2";
  WriteWholeFile(path, mine);
  EXPECT_EQ(store_.GetProfileString(kSection, "K", path), "old");
  ASSERT_TRUE(store_.WriteProfileString(kSection, "k", "new", path));
  EXPECT_EQ(ReadWholeFile(path), "; mine\r\n[norvaket 1.00]\r\n k =new\r\nother=1\r\n[x]\r\nk=2");
  ASSERT_TRUE(store_.WriteProfileString(kSection, "added", "v", path));
  EXPECT_EQ(ReadWholeFile(path),
            "; mine\r\n[norvaket 1.00]\r\n k =new\r\nother=1\r\nadded=v\r\n[x]\r\nk=2");
}

TEST_F(IniFileStoreTest, AWriteCreatesTheFileButNotItsFolder) {
  ASSERT_TRUE(store_.WriteProfileString(kSection, "k", "v", Path("Norvaket.ini")));
  EXPECT_EQ(ReadWholeFile(Path("Norvaket.ini")), "[Norvaket 1.00]\nk=v\n");
  EXPECT_FALSE(store_.WriteProfileString(kSection, "k", "v", Path("missing/Norvaket.ini")));
  EXPECT_FALSE(std::filesystem::exists(Path("missing")));
  // Nothing but the file itself is left in the folder: no temporary files.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(IniFileStoreTest, AWriteKeepsTheFilesPermissionsAndFollowsALink) {
  const std::string path = Path("Norvaket.ini");
  WriteWholeFile(path, "[Norvaket 1.00]\nk=1\n");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(store_.WriteProfileString(kSection, "k", "2", path));
  struct stat status {};
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);

  const std::string link = Path("link.ini");
  std::filesystem::create_symlink(path, link);
  ASSERT_TRUE(store_.WriteProfileString(kSection, "k", "3", link));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(store_.GetProfileString(kSection, "k", path), "3");
}

TEST_F(IniFileStoreTest, OnlyARegularFileOfAtMostOneMebibyteIsRead) {
  const std::string fifo = Path("fifo.ini");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(store_.GetProfileString(kSection, "k", fifo), "");  // and does not block
  EXPECT_FALSE(store_.WriteProfileString(kSection, "k", "v", fifo));
  EXPECT_EQ(store_.GetProfileString(kSection, "k", "/dev/zero"), "");
  EXPECT_EQ(store_.GetProfileString(kSection, "k", folder_.path()), "");

  const std::string head = "[Norvaket 1.00]\nk=v\n";
  const std::string path = Path("big.ini");
  WriteWholeFile(path, head + std::string(IniFileStore::kMaxFileBytes - head.size(), ';'));
  EXPECT_EQ(store_.GetProfileString(kSection, "k", path), "v");
  WriteWholeFile(path, head + std::string(IniFileStore::kMaxFileBytes - head.size() + 1, ';'));
  EXPECT_EQ(store_.GetProfileString(kSection, "k", path), "");
  // A file too big to read whole is not replaced by a file that lost its contents.
  EXPECT_FALSE(store_.WriteProfileString(kSection, "k", "w", path));
  EXPECT_EQ(std::filesystem::file_size(path), IniFileStore::kMaxFileBytes + 1);
}

// Runs `body` in a child process and gives its exit status (-1 when it did not exit).
template <typename Body>
int InChild(Body body) {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(body());
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(IniFileStoreTest, AFullDiskLeavesTheOldFileWhole) {
  const std::string path = Path("Norvaket.ini");
  const std::string old_text = "[Norvaket 1.00]\nk=" + std::string(200, 'o') + "\n";
  WriteWholeFile(path, old_text);
  const int result = InChild([&] {
    // Files may grow to 16 bytes only, as if the disk were full.
    ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit {};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 16;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    return IniFileStore().WriteProfileString(kSection, "k", "new", path) ? 1 : 0;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadWholeFile(path), old_text);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()),
                          std::filesystem::directory_iterator()),
            1);
}

Settings Alternate(int round) {
  Settings s = DefaultSettings();
  const Flag flag = ToFlag(round % 2 == 1);
  s.NotifyAtRun = s.NotifyPS1 = s.NotifyCV4 = s.UseTimeStamp = flag;
  s.NotifyCV0Value = round % 2 == 1 ? 75 : 80;
  s.NotifyCV2Value = round % 2 == 1 ? 5 : 20;
  return s;
}

// The lines a save of `settings` into an empty file gives.
std::vector<std::string> SavedLines(const Settings& settings) {
  IniDocument document;
  WriteSettingsRecord([&](const std::string& key,
                          const std::string& value) { return document.Set(kSection, key, value); },
                      settings);
  std::vector<std::string> lines;
  std::istringstream text(document.Text());
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

TEST_F(IniFileStoreTest, ASaveKilledAtAnyMomentLeavesAWholeFile) {
  XdgFolderLookup folders(folder_.path(), "/nowhere");
  IniFileStore profile;
  IniSettingsStore settings_store(profile, folders);
  const auto started = std::chrono::steady_clock::now();
  ASSERT_TRUE(settings_store.SaveSettings(Alternate(0)));
  // Kills spread over about two saves, however fast this disk is.
  const auto save_us = std::chrono::duration_cast<std::chrono::microseconds>(
                           std::chrono::steady_clock::now() - started)
                           .count();
  const std::string path = settings_store.SettingsFilePath();
  // Hand-made lines that every save must keep.
  const std::string tail = "UpdateInterval=4000\n; a note\n\n[Other]\nNotifyAtRun=Yes\n";
  WriteWholeFile(path, ReadWholeFile(path) + tail);
  const std::vector<std::string> lines_a = SavedLines(Alternate(0));
  const std::vector<std::string> lines_b = SavedLines(Alternate(1));
  ASSERT_EQ(lines_a.size(), 16u);

  std::mt19937 random(20260601);
  std::uniform_int_distribution<long> delay_us(0, 2 * save_us + 1000);
  for (int round = 0; round < 30; ++round) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      XdgFolderLookup child_folders(folder_.path(), "/nowhere");
      IniFileStore child_profile;
      IniSettingsStore child_store(child_profile, child_folders);
      for (int i = 1;; ++i) child_store.SaveSettings(Alternate(i));
    }
    ::usleep(static_cast<useconds_t>(delay_us(random)));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);

    // The keys are those of one whole save of either record, never a mix, and the
    // hand-made lines follow untouched.
    const std::string text = ReadWholeFile(path);
    ASSERT_TRUE(text.ends_with(tail)) << text;
    const std::string saved = text.substr(0, text.size() - tail.size());
    ASSERT_TRUE(saved == Joined(lines_a) || saved == Joined(lines_b)) << text;
    Settings loaded;
    settings_store.LoadSettings(loaded);
    ASSERT_EQ(loaded.UpdateInterval, 4000);
  }
}

// What happens to the settings file in one load and in one save, as inotify sees it.
struct FileEvents {
  int opens = 0;
  int replaces = 0;
};

template <typename Action>
FileEvents WatchSettingsFile(const std::string& folder, Action action) {
  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ::inotify_add_watch(watch, folder.c_str(), IN_OPEN | IN_MOVED_TO);
  action();
  FileEvents events;
  alignas(inotify_event) char buffer[64 * 1024];
  for (ssize_t got; (got = ::read(watch, buffer, sizeof buffer)) > 0;) {
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if (event->len > 0 && std::string(event->name) == "Norvaket.ini") {
        if (event->mask & IN_OPEN) ++events.opens;
        if (event->mask & IN_MOVED_TO) ++events.replaces;
      }
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
  ::close(watch);
  return events;
}

TEST_F(IniFileStoreTest, ALoadReadsTheFileOnceAndASaveReadsAndReplacesItOnce) {
  XdgFolderLookup folders(folder_.path(), "/nowhere");
  IniSettingsStore settings_store(store_, folders);
  ASSERT_TRUE(settings_store.SaveSettings(Alternate(0)));
  const std::string settings_folder = Path("Norvaket");
  Settings loaded;
  const FileEvents load =
      WatchSettingsFile(settings_folder, [&] { settings_store.LoadSettings(loaded); });
  EXPECT_EQ(loaded, Alternate(0));
  EXPECT_EQ(load.opens, 1);
  EXPECT_EQ(load.replaces, 0);
  const FileEvents save = WatchSettingsFile(
      settings_folder, [&] { ASSERT_TRUE(settings_store.SaveSettings(Alternate(1))); });
  EXPECT_EQ(save.opens, 1);
  EXPECT_EQ(save.replaces, 1);
  settings_store.LoadSettings(loaded);
  EXPECT_EQ(loaded, Alternate(1));
}

// A save killed before its rename leaves its temporary file; the next save removes it,
// and only it.
TEST_F(IniFileStoreTest, TheNextSaveRemovesTemporaryFilesLeftByAKilledOne) {
  XdgFolderLookup folders(folder_.path(), "/nowhere");
  IniSettingsStore settings_store(store_, folders);
  ASSERT_TRUE(settings_store.SaveSettings(Alternate(0)));
  const std::string stale = Path("Norvaket/.Norvaket.ini.a1B2c3");
  const std::string unrelated = Path("Norvaket/.Norvaket.ini.old");
  WriteWholeFile(stale, "[Norvaket 1.00]\nNotifyAtRun=");
  WriteWholeFile(unrelated, "mine");
  ASSERT_TRUE(settings_store.SaveSettings(Alternate(1)));
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_EQ(ReadWholeFile(unrelated), "mine");
}

// Files that are not settings files at all. Loading them never hangs or crashes and
// gives the defaults; a save either keeps every byte that was there or leaves the
// file alone.
struct HostileFile {
  const char* name;
  std::function<void(const std::string& path)> make;
  bool save_replaces;  // a save may rewrite it (it was read whole)
};

std::string Garbage(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string text(size, '\0');
  for (char& c : text) c = static_cast<char>(random());
  return text;
}

class HostileSettingsFileTest : public ::testing::TestWithParam<HostileFile> {
 protected:
  std::string Path() const { return folder_ / "Norvaket/Norvaket.ini"; }

  TempFolder folder_;
  XdgFolderLookup folders_{folder_.path(), "/nowhere"};
  IniFileStore profile_;
  IniSettingsStore store_{profile_, folders_};
};

TEST_P(HostileSettingsFileTest, LoadsTheDefaultsAndLosesNothingOnSave) {
  std::filesystem::create_directory(folder_ / "Norvaket");
  GetParam().make(Path());
  std::error_code error;
  const bool regular = std::filesystem::is_regular_file(Path(), error);
  const std::string before = regular ? ReadWholeFile(Path()) : "";
  const auto size_before = regular ? std::filesystem::file_size(Path()) : 0;
  const auto type_before = std::filesystem::symlink_status(Path()).type();

  Settings loaded;
  store_.LoadSettings(loaded);
  EXPECT_EQ(loaded, DefaultSettings());

  Settings changed = DefaultSettings();
  changed.NotifyCV0Value = 42;
  if (GetParam().save_replaces) {
    ASSERT_TRUE(store_.SaveSettings(changed));
    // Every line that was there is still there, unless it held one of our keys.
    std::istringstream after(ReadWholeFile(Path()));
    std::istringstream old_lines(before);
    std::string line;
    for (std::string old_line; std::getline(old_lines, old_line);) {
      if (old_line.starts_with("Notify") || old_line.starts_with("UpdateInterval")) continue;
      while (std::getline(after, line) && line != old_line) {
      }
      EXPECT_EQ(line, old_line);
    }
    Settings reloaded;
    store_.LoadSettings(reloaded);
    EXPECT_EQ(reloaded, changed);
  } else {
    EXPECT_FALSE(store_.SaveSettings(changed));
    EXPECT_EQ(std::filesystem::symlink_status(Path()).type(), type_before);
    if (regular) {
      EXPECT_EQ(std::filesystem::file_size(Path()), size_before);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, HostileSettingsFileTest,
    ::testing::Values(
        HostileFile{"BinaryGarbage", [](const std::string& p) { WriteWholeFile(p, Garbage(64 * 1024, 7)); },
                    true},
        HostileFile{"InvalidUtf8",
                    [](const std::string& p) {
                      WriteWholeFile(p, "[Norvaket 1.00]\nNotifyCV0Value=\xff\xfe\x80\nNotifyPS1=\xc3\x28\n"
                                        "UpdateInterval=\xed\xa0\x80\n\xf8\x88\x80\x80\x80=1\n");
                    },
                    true},
        HostileFile{"NulBytes",
                    [](const std::string& p) {
                      WriteWholeFile(p, std::string("[Norvaket\0 1.00]\nNotifyCV0Value=\0" "75\n"
                                                    "\0[Norvaket 1.00]\nNotifyPS1=\0\n",
                                                    52));
                    },
                    true},
        HostileFile{"OneMebibyteLine",
                    [](const std::string& p) {
                      WriteWholeFile(p, "[Norvaket 1.00]\nNotifyCV0Value=" +
                                            std::string(IniFileStore::kMaxFileBytes, '9') + "\n");
                    },
                    false},
        HostileFile{"HundredMebibytes",
                    [](const std::string& p) {
                      WriteWholeFile(p, "[Norvaket 1.00]\nNotifyCV0Value=75\n");
                      std::filesystem::resize_file(p, 100u << 20);  // sparse: no disk used
                    },
                    false},
        HostileFile{"Fifo", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
                    false},
        HostileFile{"LinkToDevZero",
                    [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); },
                    false},
        HostileFile{"LinkToItself",
                    [](const std::string& p) { std::filesystem::create_symlink(p, p); }, false},
        HostileFile{"Folder",
                    [](const std::string& p) { std::filesystem::create_directory(p); }, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The settings folder's name is taken by a plain file.
TEST_F(IniFileStoreTest, ASettingsFolderThatIsAFileGivesDefaultsAndAFailedSave) {
  XdgFolderLookup folders(folder_.path(), "/nowhere");
  IniSettingsStore settings_store(store_, folders);
  WriteWholeFile(Path("Norvaket"), "not a folder");
  Settings loaded;
  settings_store.LoadSettings(loaded);
  EXPECT_EQ(loaded, DefaultSettings());
  EXPECT_FALSE(settings_store.SaveSettings(Alternate(1)));
  EXPECT_EQ(ReadWholeFile(Path("Norvaket")), "not a folder");
}

// Runs `body` as an unprivileged user (root ignores folder permissions) in a child.
template <typename Body>
int AsNobody(Body body) {
  return InChild([&] {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 99;
    return body();
  });
}

TEST_F(IniFileStoreTest, AReadOnlySettingsFolderFailsTheSaveAndKeepsTheFile) {
  const std::string settings_folder = Path("Norvaket");
  std::filesystem::create_directory(settings_folder);
  const std::string path = settings_folder + "/Norvaket.ini";
  WriteWholeFile(path, "[Norvaket 1.00]\nNotifyCV0Value=75\n");
  ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(settings_folder.c_str(), 65534, 65534), 0);
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
  }
  ASSERT_EQ(::chmod(folder_.path().c_str(), 0755), 0);
  ASSERT_EQ(::chmod(settings_folder.c_str(), 0555), 0);
  const int result = AsNobody([&] {
    XdgFolderLookup folders(folder_.path(), "/nowhere");
    IniFileStore profile;
    IniSettingsStore settings_store(profile, folders);
    Settings loaded;
    settings_store.LoadSettings(loaded);
    if (loaded.NotifyCV0Value != 75) return 2;
    return settings_store.SaveSettings(Alternate(1)) ? 1 : 0;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ReadWholeFile(path), "[Norvaket 1.00]\nNotifyCV0Value=75\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(settings_folder),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
}  // namespace norvaket::linux_platform
