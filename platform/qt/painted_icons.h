#pragma once

#include <QIcon>
#include <cstdint>
#include <map>

namespace norvaket::qt {

// The painter's images as Qt icons, with every size a tray host or a window
// title may ask for drawn natively rather than scaled. Each size is drawn when
// it is first asked for, so nothing is painted before it is shown.
QIcon ApplicationIcon();

// The tray icons by id, each kept once made, so that a tick showing an id again
// paints nothing.
class TrayIcons {
 public:
  QIcon operator()(std::int32_t icon_id);

 private:
  std::map<std::int32_t, QIcon> icons_;
};

}  // namespace norvaket::qt
