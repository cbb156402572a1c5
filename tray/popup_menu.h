#pragma once

#include <array>
#include <string>

namespace norvaket {

enum class MenuCommand { SystemProperties, Options, Help, About, Exit, None };

struct MenuItem {
  const char* name;     // the item's object name
  const char* caption;  // "&" marks the access key; "-" is a separator
  MenuCommand command;
  bool enabled;
  bool is_default;
};

// The tray icon's pop-up menu, top to bottom. The help item carries no command
// and is shown greyed.
inline constexpr std::array<MenuItem, 6> kTrayMenuItems{{
    {"mnuSystemProp", "電源のプロパティを開く(&P)", MenuCommand::SystemProperties, true, false},
    {"mnuBar3", "-", MenuCommand::None, true, false},
    {"mnuOption", "オプション(&O)...", MenuCommand::Options, true, true},
    {"mnuHelp", "ヘルプ(&H)...", MenuCommand::Help, false, false},
    {"mnuInfo", "バージョン情報(&A)", MenuCommand::About, true, false},
    {"mnuCloseWindow", "終了(&X)", MenuCommand::Exit, true, false},
}};

}  // namespace norvaket
