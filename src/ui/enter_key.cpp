#include "ui/enter_key.h"

#include <QPushButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace fin::ui {

EnterKey* EnterKey::install(QWidget* window, EnterRule rule) { return new EnterKey(window, rule); }

EnterKey::EnterKey(QWidget* window, EnterRule rule) : QObject(window), window_(window), rule_(rule) {
  qApp->installEventFilter(this);
}

void EnterKey::exempt(QWidget* control) { exempt_.append(control); }

bool EnterKey::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
  if (key->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier)) return false;  // list actions
  auto* w = qobject_cast<QWidget*>(watched);
  if (!w || w != QApplication::focusWidget() || w->window() != window_) return false;
  for (const QPointer<QWidget>& e : exempt_)
    if (e && (e == w || e->isAncestorOf(w))) return false;
  if (rule_ == EnterRule::Form) {
    if (auto* button = qobject_cast<QPushButton*>(w)) {  // "Aceptar", "Cancelar"; radios and tool buttons move on
      button->click();
      return true;
    }
    if (qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w)) return false;
  }
  // The focus moves exactly as the Tab key moves it.
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QApplication::sendEvent(w, &tab);
  return true;
}

}  // namespace fin::ui
