#include "platform/linux/single_instance.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "fakes/temp_folder.h"

namespace norvaket::linux_platform {
namespace {

using testing::TempFolder;

enum class Runtime { kUsable, kMissingVariable, kPlainFile, kReadOnly };
enum class Cache { kUsable, kPlainFile };

struct LockCase {
  const char* name;
  Runtime runtime;
  Cache cache;
  const char* lock_below;  // where the lock file ends up below the test folder; "" for the
                           // private folder in the temporary folder
};

class SingleInstanceLockTest : public ::testing::TestWithParam<LockCase> {
 protected:
  std::vector<LockPlace> Places() {
    const LockCase& c = GetParam();
    const std::string runtime = folder_ / "runtime";
    const std::string cache = folder_ / "cache";
    if (c.runtime == Runtime::kPlainFile) std::ofstream(runtime) << "x";
    if (c.runtime == Runtime::kUsable || c.runtime == Runtime::kReadOnly) {
      std::filesystem::create_directory(runtime);
      if (c.runtime == Runtime::kReadOnly) ::chmod(runtime.c_str(), 0500);
    }
    if (c.cache == Cache::kPlainFile) std::ofstream(cache) << "x";
    return LockPlacesFor(c.runtime == Runtime::kMissingVariable ? nullptr : runtime.c_str(),
                         cache.c_str(), "/nonexistent", folder_.path(), ::getuid());
  }

  TempFolder folder_;
};

// Whatever the runtime folder is like, the first lock holds and the second start is
// refused, and both meet at the same file.
TEST_P(SingleInstanceLockTest, ExactlyOneHolderAndBothMeetAtTheSameFile) {
  const std::vector<LockPlace> places = Places();
  SingleInstanceLock first(places);
  SingleInstanceLock second(places);
  EXPECT_TRUE(first.Acquired());
  EXPECT_FALSE(first.Unguarded());
  EXPECT_FALSE(second.Acquired());
  EXPECT_EQ(second.Path(), first.Path());
  const bool root_writes_anywhere = ::geteuid() == 0 && GetParam().runtime == Runtime::kReadOnly;
  std::string expected = GetParam().lock_below;
  if (expected.empty()) expected = "norvaket-" + std::to_string(::getuid()) + "/norvaket.lock";
  if (!root_writes_anywhere) {
    EXPECT_EQ(first.Path(), folder_ / expected);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Places, SingleInstanceLockTest,
    ::testing::Values(
        LockCase{"RuntimeFolder", Runtime::kUsable, Cache::kUsable, "runtime/norvaket.lock"},
        LockCase{"NoRuntimeVariable", Runtime::kMissingVariable, Cache::kUsable,
                 "cache/norvaket.lock"},
        LockCase{"RuntimeIsAPlainFile", Runtime::kPlainFile, Cache::kUsable,
                 "cache/norvaket.lock"},
        LockCase{"RuntimeIsReadOnly", Runtime::kReadOnly, Cache::kUsable, "cache/norvaket.lock"},
        LockCase{"RuntimeAndCacheArePlainFiles", Runtime::kPlainFile, Cache::kPlainFile,
                 ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SingleInstanceLockPlacesTest, ATempFolderOpenToOthersIsNotUsedAndNoPlaceMeansUnguarded) {
  TempFolder folder;
  const std::string shared = folder / ("norvaket-" + std::to_string(::getuid()));
  std::filesystem::create_directory(shared);
  ::chmod(shared.c_str(), 0777);
  SingleInstanceLock lock({{shared, LockPlace::Folder::kCreatePrivate}});
  EXPECT_TRUE(lock.Acquired());
  EXPECT_TRUE(lock.Unguarded());
  EXPECT_FALSE(std::filesystem::exists(shared + "/norvaket.lock"));
}

// Ten starts at the same moment, each in its own process: one holds the lock.
TEST(SingleInstanceLockRaceTest, TenSimultaneousStartsGiveOneHolder) {
  TempFolder folder;
  const std::string runtime = folder / "runtime";
  std::ofstream(runtime) << "not a folder";
  const std::vector<LockPlace> places =
      LockPlacesFor(runtime.c_str(), (folder / "cache").c_str(), nullptr, folder.path(), ::getuid());
  int start[2];
  int release[2];
  ASSERT_EQ(::pipe(start), 0);
  ASSERT_EQ(::pipe(release), 0);
  std::vector<pid_t> children;
  for (int i = 0; i < 10; ++i) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::close(start[1]);
      ::close(release[1]);
      char go;
      if (::read(start[0], &go, 1) < 0) ::_exit(3);
      SingleInstanceLock lock(places);
      // Hold the lock until every child has tried.
      if (::read(release[0], &go, 1) < 0) ::_exit(3);
      ::_exit(lock.Acquired() && !lock.Unguarded() ? 0 : 1);
    }
    children.push_back(child);
  }
  ::close(start[0]);
  ::close(release[0]);
  ::close(start[1]);  // every child wakes at once
  ::usleep(300 * 1000);
  ::close(release[1]);
  int holders = 0;
  for (const pid_t child : children) {
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 0) ++holders;
  }
  EXPECT_EQ(holders, 1);
}

}  // namespace
}  // namespace norvaket::linux_platform
