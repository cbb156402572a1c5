#include "settings/registry_layer.h"

#include <gtest/gtest.h>

#include "fakes/memory_registry.h"

namespace norvaket {
namespace {

using testing::MemoryRegistry;
using Bytes = std::vector<std::uint8_t>;

constexpr RegistryKey kRoot = kHkeyCurrentUser;
constexpr const char* kPath = "Software\\Test";

struct WriteCase {
  const char* name;
  RegistryValue value;
  std::uint32_t type;
  Bytes data;
};

class RegistryWriteTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(RegistryWriteTest, EachKindIsStoredWithItsTypeAndData) {
  const WriteCase& c = GetParam();
  MemoryRegistry registry;
  ASSERT_TRUE(SetRegistryValue(registry, kRoot, kPath, "v", c.value));
  const MemoryRegistry::Value* stored = registry.Find(kRoot, kPath, "v");
  ASSERT_NE(stored, nullptr);
  EXPECT_EQ(stored->type, c.type);
  EXPECT_EQ(stored->data, c.data);
  EXPECT_TRUE(registry.handles.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, RegistryWriteTest,
    ::testing::Values(WriteCase{"Integer", std::int16_t{-2}, kRegDword, {0xFE, 0xFF, 0xFF, 0xFF}},
                      WriteCase{"Long", std::int32_t{0x01020304}, kRegDword, {4, 3, 2, 1}},
                      WriteCase{
                          "BooleanTrue", RegistryFlag{kTrue}, kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}},
                      WriteCase{"BooleanFalse", RegistryFlag{kFalse}, kRegDword, {0, 0, 0, 0}},
                      WriteCase{"Bytes", Bytes{1, 0, 2}, kRegBinary, {1, 0, 2}},
                      WriteCase{"NoBytes", Bytes{}, kRegBinary, {}},
                      WriteCase{"Text",
                                std::string("C:\\電源"),
                                kRegSz,
                                {'C', ':', '\\', 0xE9, 0x9B, 0xBB, 0xE6, 0xBA, 0x90, 0}},
                      WriteCase{"EmptyText", std::string(), kRegSz, {0}},
                      WriteCase{"UnsignedGoesAsText",
                                std::uint32_t{4000000000u},
                                kRegSz,
                                {'4', '0', '0', '0', '0', '0', '0', '0', '0', '0', 0}}),
    [](const auto& info) { return info.param.name; });

struct ReadCase {
  const char* name;
  std::uint32_t type;
  Bytes data;
  RegistryValue expected;
};

class RegistryReadTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(RegistryReadTest, EachTypeComesBackAsItsKind) {
  const ReadCase& c = GetParam();
  MemoryRegistry registry;
  registry.Put(kRoot, kPath, "v", c.type, c.data);
  EXPECT_EQ(GetRegistryValue(registry, kRoot, kPath, "v", std::string("fallback")), c.expected);
  EXPECT_TRUE(registry.handles.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, RegistryReadTest,
    ::testing::Values(
        ReadCase{"Text", kRegSz, {'a', 'b', 0}, std::string("ab")},
        ReadCase{"TextCutAtFirstNul", kRegSz, {'a', 0, 'b', 0}, std::string("a")},
        ReadCase{"TextWithoutNul", kRegSz, {'a', 'b'}, std::string("ab")},
        ReadCase{"EmptyText", kRegSz, {0}, std::string()},
        ReadCase{"Dword", kRegDword, {0xFF, 0xFF, 0xFF, 0xFF}, std::uint32_t{0xFFFFFFFFu}},
        ReadCase{"ShortDword", kRegDword, {7}, std::uint32_t{7}},
        ReadCase{"Binary", kRegBinary, {9, 8}, Bytes{9, 8}},
        ReadCase{"EmptyBinary", kRegBinary, {}, Bytes{}},
        ReadCase{"ExpandSzIsFallback", kRegExpandSz, {'a', 0}, std::string("fallback")},
        ReadCase{"MultiSzIsFallback", 7, {'a', 0, 0}, std::string("fallback")}),
    [](const auto& info) { return info.param.name; });

TEST(RegistryLayerTest, WriteThenReadGivesTheText) {
  MemoryRegistry registry;
  ASSERT_TRUE(SetRegistryValue(registry, kRoot, kPath, "v", std::string("hello")));
  EXPECT_EQ(GetRegistryValue(registry, kRoot, kPath, "v", std::int32_t{0}),
            RegistryValue(std::string("hello")));
}

TEST(RegistryLayerTest, MissingKeyOrValueGivesTheFallback) {
  MemoryRegistry registry;
  EXPECT_EQ(GetRegistryValue(registry, kRoot, kPath, "v", std::int16_t{5}),
            RegistryValue(std::int16_t{5}));
  registry.Put(kRoot, kPath, "other", kRegSz, {'x', 0});
  EXPECT_EQ(GetRegistryValue(registry, kRoot, kPath, "v", std::int16_t{5}),
            RegistryValue(std::int16_t{5}));
  EXPECT_TRUE(registry.handles.empty());
}

TEST(RegistryLayerTest, FailuresOfEachStep) {
  MemoryRegistry registry;
  registry.create_result = 5;
  EXPECT_FALSE(SetRegistryValue(registry, kRoot, kPath, "v", std::string("x")));
  EXPECT_EQ(registry.Find(kRoot, kPath, "v"), nullptr);

  registry.create_result = kRegistrySuccess;
  registry.set_result = 5;
  EXPECT_FALSE(SetRegistryValue(registry, kRoot, kPath, "v", std::string("x")));
  EXPECT_TRUE(registry.handles.empty());

  registry.set_result = kRegistrySuccess;
  registry.close_result = 6;
  EXPECT_FALSE(SetRegistryValue(registry, kRoot, kPath, "v", std::string("x")));
  EXPECT_NE(registry.Find(kRoot, kPath, "v"), nullptr);  // stored, but not reported as such
  EXPECT_FALSE(DeleteRegistryValue(registry, kRoot, kPath, "v"));
  EXPECT_EQ(registry.Find(kRoot, kPath, "v"), nullptr);

  registry.close_result = kRegistrySuccess;
  EXPECT_FALSE(DeleteRegistryValue(registry, kRoot, kPath, "v"));  // already gone
  EXPECT_FALSE(DeleteRegistryValue(registry, kRoot, "Software\\Missing", "v"));
  registry.Put(kRoot, kPath, "v", kRegSz, {0});
  registry.delete_result = 5;
  EXPECT_FALSE(DeleteRegistryValue(registry, kRoot, kPath, "v"));
  EXPECT_TRUE(registry.handles.empty());
  registry.delete_result = kRegistrySuccess;
  EXPECT_TRUE(DeleteRegistryValue(registry, kRoot, kPath, "v"));
}

TEST(RegistryValueTest, TrimAtNulAndText) {
  EXPECT_EQ(TrimAtNul(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(TrimAtNul("abc"), "abc");
  EXPECT_EQ(TrimAtNul(std::string("\0x", 2)), "");
  EXPECT_EQ(RegistryValueText(std::uint32_t{0}), "0");
  EXPECT_EQ(RegistryValueText(std::int16_t{-1}), "-1");
  EXPECT_EQ(RegistryValueText(RegistryFlag{kTrue}), "-1");
  EXPECT_EQ(RegistryValueText(Bytes{}), "");
  EXPECT_EQ(RegistryValueText(Bytes{0}).size(), 1u);
  EXPECT_STREQ(RegistryTypeName(Bytes{}), "Byte()");
  EXPECT_STREQ(RegistryTypeName(RegistryFlag{}), "Boolean");
  EXPECT_STREQ(RegistryTypeName(std::int16_t{}), "Integer");
  EXPECT_STREQ(RegistryTypeName(std::int32_t{}), "Long");
}

}  // namespace
}  // namespace norvaket
