#include "settings/ini_document.h"

#include <gtest/gtest.h>

namespace norvaket {
namespace {

struct GetCase {
  const char* name;
  const char* text;
  const char* section;
  const char* key;
  std::optional<std::string> expected;
};

class IniDocumentGetTest : public ::testing::TestWithParam<GetCase> {};

TEST_P(IniDocumentGetTest, FindsValuesTheWayTheProfileFunctionsDo) {
  const GetCase& c = GetParam();
  EXPECT_EQ(IniDocument(c.text).Get(c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IniDocumentGetTest,
    ::testing::Values(GetCase{"Plain", "[S]\nk=v\n", "S", "k", "v"},
                      GetCase{"SectionCase", "[norvaket 1.00]\nk=v\n", "Norvaket 1.00", "k", "v"},
                      GetCase{"KeyCase", "[S]\nNOTIFYRT=v\n", "S", "NotifyRT", "v"},
                      GetCase{"BlanksAroundEverything", "  [ S ]  \n\t k \t=  v w \t\n", "S", "k",
                              "v w"},
                      GetCase{"DoubleQuotes", "[S]\nk=\" v \"\n", "S", "k", " v "},
                      GetCase{"SingleQuotes", "[S]\nk='v'\n", "S", "k", "v"},
                      GetCase{"UnmatchedQuotes", "[S]\nk=\"v'\n", "S", "k", "\"v'"},
                      GetCase{"LoneQuote", "[S]\nk=\"\n", "S", "k", "\""},
                      GetCase{"EqualsInValue", "[S]\nk=a=b\n", "S", "k", "a=b"},
                      GetCase{"NoTrailingComment", "[S]\nk=v ; note\n", "S", "k", "v ; note"},
                      GetCase{"CommentLine", "[S]\n;k=v\n", "S", "k", std::nullopt},
                      GetCase{"HashIsNotAComment", "[S]\n#k=v\nk=w\n", "S", "#k", "v"},
                      GetCase{"EmptyValue", "[S]\nk=\n", "S", "k", ""},
                      GetCase{"LineWithoutEquals", "[S]\nk\n", "S", "k", std::nullopt},
                      GetCase{"CrLf", "[S]\r\nk=v\r\n", "S", "k", "v"},
                      GetCase{"NoFinalLineBreak", "[S]\nk=v", "S", "k", "v"},
                      GetCase{"ByteOrderMark", "\xEF\xBB\xBF[S]\nk=v\n", "S", "k", "v"},
                      GetCase{"OtherSection", "[T]\nk=v\n[S]\nj=w\n", "S", "k", std::nullopt},
                      GetCase{"BeforeAnySection", "k=v\n[S]\n", "S", "k", std::nullopt},
                      GetCase{"MissingSection", "[T]\nk=v\n", "S", "k", std::nullopt},
                      GetCase{"FirstKeyWins", "[S]\nk=1\nk=2\n", "S", "k", "1"},
                      GetCase{"FirstSectionWins", "[S]\nj=1\n[S]\nk=2\n", "S", "k", std::nullopt},
                      GetCase{"Utf8Value", "[S]\nk=電源\n", "S", "k", "電源"}),
    [](const auto& info) { return info.param.name; });

TEST(IniDocumentTest, ProfileStringKeepsAtMost99BytesAndWholeCharacters) {
  const auto file = [](const std::string& value) { return IniDocument("[S]\nk=" + value + "\n"); };
  const std::string ascii(150, 'a');
  EXPECT_EQ(file(ascii).GetProfileString("S", "k"), std::string(99, 'a'));
  // 33 three-byte characters fill 99 bytes exactly; one more byte in front pushes the
  // 33rd character past the limit, and it goes whole.
  std::string kana32;
  for (int i = 0; i < 32; ++i) kana32 += "あ";
  const std::string kana34 = kana32 + "ああ";
  EXPECT_EQ(file(kana34).GetProfileString("S", "k"), kana32 + "あ");
  std::string shifted = "x";
  shifted += kana34;
  std::string expected = "x";
  expected += kana32;
  EXPECT_EQ(file(shifted).GetProfileString("S", "k"), expected);
  EXPECT_EQ(IniDocument("").GetProfileString("S", "k"), "");
}

struct SetCase {
  const char* name;
  const char* before;
  const char* key;
  const char* value;
  const char* after;
};

class IniDocumentSetTest : public ::testing::TestWithParam<SetCase> {};

TEST_P(IniDocumentSetTest, ChangesOnlyTheOneLine) {
  const SetCase& c = GetParam();
  IniDocument document(c.before);
  ASSERT_TRUE(document.Set("Norvaket 1.00", c.key, c.value));
  EXPECT_EQ(document.Text(), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Table, IniDocumentSetTest,
    ::testing::Values(
        SetCase{"NewFile", "", "NotifyRT", "Yes", "[Norvaket 1.00]\nNotifyRT=Yes\n"},
        SetCase{"ReplaceInPlaceKeepingSpellingAndBlanksBeforeEquals",
                "; mine\n[NORVAKET 1.00]\n  notifyrt =  No  \nUpdateInterval = 5000\n", "NotifyRT",
                "Yes", "; mine\n[NORVAKET 1.00]\n  notifyrt =Yes\nUpdateInterval = 5000\n"},
        SetCase{"AddAfterLastNonBlankLineOfSection",
                "[Norvaket 1.00]\nA=1\n\n[Other]\nNotifyRT=No\n", "NotifyRT", "Yes",
                "[Norvaket 1.00]\nA=1\nNotifyRT=Yes\n\n[Other]\nNotifyRT=No\n"},
        SetCase{"AddToSectionEndingTheFileWithoutLineBreak", "[Norvaket 1.00]\nA=1", "B", "2",
                "[Norvaket 1.00]\nA=1\nB=2\n"},
        SetCase{"KeepCrLfLineBreaks", "[Norvaket 1.00]\r\nA=1\r\n", "B", "2",
                "[Norvaket 1.00]\r\nA=1\r\nB=2\r\n"},
        SetCase{"MissingSectionGoesToTheEnd", "[Other]\nA=1", "B", "2",
                "[Other]\nA=1\n\n[Norvaket 1.00]\nB=2\n"},
        SetCase{"NoSecondBlankLine", "[Other]\nA=1\n\n", "B", "2",
                "[Other]\nA=1\n\n[Norvaket 1.00]\nB=2\n"},
        SetCase{"CommentedKeyIsNotTheKey", "[Norvaket 1.00]\n;B=1\n", "B", "2",
                "[Norvaket 1.00]\n;B=1\nB=2\n"},
        SetCase{"ReplaceOnTheLastLineWithoutLineBreak", "[Norvaket 1.00]\nB=1", "B", "22",
                "[Norvaket 1.00]\nB=22"},
        SetCase{"ByteOrderMarkStays", "\xEF\xBB\xBF[Norvaket 1.00]\nB=1\n", "B", "2",
                "\xEF\xBB\xBF[Norvaket 1.00]\nB=2\n"}),
    [](const auto& info) { return info.param.name; });

TEST(IniDocumentTest, EveryOtherByteSurvivesAnEdit) {
  const std::string odd =
      "\t; hand notes \xE2\x98\x85 with trailing blanks   \r\n"
      "[Norvaket 1.00]   \n"
      "x = \"quoted\"  \n"
      "garbage line without equals\n"
      "NotifyPS0=Yes\n"
      "\n\n"
      "[Zzz]\r\n"
      "NotifyPS0=Yes";
  IniDocument document(odd);
  ASSERT_TRUE(document.Set("Norvaket 1.00", "NotifyPS0", "No"));
  std::string expected = odd;
  expected.replace(expected.find("NotifyPS0=Yes") + 10, 3, "No");
  EXPECT_EQ(document.Text(), expected);
}

TEST(IniDocumentTest, RefusesTextThatWouldChangeTheFileStructure) {
  const std::string before = "[S]\nk=v\n";
  IniDocument document(before);
  EXPECT_FALSE(document.Set("S", "k", "a\nNotifyRT=No"));
  EXPECT_FALSE(document.Set("S", "k", "a\rb"));
  EXPECT_FALSE(document.Set("S", "a=b", "v"));
  EXPECT_FALSE(document.Set("S", "  ", "v"));
  EXPECT_FALSE(document.Set("S", "[T]", "v"));
  EXPECT_FALSE(document.Set("S", ";k", "v"));
  EXPECT_FALSE(document.Set("S]x", "k", "v"));
  EXPECT_FALSE(document.Set("", "k", "v"));
  EXPECT_EQ(document.Text(), before);
}

TEST(IniDocumentTest, WhatIsWrittenReadsBack) {
  IniDocument document;
  ASSERT_TRUE(document.Set("Norvaket 1.00", "NotifyCV0Value", "80"));
  ASSERT_TRUE(document.Set("Norvaket 1.00", "NotifyCV2Value", "20"));
  ASSERT_TRUE(document.Set("norvaket 1.00", "notifycv0value", "75"));
  EXPECT_EQ(document.Get("Norvaket 1.00", "NotifyCV0Value"), "75");
  EXPECT_EQ(document.Get("Norvaket 1.00", "NotifyCV2Value"), "20");
  EXPECT_EQ(document.Text(), "[Norvaket 1.00]\nNotifyCV0Value=75\nNotifyCV2Value=20\n");
}

}  // namespace
}  // namespace norvaket
