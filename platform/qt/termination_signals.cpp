#include "platform/qt/termination_signals.h"

#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace norvaket::qt {
namespace {

sigset_t TerminationSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  // A closed terminal or a session that hangs up ends the program like a log-out.
  sigaddset(&set, SIGHUP);
  return set;
}

}  // namespace

void TerminationSignals::BlockTerminationSignals() {
  const sigset_t set = TerminationSet();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  // A peer that closes its end of a pipe or socket must cost a failed write, not the program.
  signal(SIGPIPE, SIG_IGN);
}

TerminationSignals::TerminationSignals(std::function<void()> on_signal, QObject* parent)
    : QObject(parent), on_signal_(std::move(on_signal)) {
  const sigset_t set = TerminationSet();
  fd_ = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
  if (fd_ < 0) return;
  notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::Drain);
}

TerminationSignals::~TerminationSignals() {
  if (fd_ >= 0) close(fd_);
}

void TerminationSignals::Drain() {
  signalfd_siginfo info;
  bool received = false;
  while (read(fd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) received = true;
  if (received) on_signal_();
}

}  // namespace norvaket::qt
