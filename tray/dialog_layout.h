#pragma once

#include <algorithm>
#include <string_view>

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
  // The sentence row it is part of (1, 2, ...); 0 for none.
  int sentence = 0;
  // The wording on a Linux desktop where it differs.
  const char* desktop_caption = nullptr;
  // Of controls that share a name, which one this is.
  int index = 0;
};

// A caption wider than its designed box would be cut: the box grows to the right
// to the caption's measured width and never shrinks below its design.
constexpr int WidthToFit(int designed_px, int caption_px) { return std::max(designed_px, caption_px); }

}  // namespace norvaket
