#include "tray/program_identity.h"

#include "resources/version_info.h"

namespace norvaket {
namespace {

std::string ZeroPadded(std::int32_t number, std::size_t digits) {
  std::string text = std::to_string(number < 0 ? -static_cast<std::int64_t>(number) : number);
  if (text.size() < digits) text.insert(0, digits - text.size(), '0');
  return number < 0 ? "-" + text : text;
}

}  // namespace

ProgramIdentity BuiltProgramIdentity() {
  return ProgramIdentity{version::kTitle,      version::kMajor,       version::kMinor,
                         version::kRevision,   version::kLegalNotice, version::kWebAddress,
                         version::kMailAddress};
}

std::string AboutCaption(const std::string& title) {
  return title + " のバージョン情報";
}

std::string VersionLabel(std::int32_t major, std::int32_t minor, std::int32_t revision) {
  return "バージョン " + std::to_string(major) + "." + ZeroPadded(minor, 2) + "." +
         ZeroPadded(revision, 4);
}

std::array<AboutLink, 2> AboutLinks(const ProgramIdentity& identity) {
  return {AboutLink{identity.web_address, identity.web_address},
          AboutLink{identity.mail_address, "mailto:" + identity.mail_address}};
}

}  // namespace norvaket
