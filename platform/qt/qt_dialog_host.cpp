#include "platform/qt/qt_dialog_host.h"

#include "platform/qt/about_box.h"
#include "platform/qt/options_dialog.h"

namespace norvaket::qt {

QtDialogHost::QtDialogHost(Settings& settings, SettingsStore& store, AutoRunRegistration& autorun,
                           Launcher& launcher, QIcon main_window_icon)
    : settings_(settings),
      store_(store),
      autorun_(autorun),
      launcher_(launcher),
      main_window_icon_(std::move(main_window_icon)) {}

QtDialogHost::~QtDialogHost() {
  CloseOptions();
  CloseAbout();
}

void QtDialogHost::OpenOptions() { Act(tracker_.OnMenuOpen(DialogKind::Options), DialogKind::Options); }

void QtDialogHost::OpenAbout() { Act(tracker_.OnMenuOpen(DialogKind::About), DialogKind::About); }

void QtDialogHost::OpenOptionsFromTray() {
  Act(tracker_.OnTrayDoubleClick(), DialogKind::Options);
}

void QtDialogHost::Act(OpenAction action, DialogKind dialog) {
  QDialog* open = dialog == DialogKind::Options ? static_cast<QDialog*>(options_.data())
                                                : static_cast<QDialog*>(about_.data());
  switch (action) {
    case OpenAction::Ignore:
      return;
    case OpenAction::Focus:
      if (open != nullptr) Focus(open);
      return;
    case OpenAction::Show:
      if (dialog == DialogKind::Options) {
        options_ = new OptionsDialog(settings_, store_, autorun_, tracker_, main_window_icon_);
        Show(options_);
      } else {
        about_ = new AboutBox(launcher_, tracker_, BuiltProgramIdentity(), main_window_icon_);
        Show(about_);
      }
      return;
  }
}

void QtDialogHost::Show(QDialog* dialog) {
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setWindowModality(Qt::ApplicationModal);
  dialog->show();
  Focus(dialog);
}

void QtDialogHost::Focus(QDialog* dialog) {
  dialog->raise();
  dialog->activateWindow();
}

void QtDialogHost::CloseOptions() {
  if (options_) options_->reject();
}

void QtDialogHost::CloseAbout() {
  if (about_) about_->reject();
}

}  // namespace norvaket::qt
