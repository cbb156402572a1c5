#pragma once

#include "tray/tray_icons.h"

namespace norvaket::win32 {

// PLACEHOLDER until the icon painter is wired in: a solid square per power
// state (the id's hundreds), so that the icon is visible and changes with the
// state. Replace with the painter-backed TrayIcons when merging.
class PlaceholderTrayIcons final : public TrayIcons {
 public:
  TrayIconImage IconImage(std::int32_t icon_id, int size_px) override;
};

}  // namespace norvaket::win32
