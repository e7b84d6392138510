// Drives modal windows in tests: `whenModal` runs an action on the next
// modal window that appears (the way a user answers a box), while the code
// under test sits in that window's exec().
#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace fin::test {

// Runs `act` on the first modal widget (other than `skip`) that appears,
// once it is the active window; polls every 10 ms for up to 5 s. Should the
// action leave that window open for 10 s more (a failed check before its
// last click), the window is closed so that the test cannot hang.
inline void whenModal(std::function<void(QWidget*)> act, QWidget* skip = nullptr) {
  auto* timer = new QTimer;
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, act, skip, tries] {
    QWidget* w = QApplication::activeModalWidget();
    const bool found = w && w != skip;
    if (!found && ++*tries <= 500) return;
    timer->stop();
    timer->deleteLater();
    if (!found) return;
    QApplication::setActiveWindow(w);
    (void)QTest::qWaitForWindowActive(w, 1000);
    QPointer<QWidget> guard(w);
    act(w);
    QTimer::singleShot(10000, [guard] {
      if (guard && guard->isVisible()) {
        if (auto* d = qobject_cast<QDialog*>(guard.data())) d->done(QDialog::Rejected);
        else guard->close();
      }
    });
  });
  timer->start(10);
}

}  // namespace fin::test
