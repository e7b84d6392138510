// The desktop setting that shows a window's contents while it is dragged.
// The program switches it off while it runs (when it was on) and back on at
// the end. Linux desktops have no such setting: their layer reports it off,
// so nothing is ever changed there.
#pragma once

#include <memory>

namespace fin::app {

class DragSetting {
 public:
  virtual ~DragSetting() = default;
  // The current value: 1 on, 0 off.
  virtual int read() = 0;
  // Writes the value to the user's profile and announces it; false on failure.
  virtual bool write(int value) = 0;
};

// The platform's layer (on Linux: always off, never written).
std::unique_ptr<DragSetting> platformDragSetting();

// Switches the setting off for the life of the program when it was on, and
// on again when the guard ends. A setting that was off is never touched.
class DragSettingGuard {
 public:
  explicit DragSettingGuard(DragSetting& setting);
  ~DragSettingGuard();
  DragSettingGuard(const DragSettingGuard&) = delete;
  DragSettingGuard& operator=(const DragSettingGuard&) = delete;
  bool switchedOff() const { return switchedOff_; }

 private:
  DragSetting& setting_;
  bool switchedOff_ = false;
};

}  // namespace fin::app
