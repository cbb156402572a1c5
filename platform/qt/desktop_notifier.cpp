#include "platform/qt/desktop_notifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QVariantMap>

#include "resources/version_info.h"

namespace norvaket::qt {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
constexpr int kServerDefaultTimeout = -1;
constexpr uchar kUrgencyNormal = 1;
constexpr uchar kUrgencyCritical = 2;

// Lets the server group and badge our notifications, and rank the urgent ones first.
QVariantMap Hints(bool urgent) {
  return {{QStringLiteral("urgency"), QVariant::fromValue(urgent ? kUrgencyCritical : kUrgencyNormal)},
          {QStringLiteral("desktop-entry"), QStringLiteral("norvaket")}};
}

}  // namespace

DesktopNotifier::DesktopNotifier(QDBusConnection bus, QObject* parent)
    : QObject(parent), bus_(bus) {}

void DesktopNotifier::Start() {
  if (!bus_.isConnected()) return;
  auto* owner = new QDBusServiceWatcher(kService, bus_, QDBusServiceWatcher::WatchForOwnerChange, this);
  connect(owner, &QDBusServiceWatcher::serviceOwnerChanged, this,
          [this](const QString&, const QString&, const QString& new_owner) {
            body_markup_ = false;
            if (!new_owner.isEmpty()) AskCapabilities();
          });
  AskCapabilities();
}

void DesktopNotifier::AskCapabilities() {
  QDBusMessage call =
      QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetCapabilities"));
  // Only a running server is asked; starting one just to ask would be wasted.
  call.setAutoStartService(false);
  auto* answer = new QDBusPendingCallWatcher(bus_.asyncCall(call, kNotifyDeadlineMs), this);
  connect(answer, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
    done->deleteLater();
    const QDBusPendingReply<QStringList> capabilities = *done;
    body_markup_ = capabilities.isValid() &&
                   capabilities.value().contains(QStringLiteral("body-markup"));
  });
}

void DesktopNotifier::Notify(const QString& title, const QString& text, bool warning, bool urgent,
                             std::function<void()> fallback) {
  if (!bus_.isConnected()) {
    fallback();
    return;
  }
  // A server that reads markup would take "<" or "&" in a text as markup.
  const QString body = body_markup_ ? text.toHtmlEscaped() : text;
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
  call << QString::fromUtf8(version::kTitle) << 0u
       << (warning ? QStringLiteral("dialog-warning") : QStringLiteral("dialog-information"))
       << title << body << QStringList() << Hints(urgent) << kServerDefaultTimeout;
  // No server, one that failed to start, refused or did not answer in time:
  // the balloon is shown another way rather than lost.
  auto* answer = new QDBusPendingCallWatcher(bus_.asyncCall(call, kNotifyDeadlineMs), this);
  connect(answer, &QDBusPendingCallWatcher::finished, this,
          [fallback = std::move(fallback)](QDBusPendingCallWatcher* done) {
            done->deleteLater();
            if (done->isError()) fallback();
          });
}

}  // namespace norvaket::qt
