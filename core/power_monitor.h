#pragma once

#include <string>

#include "core/clock.h"
#include "core/power_source.h"
#include "core/status_record.h"
#include "settings/settings.h"
#include "tray/notify_icon.h"

namespace norvaket {

// The monitor's procedures: the evaluation of each snapshot, the icon kept up to
// date with it, and the balloons the rules ask for. Owns CurrentStatus and
// TrayIconAdded; reads the program's settings, which the options dialog may
// change between two calls.
class PowerMonitor {
 public:
  PowerMonitor(const Settings& settings, PowerSource& source, const Clock& clock,
               NotifyIcon& notify_icon, WindowHandle window);

  void UpdatePowerStatus();
  void AddTrayIcon();
  void RefreshTrayIcon();
  void RemoveTrayIcon();
  // The shell's taskbar was created anew: show the icon again with the current
  // image and tooltip, without ever waiting. Does nothing while the icon is not added.
  void RestoreTrayIcon();
  void ShowBalloon(const std::string& title, const std::string& text, bool warning,
                   bool urgent = false);
  // A resume notice: with NotifyAtResume on, the next tick behaves like the first after start.
  void OnPowerResume();

  const StatusRecord& CurrentStatus() const { return current_status_; }
  bool TrayIconAdded() const { return tray_icon_added_; }

 private:
  const Settings& settings_;
  PowerSource& source_;
  const Clock& clock_;
  NotifyIcon& notify_icon_;
  WindowHandle window_;
  StatusRecord current_status_;
  bool tray_icon_added_ = false;
};

}  // namespace norvaket
