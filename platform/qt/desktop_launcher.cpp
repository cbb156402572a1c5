#include "platform/qt/desktop_launcher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStringList>
#include <QUrl>

namespace norvaket::qt {

void DesktopLauncher::StartCommandLine(const std::string& command_line) {
  QStringList arguments = QProcess::splitCommand(QString::fromStdString(command_line));
  if (arguments.isEmpty()) return;
  const QString program = arguments.takeFirst();
  QProcess::startDetached(program, arguments);
}

void DesktopLauncher::OpenLink(const std::string& target) {
  QDesktopServices::openUrl(QUrl(QString::fromStdString(target)));
}

}  // namespace norvaket::qt
