#include <QApplication>
#include <QDBusConnection>
#include <QStandardPaths>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iostream>

#include "platform/linux/autostart_registry.h"
#include "platform/linux/executable_path.h"
#include "platform/linux/ini_file_store.h"
#include "platform/linux/single_instance.h"
#include "platform/linux/sysfs_power_source.h"
#include "platform/linux/xdg_folder_lookup.h"
#include "platform/linux/zone_caching_clock.h"
#include "platform/qt/command_line.h"
#include "platform/qt/desktop_launcher.h"
#include "platform/qt/desktop_session.h"
#include "platform/qt/painted_icons.h"
#include "platform/qt/qt_dialog_host.h"
#include "platform/qt/termination_signals.h"
#include "platform/qt/tray_program.h"
#include "platform/qt/upower_or_sysfs_source.h"
#include "platform/qt/upower_power_source.h"
#include "resources/version_info.h"
#include "settings/ini_settings_store.h"
#include "settings/registry_auto_run.h"
#include "tray/power_settings_command.h"

namespace {

using namespace norvaket;

std::vector<QString> PowerSettingsCommand() {
  const char* desktop = std::getenv("XDG_CURRENT_DESKTOP");
  const auto command =
      ChoosePowerSettingsCommand(desktop ? desktop : "", [](const std::string& name) {
        return !QStandardPaths::findExecutable(QString::fromStdString(name)).isEmpty();
      });
  std::vector<QString> result;
  if (command) {
    for (const std::string& part : *command) result.push_back(QString::fromStdString(part));
  }
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto status = qt::AnswerCommandLine({argv + 1, argv + argc}, std::cout, std::cerr)) {
    return *status;
  }
  qt::DesktopSession desktop_session({argv + 1, argv + argc});
  if (desktop_session.Missing()) {
    std::cerr << *desktop_session.Missing() << '\n';
    return EXIT_FAILURE;
  }
  // Before Qt starts any thread, so that the signals reach only the signalfd.
  qt::TerminationSignals::BlockTerminationSignals();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(version::kTitle));
  QApplication::setApplicationVersion(QString::fromUtf8(version::kVersionText));
  QApplication::setQuitOnLastWindowClosed(false);
  desktop_session.Release();  // Qt holds its own connection now

  linux_platform::SingleInstanceLock instance_lock(linux_platform::DefaultLockPlaces());
  if (instance_lock.Unguarded()) {
    std::fputs("norvaket: no lock file can be made; a second start will not be refused\n", stderr);
  }
  Settings settings;
  auto folders = linux_platform::XdgFolderLookup::FromEnvironment();
  linux_platform::IniFileStore profile;
  IniSettingsStore settings_store(profile, folders);
  auto registry = linux_platform::AutostartRegistry::FromEnvironment();
  RegistryAutoRun autorun(registry, linux_platform::ExecutablePath());

  linux_platform::SysfsPowerSource sysfs;
  qt::UPowerPowerSource upower(QDBusConnection::SystemBus);
  // UPower asked at start answers within milliseconds; one that does not is used once it does.
  // A second start is refused before its first tick and need not wait.
  if (instance_lock.Acquired()) upower.AwaitFirstReads(std::chrono::seconds(1));
  qt::UPowerOrSysfsSource source(upower, sysfs);
  linux_platform::ZoneCachingClock clock;
  qt::DesktopLauncher launcher;
  qt::QtDialogHost dialog_windows(settings, settings_store, autorun, launcher,
                                  qt::ApplicationIcon());
  DialogHost dialogs(dialog_windows, dialog_windows.Tracker());

  qt::TrayIcons tray_icons;
  qt::TrayProgram program({settings, settings_store,
                           [&instance_lock] { return !instance_lock.Acquired(); }, source, clock,
                           dialogs, std::ref(tray_icons), PowerSettingsCommand});
  qt::TerminationSignals termination([&program] { program.EndSession(); });
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &program,
                   [&program] { program.EndSession(); });
  QObject::connect(&program, &qt::TrayProgram::Finished, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  if (!program.Main()) return 0;
  return app.exec();
}
