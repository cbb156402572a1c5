#include "platform/win32/rule_line.h"

namespace norvaket::win32 {

void DrawRuleLines(HDC dc, const std::vector<RuleLine>& lines, int dpi) {
  for (const RuleLine& line : lines) {
    HPEN pen = CreatePen(PS_SOLID, MulDiv(line.width_px, dpi, 96), line.colour);
    HGDIOBJ previous = SelectObject(dc, pen);
    const int y = TwipsToPixels(line.y, dpi);
    MoveToEx(dc, TwipsToPixels(line.x1, dpi), y, nullptr);
    LineTo(dc, TwipsToPixels(line.x2, dpi), y);
    SelectObject(dc, previous);
    DeleteObject(pen);
  }
}

}  // namespace norvaket::win32
