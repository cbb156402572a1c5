#include "tray/power_settings_command.h"

#include <gtest/gtest.h>

#include <set>

namespace norvaket {
namespace {

struct ChoiceCase {
  const char* desktop;
  std::set<std::string> installed;
  std::optional<std::vector<std::string>> expected;
};

class PowerSettingsCommandTest : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(PowerSettingsCommandTest, FitsTheDesktopElseTheFirstInstalled) {
  const ChoiceCase& c = GetParam();
  const auto installed = [&](const std::string& program) { return c.installed.count(program) > 0; };
  EXPECT_EQ(ChoosePowerSettingsCommand(c.desktop, installed), c.expected);
}

using Command = std::vector<std::string>;

INSTANTIATE_TEST_SUITE_P(
    Table, PowerSettingsCommandTest,
    ::testing::Values(
        ChoiceCase{"XFCE", {"xfce4-power-manager-settings", "gnome-control-center"},
                   Command{"xfce4-power-manager-settings"}},
        ChoiceCase{"ubuntu:GNOME", {"gnome-control-center", "systemsettings"},
                   Command{"gnome-control-center", "power"}},
        ChoiceCase{"Budgie:GNOME", {"gnome-control-center"}, Command{"gnome-control-center", "power"}},
        ChoiceCase{"kde", {"systemsettings"}, Command{"systemsettings", "kcm_powerdevilprofilesconfig"}},
        ChoiceCase{"X-Cinnamon", {"cinnamon-settings"}, Command{"cinnamon-settings", "power"}},
        // The desktop's own program is missing: the first installed one.
        ChoiceCase{"MATE", {"lxqt-config-powermanagement", "xfce4-power-manager-settings"},
                   Command{"xfce4-power-manager-settings"}},
        ChoiceCase{"", {"mate-power-preferences"}, Command{"mate-power-preferences"}},
        ChoiceCase{"GNOME", {}, std::nullopt}),
    [](const auto& info) { return std::to_string(info.index); });

}  // namespace
}  // namespace norvaket
