// Drives modal windows in tests: `whenModal` runs an action on the next
// modal window that appears (the way a user answers a box), while the code
// under test sits in that window's exec().
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace fin::test {

// Runs `act` on the first modal widget (other than `skip`) that becomes
// active; polls every 10 ms for up to 5 s.
inline void whenModal(std::function<void(QWidget*)> act, QWidget* skip = nullptr) {
  auto* timer = new QTimer;
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, act, skip, tries] {
    QWidget* w = QApplication::activeModalWidget();
    if ((w && w != skip) || ++*tries > 500) {
      timer->stop();
      timer->deleteLater();
      if (w && w != skip) act(w);
    }
  });
  timer->start(10);
}

}  // namespace fin::test
