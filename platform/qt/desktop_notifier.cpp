#include "platform/qt/desktop_notifier.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QVariantMap>

#include "resources/version_info.h"

namespace norvaket::qt {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
constexpr int kServerDefaultTimeout = -1;

}  // namespace

bool DesktopNotifier::ServerAvailable() const {
  if (!bus_.isConnected()) return false;
  QDBusConnectionInterface* bus = bus_.interface();
  if (bus->isServiceRegistered(kService)) return true;
  const QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
      QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListActivatableNames"));
  const QDBusReply<QStringList> names = bus_.call(call);
  return names.isValid() && names.value().contains(kService);
}

bool DesktopNotifier::ServerDoesBodyMarkup() const {
  const QDBusMessage call =
      QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetCapabilities"));
  const QDBusReply<QStringList> capabilities = bus_.call(call);
  return capabilities.isValid() && capabilities.value().contains(QStringLiteral("body-markup"));
}

void DesktopNotifier::Notify(const QString& title, const QString& text, bool warning) const {
  // A server that reads markup would take "<" or "&" in a text as markup.
  const QString body = ServerDoesBodyMarkup() ? text.toHtmlEscaped() : text;
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
  call << QString::fromUtf8(version::kTitle) << 0u
       << (warning ? QStringLiteral("dialog-warning") : QStringLiteral("dialog-information"))
       << title << body << QStringList() << QVariantMap() << kServerDefaultTimeout;
  bus_.send(call);
}

}  // namespace norvaket::qt
