#include "platform/linux/autostart_registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "fakes/temp_folder.h"
#include "platform/linux/desktop_entry.h"
#include "settings/registry_auto_run.h"
#include "settings/registry_layer.h"

namespace norvaket::linux_platform {
namespace {

using testing::ReadWholeFile;
using testing::TempFolder;
using testing::WriteWholeFile;

// desktop-file-validate's verdict on a file: empty when it found nothing to say.
std::string Validate(const std::string& path) {
  const std::string command = "desktop-file-validate '" + path + "' 2>&1";
  std::string output;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return "cannot run desktop-file-validate";
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  const int status = ::pclose(pipe);
  if (status != 0 && output.empty()) output = "exit status " + std::to_string(status);
  return output;
}

class AutostartRegistryTest : public ::testing::Test {
 protected:
  std::string Query() {
    return RegistryValueText(GetRegistryValue(registry_, kHkeyCurrentUser, kRunKeyPath,
                                              kAutoRunValueName, std::string("<none>")));
  }
  bool Set(const RegistryValue& value) {
    return SetRegistryValue(registry_, kHkeyCurrentUser, kRunKeyPath, kAutoRunValueName, value);
  }
  std::string EntryPath() const { return temp_ / "cfg/autostart/Norvaket.desktop"; }

  TempFolder temp_;
  AutostartRegistry registry_{temp_ / "cfg", "Halvoria"};
};

TEST_F(AutostartRegistryTest, AutoRunRoundTripThroughADesktopEntry) {
  RegistryAutoRun auto_run(registry_, "/opt/norvaket/bin/norvaket");
  Settings settings;
  auto_run.QueryAutoRun(settings);
  EXPECT_EQ(settings.AutoRun, kFalse);
  EXPECT_FALSE(std::filesystem::exists(temp_ / "cfg"));  // a query creates nothing

  auto_run.EnableAutoRun();
  EXPECT_EQ(ReadWholeFile(EntryPath()),
            "[Desktop Entry]\nType=Application\nName=Halvoria\nExec=/opt/norvaket/bin/norvaket\n");
  EXPECT_EQ(Validate(EntryPath()), "");
  struct stat status {};
  ASSERT_EQ(::stat(EntryPath().c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0644u);
  auto_run.QueryAutoRun(settings);
  EXPECT_EQ(settings.AutoRun, kTrue);
  EXPECT_EQ(Query(), "/opt/norvaket/bin/norvaket");

  auto_run.DisableAutoRun();
  EXPECT_FALSE(std::filesystem::exists(EntryPath()));
  auto_run.QueryAutoRun(settings);
  EXPECT_EQ(settings.AutoRun, kFalse);
  EXPECT_FALSE(DeleteRegistryValue(registry_, kHkeyCurrentUser, kRunKeyPath, kAutoRunValueName));
}

struct CommandCase {
  const char* name;
  const char* command;  // the Run value's text
  const char* exec;     // the Exec value in the file
};

class AutostartCommandTest : public AutostartRegistryTest,
                             public ::testing::WithParamInterface<CommandCase> {};

TEST_P(AutostartCommandTest, WritesAValidQuotedExecLineAndReadsTheCommandBack) {
  const CommandCase& c = GetParam();
  ASSERT_TRUE(Set(std::string(c.command)));
  const std::string text = ReadWholeFile(EntryPath());
  EXPECT_NE(text.find(std::string("\nExec=") + c.exec + "\n"), std::string::npos) << text;
  EXPECT_EQ(Validate(EntryPath()), "");
  EXPECT_EQ(Query(), c.command);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AutostartCommandTest,
    ::testing::Values(
        CommandCase{"Plain", "/usr/bin/norvaket", "/usr/bin/norvaket"},
        CommandCase{"Blank", "\"/home/ami/My Tools/norvaket\"", "\"/home/ami/My Tools/norvaket\""},
        CommandCase{"Reserved", "/opt/a&b$c/norvaket", "\"/opt/a&b\\\\$c/norvaket\""},
        CommandCase{"Backslash", "/opt/a\\b/norvaket", "\"/opt/a\\\\\\\\b/norvaket\""},
        CommandCase{"Percent", "/opt/100%/norvaket", "/opt/100%%/norvaket"},
        CommandCase{"Utf8", "/home/あみ/norvaket", "/home/あみ/norvaket"},
        CommandCase{"Argument", "\"/opt/My Tools/norvaket\" --quiet",
                    "\"/opt/My Tools/norvaket\" --quiet"}),
    [](const auto& info) { return info.param.name; });

TEST_F(AutostartRegistryTest, OnlyTheRunValueAsTextIsKept) {
  RegistryKey key = 0;
  EXPECT_NE(registry_.OpenKey(kHkeyCurrentUser, "Software\\Other", key), kRegistrySuccess);
  EXPECT_NE(registry_.CreateKey(0x80000002u, kRunKeyPath, key), kRegistrySuccess);
  EXPECT_FALSE(SetRegistryValue(registry_, kHkeyCurrentUser, kRunKeyPath, "Other",
                                std::string("/usr/bin/x")));
  EXPECT_FALSE(Set(std::int32_t{1}));
  EXPECT_FALSE(Set(std::vector<std::uint8_t>{1}));
  EXPECT_FALSE(Set(std::string()));
  EXPECT_FALSE(Set(std::string("/opt/line\nbreak")));
  EXPECT_FALSE(std::filesystem::exists(EntryPath()));
  // Key paths and value names match in any letter case, as in the registry.
  EXPECT_TRUE(SetRegistryValue(registry_, kHkeyCurrentUser,
                               "software\\microsoft\\windows\\currentversion\\run", "NORVAKET",
                               std::string("/usr/bin/x")));
  EXPECT_EQ(Query(), "/usr/bin/x");
}

TEST_F(AutostartRegistryTest, HandEditedEntries) {
  std::filesystem::create_directories(temp_ / "cfg/autostart");
  WriteWholeFile(EntryPath(), "[Desktop Entry]\nType=Application\nExec=x\nHidden=true\n");
  EXPECT_EQ(Query(), "<none>");
  WriteWholeFile(EntryPath(), "[Desktop Entry]\nType=Application\nName=x\n");
  EXPECT_EQ(Query(), "<none>");
  WriteWholeFile(EntryPath(), "[Other]\nExec=x\n[Desktop Entry]\nHidden=false\nExec = y z\n");
  EXPECT_EQ(Query(), "y z");
  WriteWholeFile(EntryPath(), "[Desktop Entry]\nExec=\"unterminated\n");
  EXPECT_EQ(Query(), "<none>");
  std::filesystem::remove(EntryPath());
  std::filesystem::create_directory(EntryPath());
  EXPECT_EQ(Query(), "<none>");
  EXPECT_FALSE(Set(std::string("/usr/bin/x")));
}

TEST_F(AutostartRegistryTest, AnAutostartFolderThatIsAFileIsNeitherReadNorReplaced) {
  std::filesystem::create_directories(temp_ / "cfg");
  WriteWholeFile(temp_ / "cfg/autostart", "[Desktop Entry]\nExec=/not/an/entry\n");
  EXPECT_EQ(Query(), "<none>");
  EXPECT_FALSE(Set(std::string("/usr/bin/x")));
  DeleteRegistryValue(registry_, kHkeyCurrentUser, kRunKeyPath, kAutoRunValueName);
  EXPECT_EQ(ReadWholeFile(temp_ / "cfg/autostart"), "[Desktop Entry]\nExec=/not/an/entry\n");
}

TEST_F(AutostartRegistryTest, AnEnableOverAnOldEntryReplacesItWhole) {
  std::filesystem::create_directories(temp_ / "cfg/autostart");
  WriteWholeFile(EntryPath(),
                 "[Desktop Entry]\nType=Application\nName=Old\nExec=/old\nHidden=true\n");
  ASSERT_TRUE(Set(std::string("/new")));
  EXPECT_EQ(ReadWholeFile(EntryPath()),
            "[Desktop Entry]\nType=Application\nName=Halvoria\nExec=/new\n");
}

TEST_F(AutostartRegistryTest, HandlesMustBeOpen) {
  RegistryKey key = 0;
  ASSERT_EQ(registry_.OpenKey(kHkeyCurrentUser, kRunKeyPath, key), kRegistrySuccess);
  EXPECT_EQ(registry_.CloseKey(key), kRegistrySuccess);
  EXPECT_NE(registry_.CloseKey(key), kRegistrySuccess);
  std::vector<std::uint8_t> data{'/', 'x', 0};
  EXPECT_NE(registry_.SetValue(key, kAutoRunValueName, kRegSz, data), kRegistrySuccess);
}

TEST(AutostartRegistryHomeless, EveryWriteFails) {
  AutostartRegistry registry("", "Halvoria");
  EXPECT_FALSE(SetRegistryValue(registry, kHkeyCurrentUser, kRunKeyPath, kAutoRunValueName,
                                std::string("/usr/bin/x")));
}

TEST(DesktopExecTest, QuotingRoundTrips) {
  const std::vector<std::vector<std::string>> cases = {
      {"/a b/c", "--x=1", ""}, {"/q\"uote", "`tick`", "$HOME", "back\\slash"}, {"~", "#", "*?"}};
  for (const auto& args : cases) {
    const auto value = DesktopExecValue(args);
    ASSERT_TRUE(value);
    EXPECT_EQ(ParseDesktopExecValue(*value), args) << *value;
  }
  EXPECT_FALSE(DesktopExecValue({"/a\tb"}));
}

}  // namespace
}  // namespace norvaket::linux_platform
