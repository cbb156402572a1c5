#include "tray/dialog_layout.h"

#include <numeric>

namespace norvaket {
namespace {

bool Beside(const PixelBox& a, const PixelBox& b) {
  return a.left < b.Right() && b.left < a.Right();
}

// `start` moved so that `length` lies inside the area, or at its start when it cannot.
int KeptInside(int start, int length, int area_start, int area_length) {
  return std::max(area_start, std::min(start, area_start + area_length - length));
}

// The controls' indexes, top first by their designed places.
std::vector<std::size_t> TopDown(const std::vector<GrowingControl>& controls) {
  std::vector<std::size_t> order(controls.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return controls[a].place.top < controls[b].place.top;
  });
  return order;
}

// Moves the controls `later` that lay wholly below `grown` by design and beside it
// down, clear of its grown place.
void PushDown(std::size_t grown, std::span<const std::size_t> later,
              const std::vector<GrowingControl>& controls, std::vector<PixelBox>& placed) {
  for (const std::size_t below : later) {
    PixelBox& follower = placed[below];
    if (controls[below].place.top >= controls[grown].place.Bottom() &&
        Beside(placed[grown], follower)) {
      follower.top = std::max(follower.top, placed[grown].Bottom());
    }
  }
}

std::vector<PixelBox> GrowContainer(const std::vector<GrowingControl>& controls,
                                    int container_height) {
  std::vector<PixelBox> placed;
  for (const GrowingControl& control : controls) placed.push_back(control.place);
  const std::vector<std::size_t> order = TopDown(controls);
  for (std::size_t at = 0; at < order.size(); ++at) {
    PixelBox& grown = placed[order[at]];
    const int room = container_height - grown.top;
    grown.height = std::max(grown.height, std::min(controls[order[at]].wanted_height, room));
    PushDown(order[at], std::span(order).subspan(at + 1), controls, placed);
  }
  return placed;
}

}  // namespace

void GrowPanelToTextHeights(std::span<const DialogControl> controls, int panel,
                            int panel_height,
                            const std::function<GrowingControl(std::size_t)>& measure,
                            const std::function<void(std::size_t, const PixelBox&)>& place) {
  std::vector<std::size_t> on_panel;
  std::vector<GrowingControl> growing;
  for (std::size_t index = 0; index < controls.size(); ++index) {
    if (controls[index].panel != panel) continue;
    on_panel.push_back(index);
    growing.push_back(measure(index));
    if (!GrowsToText(controls[index].kind)) growing.back().wanted_height = 0;
  }
  const std::vector<PixelBox> placed = GrowContainer(growing, panel_height);
  for (std::size_t i = 0; i < on_panel.size(); ++i) {
    if (placed[i] != growing[i].place) place(on_panel[i], placed[i]);
  }
}

PixelBox CentredInWorkArea(int width, int height, const PixelBox& work_area) {
  const int left = work_area.left + (work_area.width - width) / 2;
  const int top = work_area.top + (work_area.height - height) / 2;
  return {KeptInside(left, width, work_area.left, work_area.width),
          KeptInside(top, height, work_area.top, work_area.height), width, height};
}

}  // namespace norvaket
