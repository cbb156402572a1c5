#pragma once

#include <array>

#include "tray/dialog_layout.h"

namespace norvaket {

inline constexpr TwipsBox kAboutClientArea{0, 0, 5730, 3555};

// frmAbout's controls; OK comes first, it takes the focus and answers Enter and Esc.
// The title, version and description labels hold placeholders until the presenter
// fills them; the two links (lblURL 0 and 1) get their captions from it too.
inline constexpr std::array<DialogControl, 9> kAboutBoxControls{{
    {ControlKind::Button, "cmdOK", "OK", {4245, 2625, 1380, 345}, 0},
    {ControlKind::Icon, "picIcon", "", {240, 240, 480, 480}, 0},
    {ControlKind::Label, "lblTitle", "AppName", {1080, 240, 3885, 360}, 0},
    {ControlKind::Label, "lblVersion", "AppVer", {1080, 600, 3885, 225}, 0},
    {ControlKind::Label, "lblDescription", "AppComment", {1080, 1125, 1020, 180}, 0},
    {ControlKind::Label, "Label3", "URL:", {120, 2640, 360, 180}, 0},
    {ControlKind::Label, "Label4", "E-Mail:", {120, 2880, 540, 180}, 0},
    {ControlKind::Link, "lblURL", "", {720, 2640, 2220, 180}, 0, nullptr, 0},
    {ControlKind::Link, "lblURL", "", {720, 2880, 1560, 180}, 0, nullptr, 1},
}};

// The etched line above the links: a grey line with a white one under it.
struct EtchedLine {
  int left;
  int top;
  int right;
  bool white;
  int width_px;
};
inline constexpr std::array<EtchedLine, 2> kAboutLine{{
    {90, 2445, 5654, false, 1},
    {105, 2460, 5654, true, 2},
}};

}  // namespace norvaket
