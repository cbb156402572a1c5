#include "platform/qt/tray_watch.h"

#include <xcb/xcb.h>

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <string>

namespace norvaket::qt {
namespace {

const QString kWatcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
constexpr int kAnswerDeadlineMs = 2000;
// The timed looks at start-up, the first at once and the others this far apart.
constexpr int kStartTries = 6;
constexpr int kTrySpacingMs = 5000;

xcb_connection_t* X11Connection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

xcb_atom_t InternAtom(xcb_connection_t* connection, const std::string& name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.c_str());
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> atom(
      xcb_intern_atom_reply(connection, cookie, nullptr), &free);
  return atom ? atom->atom : xcb_atom_t{XCB_ATOM_NONE};
}

int ScreenNumber() {
  char* host = nullptr;
  int display = 0;
  int screen = 0;
  // The parser writes the host name it finds; it cannot be told to skip it.
  if (xcb_parse_display(nullptr, &host, &display, &screen) == 0) screen = 0;
  free(host);
  return screen;
}

xcb_window_t RootWindow(xcb_connection_t* connection) {
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (int skip = ScreenNumber(); skip > 0 && screens.rem > 0; --skip) xcb_screen_next(&screens);
  return screens.rem > 0 ? screens.data->root : xcb_window_t{XCB_WINDOW_NONE};
}

// The local X server, not an outside peer: its round trips are as quick as Qt's own.
bool XEmbedTrayManagerPresent() {
  xcb_connection_t* connection = X11Connection();
  if (connection == nullptr) return false;
  const xcb_atom_t selection =
      InternAtom(connection, "_NET_SYSTEM_TRAY_S" + std::to_string(ScreenNumber()));
  if (selection == XCB_ATOM_NONE) return false;
  std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&free)> owner(
      xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection),
                                    nullptr),
      &free);
  return owner && owner->owner != XCB_WINDOW_NONE;
}

}  // namespace

TrayWatch::TrayWatch(QDBusConnection bus, QObject* parent) : QObject(parent), bus_(bus) {
  tries_.setInterval(kTrySpacingMs);
  connect(&tries_, &QTimer::timeout, this, [this] {
    if (--tries_left_ <= 0) tries_.stop();
    Look();
  });
  if (bus_.isConnected()) {
    // A watcher that leaves may have been all that kept an XEmbed tray from being looked at.
    auto* owner = new QDBusServiceWatcher(kWatcherService, bus_,
                                          QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(owner, &QDBusServiceWatcher::serviceOwnerChanged, this, &TrayWatch::Look);
    bus_.connect(kWatcherService, kWatcherPath, kWatcherService,
                 QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(Look()));
  }
  WatchTrayManagerAnnouncements();
}

TrayWatch::~TrayWatch() {
  if (QCoreApplication::instance() != nullptr) {
    QCoreApplication::instance()->removeNativeEventFilter(this);
  }
}

void TrayWatch::Start() {
  tries_left_ = kStartTries - 1;
  tries_.start();
  Look();
}

void TrayWatch::Look() {
  if (look_pending_) return;
  if (!bus_.isConnected()) {
    LookForXEmbed();
    return;
  }
  QDBusMessage get = QDBusMessage::createMethodCall(
      kWatcherService, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("Get"));
  get << kWatcherService << QStringLiteral("IsStatusNotifierHostRegistered");
  look_pending_ = true;
  auto* call = new QDBusPendingCallWatcher(bus_.asyncCall(get, kAnswerDeadlineMs), this);
  connect(call, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* answer) {
    answer->deleteLater();
    look_pending_ = false;
    const QDBusPendingReply<QDBusVariant> reply = *answer;
    if (reply.isValid() && reply.value().variant().toBool()) {
      Report(TrayKind::StatusNotifier);
      return;
    }
    // A watcher that holds its name without answering would hang Qt's own
    // question as well; wait until it answers or goes away.
    const QDBusError::ErrorType error = reply.isError() ? reply.error().type() : QDBusError::NoError;
    if (error == QDBusError::NoReply || error == QDBusError::Timeout) return;
    LookForXEmbed();
  });
}

void TrayWatch::LookForXEmbed() {
  if (XEmbedTrayManagerPresent()) Report(TrayKind::XEmbed);
}

void TrayWatch::Report(TrayKind kind) {
  tries_.stop();
  emit Found(kind);
}

void TrayWatch::WatchTrayManagerAnnouncements() {
  xcb_connection_t* connection = X11Connection();
  if (connection == nullptr) return;
  const xcb_window_t root = RootWindow(connection);
  manager_atom_ = InternAtom(connection, "MANAGER");
  if (root == XCB_WINDOW_NONE || manager_atom_ == XCB_ATOM_NONE) return;
  // A new tray manager announces itself to the root window's structure listeners;
  // add that to whatever Qt selected there, without taking anything away.
  std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&free)> attributes(
      xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, root),
                                      nullptr),
      &free);
  if (!attributes) return;
  const std::uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection);
  QCoreApplication::instance()->installNativeEventFilter(this);
}

bool TrayWatch::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
  if (type != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
  const auto* client = static_cast<const xcb_client_message_event_t*>(message);
  if (client->type == manager_atom_) QTimer::singleShot(0, this, &TrayWatch::Look);
  return false;
}

}  // namespace norvaket::qt
