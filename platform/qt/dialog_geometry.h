#pragma once

#include <QWidget>
#include <span>

#include "tray/dialog_layout.h"

namespace norvaket::qt {

// Centres a dialog on the available area of its screen and keeps it inside,
// title bar first.
void PlaceOnWorkArea(QWidget* dialog);

// Grows the widgets on `panel` (`widgets`, made from `controls`, inside `container`)
// to their text's height: the rows below a grown one follow it down, and none
// reaches past the container.
void GrowToTextHeights(std::span<const DialogControl> controls, std::span<QWidget* const> widgets,
                       int panel, const QWidget* container);

}  // namespace norvaket::qt
