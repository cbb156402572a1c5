#include "platform/qt/tray_availability.h"

#include <xcb/xcb.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <string>

namespace norvaket::qt {
namespace {

bool StatusNotifierHostRegistered() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  QDBusMessage get = QDBusMessage::createMethodCall(
      QStringLiteral("org.kde.StatusNotifierWatcher"), QStringLiteral("/StatusNotifierWatcher"),
      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  get << QStringLiteral("org.kde.StatusNotifierWatcher")
      << QStringLiteral("IsStatusNotifierHostRegistered");
  const QDBusReply<QDBusVariant> reply = bus.call(get, QDBus::Block, 2000);
  return reply.isValid() && reply.value().variant().toBool();
}

bool XEmbedTrayManagerPresent() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || x11->connection() == nullptr) return false;
  xcb_connection_t* connection = x11->connection();
  char* host = nullptr;
  int display = 0;
  int screen = 0;
  // The parser writes the host name it finds; it cannot be told to skip it.
  if (xcb_parse_display(nullptr, &host, &display, &screen) == 0) screen = 0;
  free(host);
  const std::string name = "_NET_SYSTEM_TRAY_S" + std::to_string(screen);
  const xcb_intern_atom_cookie_t atom_cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str());
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> atom(
      xcb_intern_atom_reply(connection, atom_cookie, nullptr), &free);
  if (!atom) return false;
  std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&free)> owner(
      xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom),
                                    nullptr),
      &free);
  return owner && owner->owner != XCB_WINDOW_NONE;
}

}  // namespace

TrayKind AvailableTray() {
  if (StatusNotifierHostRegistered()) return TrayKind::StatusNotifier;
  if (XEmbedTrayManagerPresent()) return TrayKind::XEmbed;
  return TrayKind::None;
}

}  // namespace norvaket::qt
