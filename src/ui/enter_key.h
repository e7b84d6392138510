// What the Enter key does in a window.
//
//   Form rule:  on a push button ("Aceptar", "Cancelar") Enter presses it; in a multi-line notes box
//               it starts a new line; on any other control it moves the focus
//               to the next control, as Tab does. No default button is pressed.
//   Next rule:  on every control, buttons included, Enter moves the focus on
//               (the search window and the bank accounts list).
#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

namespace fin::ui {

enum class EnterRule { Form, Next };

class EnterKey : public QObject {
  Q_OBJECT
 public:
  // Applies `rule` to every control of `window` (owned by the window).
  static EnterKey* install(QWidget* window, EnterRule rule);

  // Controls that keep Enter for themselves (the list of a list window).
  void exempt(QWidget* control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  EnterKey(QWidget* window, EnterRule rule);
  QWidget* window_;
  EnterRule rule_;
  QList<QPointer<QWidget>> exempt_;
};

}  // namespace fin::ui
