// The marker on the control that has the focus, in every window: the
// control's text turns bold on a yellow background (not for lists and
// combos), a yellow rectangle with a black outline is drawn behind it two
// units beyond its edges, and a grey "»" stands eight units to its left.
// The marker follows the control when the window is resized.
#pragma once

#include <QFont>
#include <QObject>
#include <QPalette>
#include <QPointer>

class QLabel;

namespace fin::ui {

class FocusMarker : public QObject {
  Q_OBJECT
 public:
  // Marks the focused control of `window` from now on (owned by the window).
  static FocusMarker* install(QWidget* window);

  QWidget* marked() const { return marked_; }
  // Whether a control of this kind receives the marker.
  static bool isMarkable(const QWidget* w);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit FocusMarker(QWidget* window);
  void focusChanged(QWidget* now);
  void mark(QWidget* w);
  void unmark();
  void place();

  QWidget* window_;
  QPointer<QWidget> marked_;
  QPointer<QWidget> frame_;
  QPointer<QLabel> arrow_;
  QFont savedFont_;
  QPalette savedPalette_;
  bool savedAutoFill_ = false;
  bool restyled_ = false;
};

}  // namespace fin::ui
