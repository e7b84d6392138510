#include "app/drag_setting.h"

namespace fin::app {
namespace {

class NoDragSetting : public DragSetting {
 public:
  int read() override { return 0; }
  bool write(int) override { return false; }
};

}  // namespace

std::unique_ptr<DragSetting> platformDragSetting() { return std::make_unique<NoDragSetting>(); }

DragSettingGuard::DragSettingGuard(DragSetting& setting) : setting_(setting) {
  if (setting_.read() == 1) switchedOff_ = setting_.write(0);
}

DragSettingGuard::~DragSettingGuard() {
  if (switchedOff_) (void)setting_.write(1);  // nothing more can be done at the end if it fails
}

}  // namespace fin::app
