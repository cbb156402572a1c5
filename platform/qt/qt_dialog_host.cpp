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
  Close(DialogKind::Options);
  Close(DialogKind::About);
}

QDialog* QtDialogHost::Open(DialogKind dialog) const {
  return dialog == DialogKind::Options ? static_cast<QDialog*>(options_.data())
                                       : static_cast<QDialog*>(about_.data());
}

void QtDialogHost::ShowNew(DialogKind dialog) {
  QDialog* shown = nullptr;
  if (dialog == DialogKind::Options) {
    options_ = new OptionsDialog(settings_, store_, autorun_, tracker_, main_window_icon_);
    shown = options_;
  } else {
    about_ = new AboutBox(launcher_, tracker_, BuiltProgramIdentity(), main_window_icon_);
    shown = about_;
  }
  shown->setAttribute(Qt::WA_DeleteOnClose);
  shown->setWindowModality(Qt::ApplicationModal);
  shown->show();
  Focus(dialog);
}

void QtDialogHost::Focus(DialogKind dialog) {
  QDialog* open = Open(dialog);
  if (open == nullptr) return;
  open->raise();
  open->activateWindow();
}

void QtDialogHost::Close(DialogKind dialog) {
  if (QDialog* open = Open(dialog)) open->reject();
}

}  // namespace norvaket::qt
