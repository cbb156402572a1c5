#pragma once

#include <QFont>

namespace norvaket::qt {

// "MS UI Gothic" 9 pt where it is installed, otherwise the desktop's Japanese UI
// font at 9 pt.
QFont DialogFont();

}  // namespace norvaket::qt
