#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <vector>

namespace norvaket::testing {

// Waits for modal message boxes while a test clicks, records what they show and
// dismisses each with its OK button, as a user would.
class MessageBoxCatcher final : public QObject {
 public:
  struct Caught {
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QList<QAbstractButton*>::size_type button_count;
    bool has_ok;
    QWidget* owner;
  };

  MessageBoxCatcher() {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
    timer_.start();
  }

  std::vector<Caught> caught;

 private:
  void Poll() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    QAbstractButton* ok = box->button(QMessageBox::Ok);
    caught.push_back({box->windowTitle(), box->text(), box->icon(), box->buttons().size(),
                      ok != nullptr, box->parentWidget()});
    if (ok != nullptr) {
      ok->click();
    } else {
      box->reject();
    }
  }

  QTimer timer_;
};

}  // namespace norvaket::testing
