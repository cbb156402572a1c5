#pragma once

namespace norvaket::qt {

enum class TrayKind { None, StatusNotifier, XEmbed };

// Which notification area the desktop offers right now. Asked without Qt's own
// tray check, because Qt settles on StatusNotifierItem or XEmbed the first time it
// looks and never looks again; a panel that starts a few seconds after the
// program would otherwise be missed for the whole run.
TrayKind AvailableTray();

}  // namespace norvaket::qt
