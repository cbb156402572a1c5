#include "core/power_monitor.h"

#include "core/notification_rules.h"
#include "core/time_format.h"
#include "core/tray_view.h"

namespace norvaket {
namespace {

bool StatusChanged(const StatusRecord& previous, const StatusRecord& current) {
  return current.State != previous.State || current.LifePercent != previous.LifePercent ||
         current.LifeTime != previous.LifeTime;
}

}  // namespace

PowerMonitor::PowerMonitor(const Settings& settings, PowerSource& source, const Clock& clock,
                           NotifyIcon& notify_icon, WindowHandle window)
    : settings_(settings), source_(source), clock_(clock), notify_icon_(notify_icon), window_(window) {}

void PowerMonitor::UpdatePowerStatus() {
  const StatusRecord previous = current_status_;
  const PowerStatus snapshot = source_.GetPowerStatus();
  const PowerState state = ClassifyPowerStatus(snapshot);

  current_status_.State = state;
  // Without a battery state the last battery values stay, for later comparisons.
  if (state < psNoBattery) {
    current_status_.LifePercent = snapshot.BatteryLifePercent;
    current_status_.LifeTime = snapshot.BatteryLifeTime;
    current_status_.FullLifeTime = snapshot.BatteryFullLifeTime;
  }
  TrayView view = ChooseTrayView(state, snapshot, current_status_.LifeTime, clock_.Now());
  current_status_.TrayIconId = view.TrayIconId;
  current_status_.TrayTipText = std::move(view.TrayTipText);

  // The first evaluation after start or resume only chooses icon and tooltip;
  // refreshing here would re-enter AddTrayIcon, which is what runs it at start.
  if (previous.State == psUnset) {
    current_status_.State = psFresh;
    return;
  }
  // The end time moves with the clock, but alone it is not worth shell traffic.
  if (StatusChanged(previous, current_status_)) RefreshTrayIcon();

  for (const Balloon& balloon : NotificationRules(previous, current_status_, settings_, clock_.Now())) {
    ShowBalloon(balloon.title, balloon.text, balloon.warning, balloon.urgent);
  }
}

void PowerMonitor::AddTrayIcon() {
  UpdatePowerStatus();
  notify_icon_.NotifyIconAdd(window_, current_status_.TrayIconId, current_status_.TrayTipText);
  // Set even when the shell refused every try: later modifies then fail quietly.
  tray_icon_added_ = true;
}

void PowerMonitor::RefreshTrayIcon() {
  if (!tray_icon_added_) {
    AddTrayIcon();
    return;
  }
  notify_icon_.NotifyIconModify(current_status_.TrayIconId, current_status_.TrayTipText, "", "",
                                false);
  tray_icon_added_ = true;
}

void PowerMonitor::RemoveTrayIcon() {
  if (!tray_icon_added_) return;
  notify_icon_.NotifyIconDelete();
  tray_icon_added_ = false;
}

void PowerMonitor::RestoreTrayIcon() {
  if (!tray_icon_added_) return;
  notify_icon_.NotifyIconRestore(window_, current_status_.TrayIconId,
                                 current_status_.TrayTipText);
}

void PowerMonitor::ShowBalloon(const std::string& title, const std::string& text, bool warning,
                               bool urgent) {
  if (!tray_icon_added_) AddTrayIcon();
  std::string shown = text;
  if (settings_.UseTimeStamp != 0) shown += " (" + FormatClockStamp(clock_.Now()) + ")";
  notify_icon_.NotifyIconModify(current_status_.TrayIconId, current_status_.TrayTipText, shown,
                                title, warning, urgent);
}

void PowerMonitor::OnPowerResume() {
  if (settings_.NotifyAtResume == 0) return;
  current_status_ = StatusRecord{};
  UpdatePowerStatus();
}

}  // namespace norvaket
