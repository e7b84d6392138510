#include "support/recording_presenter.h"

namespace fin::test {

Button RecordingPresenter::present(const MessageBoxSpec& box) {
  boxes.push_back(box);
  if (script_.empty()) return box.defaultButton;
  Button b = script_.front();
  script_.pop_front();
  return b;
}

std::vector<uint16_t> RecordingPresenter::numbers() const {
  std::vector<uint16_t> n;
  for (const MessageBoxSpec& b : boxes) n.push_back(b.number);
  return n;
}

}  // namespace fin::test
