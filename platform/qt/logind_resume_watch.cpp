#include "platform/qt/logind_resume_watch.h"

#include <QDBusConnection>

namespace norvaket::qt {

LogindResumeWatch::LogindResumeWatch(std::function<void()> on_resume, QObject* parent)
    : QObject(parent), on_resume_(std::move(on_resume)) {
  // Without a system bus there is no resume notice; the program runs on without it.
  QDBusConnection::systemBus().connect(
      QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
      QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
      SLOT(PrepareForSleep(bool)));
}

void LogindResumeWatch::PrepareForSleep(bool going_to_sleep) {
  if (!going_to_sleep) on_resume_();
}

}  // namespace norvaket::qt
