#include "settings/registry_auto_run.h"

#include <gtest/gtest.h>

#include "fakes/memory_registry.h"

namespace norvaket {
namespace {

using testing::MemoryRegistry;

class RegistryAutoRunTest : public ::testing::Test {
 protected:
  Flag Query() {
    Settings settings;
    settings.AutoRun = kTrue;  // must be overwritten either way
    auto_run_.QueryAutoRun(settings);
    return settings.AutoRun;
  }
  std::string StoredText() {
    const MemoryRegistry::Value* value =
        registry_.Find(kHkeyCurrentUser, kRunKeyPath, kAutoRunValueName);
    if (value == nullptr) return "<none>";
    return std::string(value->data.begin(), value->data.end());
  }
  void Put(std::uint32_t type, std::vector<std::uint8_t> data) {
    registry_.Put(kHkeyCurrentUser, kRunKeyPath, kAutoRunValueName, type, std::move(data));
  }

  MemoryRegistry registry_;
  RegistryAutoRun auto_run_{registry_, "C:\\Tools\\power"};
};

TEST_F(RegistryAutoRunTest, RoundTrip) {
  EXPECT_EQ(Query(), kFalse);
  auto_run_.EnableAutoRun();
  EXPECT_EQ(StoredText(), std::string("C:\\Tools\\power\0", 15));
  EXPECT_EQ(registry_.Find(kHkeyCurrentUser, kRunKeyPath, kAutoRunValueName)->type, kRegSz);
  EXPECT_EQ(Query(), kTrue);
  auto_run_.DisableAutoRun();
  EXPECT_EQ(StoredText(), "<none>");
  EXPECT_EQ(Query(), kFalse);
  auto_run_.DisableAutoRun();  // nothing there: quietly nothing
  EXPECT_EQ(Query(), kFalse);
  EXPECT_TRUE(registry_.handles.empty());
}

TEST_F(RegistryAutoRunTest, AnEarlierLocationCountsAndIsReplaced) {
  Put(kRegSz, {'D', ':', '\\', 'o', 'l', 'd', 0});
  EXPECT_EQ(Query(), kTrue);
  auto_run_.EnableAutoRun();
  EXPECT_EQ(StoredText(), std::string("C:\\Tools\\power\0", 15));
}

struct StoredCase {
  const char* name;
  std::uint32_t type;
  std::vector<std::uint8_t> data;
  Flag expected;
};

class RegistryAutoRunQueryTest : public RegistryAutoRunTest,
                                 public ::testing::WithParamInterface<StoredCase> {};

TEST_P(RegistryAutoRunQueryTest, WhatCountsAsRegistered) {
  Put(GetParam().type, GetParam().data);
  EXPECT_EQ(Query(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, RegistryAutoRunQueryTest,
                         ::testing::Values(StoredCase{"EmptyText", kRegSz, {0}, kFalse},
                                           StoredCase{"NulFirst", kRegSz, {0, 'x', 0}, kFalse},
                                           StoredCase{"AnyText", kRegSz, {'x', 0}, kTrue},
                                           StoredCase{"DwordZero", kRegDword, {0, 0, 0, 0}, kTrue},
                                           StoredCase{"DwordOne", kRegDword, {1, 0, 0, 0}, kTrue},
                                           StoredCase{"ExpandSz", kRegExpandSz, {'x', 0}, kFalse},
                                           StoredCase{"Binary", kRegBinary, {0}, kTrue},
                                           StoredCase{"EmptyBinary", kRegBinary, {}, kFalse}),
                         [](const auto& info) { return info.param.name; });

TEST_F(RegistryAutoRunTest, ARunKeyThatCannotBeOpenedReadsAsNotRegistered) {
  Put(kRegSz, {'x', 0});
  registry_.open_result = 5;
  EXPECT_EQ(Query(), kFalse);
  auto_run_.DisableAutoRun();
  registry_.open_result = kRegistrySuccess;
  EXPECT_EQ(Query(), kTrue);
}

TEST_F(RegistryAutoRunTest, FailedWritesAreDroppedQuietly) {
  registry_.create_result = 5;
  auto_run_.EnableAutoRun();
  EXPECT_EQ(Query(), kFalse);
}

TEST(AutoRunCommandTest, QuotesAPathWithBlanksOnly) {
  EXPECT_EQ(AutoRunCommand("D:\\My Tools\\power"), "\"D:\\My Tools\\power\"");
  EXPECT_EQ(AutoRunCommand("D:\\Tools\\power"), "D:\\Tools\\power");
  EXPECT_EQ(AutoRunCommand("/opt/a\tb/power"), "\"/opt/a\tb/power\"");
  MemoryRegistry registry;
  RegistryAutoRun(registry, "D:\\My Tools\\power").EnableAutoRun();
  const auto* value = registry.Find(kHkeyCurrentUser, kRunKeyPath, kAutoRunValueName);
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(std::string(value->data.begin(), value->data.end()),
            std::string("\"D:\\My Tools\\power\"\0", 20));
}

TEST(AutoRunCommandTest, ProgramPathDropsTheExtensionAndKeepsTheFolderAsGiven) {
  EXPECT_EQ(ProgramPathWithoutExtension("D:\\My Tools", "\\", "power.exe"), "D:\\My Tools\\power");
  EXPECT_EQ(ProgramPathWithoutExtension("D:\\", "\\", "power.exe"), "D:\\\\power");
  EXPECT_EQ(ProgramPathWithoutExtension("C:\\a.b", "\\", "power"), "C:\\a.b\\power");
  EXPECT_EQ(ProgramPathWithoutExtension("C:\\x", "\\", "my.power.exe"), "C:\\x\\my.power");
}

}  // namespace
}  // namespace norvaket
