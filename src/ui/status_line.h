// The status line at the foot of a window: it shows the status message of
// the control under the mouse or, failing that, of the control that has the
// focus.
#pragma once

#include <QStatusBar>

namespace fin::ui {

class StatusLine : public QStatusBar {
  Q_OBJECT
 public:
  explicit StatusLine(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
};

}  // namespace fin::ui
