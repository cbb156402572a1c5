#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace norvaket {

// A place in twips (1/1440 inch; 15 twips are one pixel at 96 dpi), relative to
// the control's container.
struct TwipsBox {
  int left;
  int top;
  int width;
  int height;
};

enum class ControlKind { Heading, Label, CheckBox, ValueBox, Button, Icon, Link };

// One control of a dialog as both front ends build it.
struct DialogControl {
  ControlKind kind;
  std::string_view name;
  // UTF-8; "&" marks the access key.
  const char* caption;
  TwipsBox place;
  // The panel (tab) it lies on, 1 or 2; 0 for the dialog itself.
  int panel;
  // The wording on a Linux desktop where it differs.
  const char* desktop_caption = nullptr;
  // Of controls that share a name, which one this is.
  int index = 0;
};

// The push buttons of the dialogs, named as their controls: OK answers Enter,
// Cancel Esc, Apply starts disabled.
enum class DialogButton { cmdOK, cmdCancel, cmdApply };
inline constexpr std::array<std::string_view, 3> kDialogButtonNames{"cmdOK", "cmdCancel",
                                                                    "cmdApply"};

// The button a control's name names, if any.
constexpr std::optional<DialogButton> ButtonNamed(std::string_view name) {
  for (std::size_t button = 0; button < kDialogButtonNames.size(); ++button) {
    if (kDialogButtonNames[button] == name) return static_cast<DialogButton>(button);
  }
  return std::nullopt;
}

// A caption wider than its designed box would be cut: the box grows to the right
// to the caption's measured width and never shrinks below its design.
constexpr int WidthToFit(int designed_px, int caption_px) { return std::max(designed_px, caption_px); }

// A place in a front end's pixels, relative to the control's container, or a window's
// place on the screen.
struct PixelBox {
  int left;
  int top;
  int width;
  int height;

  int Right() const { return left + width; }
  int Bottom() const { return top + height; }
  friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// Twips at `dpi` dots per inch, rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi) {
  return (twips * dpi + (twips < 0 ? -720 : 720)) / 1440;
}
constexpr PixelBox ToPixels(const TwipsBox& place, int dpi) {
  return {TwipsToPixels(place.left, dpi), TwipsToPixels(place.top, dpi),
          TwipsToPixels(place.width, dpi), TwipsToPixels(place.height, dpi)};
}

// Controls with a caption of their own grow to its height; boxes, buttons and
// icons keep their designed height.
constexpr bool GrowsToText(ControlKind kind) {
  return kind == ControlKind::Heading || kind == ControlKind::Label ||
         kind == ControlKind::CheckBox || kind == ControlKind::Link;
}

// A control of one container as a front end has made it: its place with the
// designed height, and the height its text wants in the font it got.
struct GrowingControl {
  PixelBox place;
  int wanted_height;
};

// Grows the controls on one panel of a dialog's description (0 for those on the
// dialog itself) to their text's height, through the front end: `measure` tells a
// control's place and wanted height by its index in `controls`, `place` moves it.
// A replacement font may stand taller than the designed rows, so a grown control
// takes the controls that lay wholly below it and beside it down with it (rows
// never overlap), and none grows past the panel's bottom (the growth stops at its
// edge). Only captioned controls grow (GrowsToText); a control that neither grows
// nor is pushed keeps its place exactly.
void GrowPanelToTextHeights(std::span<const DialogControl> controls, int panel,
                            int panel_height,
                            const std::function<GrowingControl(std::size_t)>& measure,
                            const std::function<void(std::size_t, const PixelBox&)>& place);

// Where a dialog of `width` x `height` goes: centred on the work area and kept
// inside it. One larger than the work area starts at its top left edge, so that its
// title bar stays on the screen.
PixelBox CentredInWorkArea(int width, int height, const PixelBox& work_area);

}  // namespace norvaket
