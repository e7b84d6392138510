// A window's members go before its child widgets do; from then on no child
// may call back into the window. detachChildren() cuts those connections
// and event filters; windows call it first in their destructors.
#pragma once

#include <QObject>

namespace fin::ui {

inline void detachChildren(QObject* window) {
  for (QObject* child : window->findChildren<QObject*>()) {
    QObject::disconnect(child, nullptr, window, nullptr);
    child->removeEventFilter(window);
  }
}

}  // namespace fin::ui
