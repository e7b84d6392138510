#include "ui/window_registry.h"

#include <QApplication>
#include <QMetaObject>
#include <algorithm>

namespace fin::ui {

WindowRegistry& WindowRegistry::instance() {
  static WindowRegistry registry;
  return registry;
}

void bringToFront(QWidget* window) {
  if (!window) return;
  if (window->isMinimized()) window->showNormal();
  window->raise();
  window->activateWindow();
}

QWidget* callerWindow() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

bool WindowRegistry::enter(const std::string& name) {
  std::lock_guard lock(mutex_);
  auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.name == name; });
  if (it != entries_.end()) {
    // The "gain focus" event goes through the event queue of the window's own thread.
    if (QWidget* w = it->window)
      QMetaObject::invokeMethod(w, [guard = QPointer<QWidget>(w)] { bringToFront(guard); }, Qt::QueuedConnection);
    return false;
  }
  entries_.push_back(Entry{name, std::this_thread::get_id(), nullptr});
  return true;
}

void WindowRegistry::attach(const std::string& name, QWidget* window) {
  std::lock_guard lock(mutex_);
  for (Entry& e : entries_)
    if (e.name == name) e.window = window;
}

void WindowRegistry::leave(const std::string& name) {
  std::lock_guard lock(mutex_);
  entries_.erase(std::remove_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.name == name; }),
                 entries_.end());
}

bool WindowRegistry::isOpen(const std::string& name) const {
  std::lock_guard lock(mutex_);
  return std::any_of(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.name == name; });
}

RegisteredWindow::RegisteredWindow(std::string name, bool select) : name_(std::move(name)) {
  if (select) {
    admitted_ = true;
    return;
  }
  added_ = admitted_ = WindowRegistry::instance().enter(name_);
}

RegisteredWindow::~RegisteredWindow() {
  if (added_) WindowRegistry::instance().leave(name_);
}

void RegisteredWindow::attach(QWidget* window) {
  if (added_) WindowRegistry::instance().attach(name_, window);
}

}  // namespace fin::ui
