#pragma once

#include <QIcon>
#include <cstdint>

namespace norvaket::qt {

// The painter's images as Qt icons, with every size a tray host or a window
// title may ask for drawn natively rather than scaled.
QIcon TrayIcon(std::int32_t icon_id);
QIcon ApplicationIcon();

}  // namespace norvaket::qt
