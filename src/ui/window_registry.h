// The open-window registry: every window procedure registers under its own
// name while it is open, so each can be open only once in the whole process.
// A second call brings the open window to the front (restored if minimised)
// and is refused. Thread-safe.
#pragma once

#include <QPointer>
#include <QWidget>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace fin::ui {

class WindowRegistry {
 public:
  static WindowRegistry& instance();

  // Adds `name`; when it is already there, asks that window to come to the
  // front and returns false.
  bool enter(const std::string& name);
  // Tells the registry which window to bring forward for `name`.
  void attach(const std::string& name, QWidget* window);
  void leave(const std::string& name);
  bool isOpen(const std::string& name) const;

 private:
  struct Entry {
    std::string name;
    std::thread::id thread;
    QPointer<QWidget> window;
  };
  mutable std::mutex mutex_;
  std::vector<Entry> entries_;
};

// Registers a window procedure for the life of a scope.
class RegisteredWindow {
 public:
  // `select` procedures (a list called to choose a record) do not register.
  explicit RegisteredWindow(std::string name, bool select = false);
  ~RegisteredWindow();
  RegisteredWindow(const RegisteredWindow&) = delete;
  RegisteredWindow& operator=(const RegisteredWindow&) = delete;

  // False when the window is already open elsewhere (it was brought forward).
  bool admitted() const { return admitted_; }
  void attach(QWidget* window);

 private:
  std::string name_;
  bool admitted_ = false;
  bool added_ = false;
};

// Restores a minimised window, raises it and makes it active.
void bringToFront(QWidget* window);

// The window the user is working in (the active modal window, else the
// active window): the parent of the window it calls, which is modal to it.
QWidget* callerWindow();

}  // namespace fin::ui
