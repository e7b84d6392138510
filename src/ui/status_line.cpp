#include "ui/status_line.h"

#include <QApplication>
#include <QStatusTipEvent>

namespace fin::ui {

StatusLine::StatusLine(QWidget* window) : QStatusBar(window), window_(window) {
  setObjectName("statusLine");
  setSizeGripEnabled(false);
  window->installEventFilter(this);
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (now && now->window() == window_) showMessage(now->statusTip());
  });
}

bool StatusLine::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window_ && event->type() == QEvent::StatusTip) {
    const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
    QWidget* focus = QApplication::focusWidget();
    showMessage(!tip.isEmpty() || !focus || focus->window() != window_ ? tip : focus->statusTip());
    return true;
  }
  return QStatusBar::eventFilter(watched, event);
}

}  // namespace fin::ui
