#pragma once

#include <windows.h>

#include <vector>

#include "platform/win32/twips.h"

namespace norvaket::win32 {

inline constexpr COLORREF kRuleGrey = RGB(128, 128, 128);
inline constexpr COLORREF kRuleWhite = RGB(255, 255, 255);

// A horizontal line of an etched separator: a grey line with a white one just
// below it. Coordinates in twips, scaled when drawn.
struct RuleLine {
  int x1;
  int y;
  int x2;
  COLORREF colour;
  int width_px = 1;
};

void DrawRuleLines(HDC dc, const std::vector<RuleLine>& lines, int dpi);

}  // namespace norvaket::win32
