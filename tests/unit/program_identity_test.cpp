#include "tray/program_identity.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "resources/version_info.h"

namespace norvaket {
namespace {

struct VersionCase {
  std::int32_t major, minor, revision;
  std::string label;
  friend std::ostream& operator<<(std::ostream& out, const VersionCase& c) {
    return out << c.major << '.' << c.minor << '.' << c.revision;
  }
};

class VersionLabelTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionLabelTest, PadsMinorToTwoAndRevisionToFourDigitsNeverCutting) {
  const VersionCase& c = GetParam();
  EXPECT_EQ(VersionLabel(c.major, c.minor, c.revision), c.label);
}

INSTANTIATE_TEST_SUITE_P(Table, VersionLabelTest,
                         ::testing::Values(VersionCase{1, 11, 77, "バージョン 1.11.0077"},
                                           VersionCase{1, 5, 3, "バージョン 1.05.0003"},
                                           VersionCase{0, 0, 0, "バージョン 0.00.0000"},
                                           VersionCase{12, 123, 12345, "バージョン 12.123.12345"},
                                           VersionCase{2, 10, 1000, "バージョン 2.10.1000"}));

TEST(ProgramIdentityTest, CaptionFollowsTheTitle) {
  EXPECT_EQ(AboutCaption("Halvoria"), "Halvoria のバージョン情報");
}

TEST(ProgramIdentityTest, MailLinkOpensAsMailtoButShowsThePlainAddress) {
  ProgramIdentity identity;
  identity.web_address = "https://a.example/";
  identity.mail_address = "b@a.example";
  const auto links = AboutLinks(identity);
  EXPECT_EQ(links[kWebLink], (AboutLink{"https://a.example/", "https://a.example/"}));
  EXPECT_EQ(links[kMailLink], (AboutLink{"b@a.example", "mailto:b@a.example"}));
}

TEST(ProgramIdentityTest, BuiltIdentityComesFromTheBuildsVersionFacts) {
  const ProgramIdentity identity = BuiltProgramIdentity();
  const std::string dotted = std::to_string(identity.major) + "." + std::to_string(identity.minor) +
                             "." + std::to_string(identity.revision);
  EXPECT_EQ(dotted, version::kVersionText);
  EXPECT_EQ(identity.title, version::kTitle);
  EXPECT_FALSE(identity.legal_notice.empty());
  EXPECT_EQ(identity.web_address, version::kWebAddress);
  EXPECT_EQ(identity.mail_address, version::kMailAddress);
}

}  // namespace
}  // namespace norvaket
