// The floor of a Qt tray program, for bench/run to compare against: one tray
// icon and a one-second timer, nothing else.
//
//   floor_tray reads CLASS_DIR    the timer preads the files a steady sysfs tick reads
//   floor_tray empty              the timer does nothing
#include <unistd.h>

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <cstring>
#include <vector>

#include "steady_tick_files.h"

int main(int argc, char** argv) {
  const bool reads = argc == 3 && std::strcmp(argv[1], "reads") == 0;
  if (!reads && !(argc == 2 && std::strcmp(argv[1], "empty") == 0)) return 2;
  QApplication app(argc, argv);
  const std::vector<int> fds = reads ? OpenSteadyTickFiles(argv[2]) : std::vector<int>{};
  QPixmap square(22, 22);
  square.fill(Qt::darkGreen);
  QSystemTrayIcon icon{QIcon(square)};
  icon.show();
  QTimer timer;
  char buffer[64];
  QObject::connect(&timer, &QTimer::timeout, [&] {
    for (int fd : fds) {
      if (::pread(fd, buffer, sizeof buffer, 0) < 0) buffer[0] = 0;
    }
  });
  timer.start(1000);
  return app.exec();
}
