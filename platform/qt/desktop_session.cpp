#include "platform/qt/desktop_session.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <ranges>
#include <string_view>
#include <utility>

#include "platform/qt/command_line.h"

namespace norvaket::qt {
namespace {

// What one look for a display found.
struct Lookout {
  bool reachable = false;
  std::string looked_for;
  xcb_connection_t* x_connection = nullptr;  // held open where an X display answered
};

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

// "wayland;xcb" lists fallbacks; "xcb:arguments" passes arguments to the plugin.
std::vector<std::string> PlatformNames(const std::string& request) {
  std::vector<std::string> names;
  for (const auto part : request | std::views::split(';')) {
    const std::string_view entry(part.begin(), part.end());
    if (!entry.empty()) names.emplace_back(entry.substr(0, entry.find(':')));
  }
  return names;
}

bool IsWayland(const std::string& platform) {
  return platform.starts_with("wayland");
}

bool NeedsDisplay(const std::string& platform) {
  return platform == "xcb" || IsWayland(platform);
}

// libxcb writes an X server's reason for refusing a client to stderr; it is
// caught here so that it becomes part of the program's one line.
xcb_connection_t* ConnectCatchingReason(const std::string& display, std::string& reason) {
  std::array<int, 2> pipe_fds{};
  const int saved_stderr = dup(STDERR_FILENO);
  if (saved_stderr < 0 || pipe2(pipe_fds.data(), O_CLOEXEC | O_NONBLOCK) != 0) {
    if (saved_stderr >= 0) close(saved_stderr);
    return xcb_connect(display.c_str(), nullptr);
  }
  dup2(pipe_fds[1], STDERR_FILENO);
  xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
  dup2(saved_stderr, STDERR_FILENO);
  close(saved_stderr);
  close(pipe_fds[1]);
  std::array<char, 256> text{};
  const ssize_t length = read(pipe_fds[0], text.data(), text.size());
  close(pipe_fds[0]);
  if (length > 0) reason.assign(text.data(), static_cast<std::size_t>(length));
  while (!reason.empty() && std::isspace(static_cast<unsigned char>(reason.back()))) {
    reason.pop_back();
  }
  return connection;
}

// The X server itself decides: a display that refuses us (no server, no
// authority) fails here as it would in Qt.
Lookout LookForX(const std::optional<std::string>& display_option) {
  const std::string display = display_option.value_or(Environment("DISPLAY"));
  if (display.empty()) return {false, "an X display (DISPLAY is not set)"};
  std::string reason;
  xcb_connection_t* connection = ConnectCatchingReason(display, reason);
  if (xcb_connection_has_error(connection) == 0) return {true, {}, connection};
  xcb_disconnect(connection);
  return {false, "the X display " + display + " (" +
                     (reason.empty() ? "it could not be opened" : "it refused: " + reason) + ")"};
}

bool SocketAnswers(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  const int socket_fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (socket_fd < 0) return false;
  const bool answered =
      connect(socket_fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
  close(socket_fd);
  return answered;
}

// A Wayland display is a socket in XDG_RUNTIME_DIR, "wayland-0" unless named; Qt
// tries it unasked only where WAYLAND_DISPLAY or the session type points to it.
Lookout LookForWayland(bool asked_for) {
  if (!Environment("WAYLAND_SOCKET").empty()) return {true, {}};  // handed over, already open
  const std::string named = Environment("WAYLAND_DISPLAY");
  if (named.empty() && !asked_for && Environment("XDG_SESSION_TYPE") != "wayland") {
    return {false, "a Wayland display (WAYLAND_DISPLAY is not set)"};
  }
  const std::string display = named.empty() ? "wayland-0" : named;
  const std::string folder = Environment("XDG_RUNTIME_DIR");
  if (!display.starts_with('/') && folder.empty()) {
    return {false, "the Wayland display " + display + " (XDG_RUNTIME_DIR is not set)"};
  }
  const std::string path = display.starts_with('/') ? display : folder + "/" + display;
  return {SocketAnswers(path), "the Wayland display " + display + " (it could not be opened)"};
}

}  // namespace

DesktopSession::DesktopSession(const std::vector<std::string>& args) {
  const std::string request =
      QtOptionValue(args, "-platform").value_or(Environment("QT_QPA_PLATFORM"));
  const std::vector<std::string> asked = PlatformNames(request);
  if (!std::ranges::all_of(asked, NeedsDisplay)) return;
  const bool any = asked.empty();
  std::string looked_for;
  if (any || std::ranges::count(asked, "xcb") > 0) {
    const Lookout x = LookForX(QtOptionValue(args, "-display"));
    x_connection_ = x.x_connection;
    if (x.reachable) return;
    looked_for = x.looked_for;
  }
  if (any || std::ranges::any_of(asked, IsWayland)) {
    const Lookout wayland = LookForWayland(!any);
    if (wayland.reachable) return;
    looked_for += (looked_for.empty() ? "" : " and ") + wayland.looked_for;
  }
  missing_ = "norvaket: needs a graphical desktop session; looked for " + looked_for;
}

DesktopSession::~DesktopSession() {
  Release();
}

void DesktopSession::Release() {
  if (x_connection_ != nullptr) xcb_disconnect(std::exchange(x_connection_, nullptr));
}

}  // namespace norvaket::qt
