#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace norvaket::qt {

// Turns SIGTERM, SIGINT and SIGHUP into a call on the event loop's thread, through a
// signalfd. BlockTerminationSignals() must run in main() before any thread starts,
// so that no thread takes the signals the default way; it also ignores SIGPIPE.
class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  static void BlockTerminationSignals();

  explicit TerminationSignals(std::function<void()> on_signal, QObject* parent = nullptr);
  ~TerminationSignals() override;

 private:
  void Drain();

  std::function<void()> on_signal_;
  int fd_ = -1;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace norvaket::qt
