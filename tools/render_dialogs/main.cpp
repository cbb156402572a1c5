// Renders the options dialog (both tabs) and the about box to PNG files, for a
// look at layout and Japanese text without a desktop session.
//
//   norvaket-render-dialogs OUTPUT_FOLDER

#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTextStream>

#include "platform/qt/about_box.h"
#include "platform/qt/painted_icons.h"
#include "platform/qt/options_dialog.h"
#include "settings/autorun.h"
#include "settings/settings_store.h"
#include "tray/launcher.h"
#include "tray/program_identity.h"

namespace {

// The dialogs are only looked at: nothing is saved, registered or opened.
class NoStore final : public norvaket::SettingsStore {
 public:
  void LoadSettings(norvaket::Settings& settings) override {
    settings = norvaket::DefaultSettings();
  }
  bool SaveSettings(const norvaket::Settings&) override { return true; }
};

class NoAutoRun final : public norvaket::AutoRunRegistration {
 public:
  void EnableAutoRun() override {}
  void DisableAutoRun() override {}
  void QueryAutoRun(norvaket::Settings& settings) override { settings.AutoRun = norvaket::kTrue; }
};

class NoLauncher final : public norvaket::Launcher {
 public:
  void StartCommandLine(const std::string&) override {}
  void OpenLink(const std::string&) override {}
};

bool Save(QWidget& widget, const QDir& folder, const QString& name, QTextStream& out) {
  widget.show();
  QApplication::processEvents();
  const QString path = folder.absoluteFilePath(name);
  if (!widget.grab().save(path)) return false;
  out << path << "\n";
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QTextStream out(stdout);
  QTextStream err(stderr);
  if (argc != 2) {
    err << "usage: norvaket-render-dialogs OUTPUT_FOLDER\n";
    return 2;
  }
  QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) {
    err << "cannot create " << folder.path() << "\n";
    return 1;
  }

  const QIcon icon = norvaket::qt::ApplicationIcon();
  norvaket::Settings settings = norvaket::DefaultSettings();
  NoStore store;
  NoAutoRun autorun;
  NoLauncher launcher;
  norvaket::DialogTracker dialogs;

  bool saved = true;
  {
    norvaket::qt::OptionsDialog options(settings, store, autorun, dialogs, icon);
    saved &= Save(options, folder, QStringLiteral("options-general.png"), out);
    options.findChild<QTabWidget*>(QStringLiteral("TabStrip1"))->setCurrentIndex(1);
    saved &= Save(options, folder, QStringLiteral("options-run.png"), out);
  }
  {
    norvaket::qt::AboutBox about(launcher, dialogs, norvaket::BuiltProgramIdentity(), icon);
    saved &= Save(about, folder, QStringLiteral("about.png"), out);
  }
  return saved ? 0 : 1;
}
