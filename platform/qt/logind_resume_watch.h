#pragma once

#include <QObject>
#include <functional>

namespace norvaket::qt {

// logind's PrepareForSleep(false) on the system bus is the resume notice: one
// call of `on_resume` per notice, on the thread that runs the event loop.
class LogindResumeWatch : public QObject {
  Q_OBJECT

 public:
  explicit LogindResumeWatch(std::function<void()> on_resume, QObject* parent = nullptr);

 private slots:
  void PrepareForSleep(bool going_to_sleep);

 private:
  std::function<void()> on_resume_;
};

}  // namespace norvaket::qt
