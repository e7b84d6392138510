// The test double of the message presenter: records every box it is asked
// to show and answers with scripted buttons (Ok or the default when the
// script is empty).
#pragma once

#include <deque>
#include <vector>

#include "data/messages.h"

namespace fin::test {

class RecordingPresenter : public MessagePresenter {
 public:
  Button present(const MessageBoxSpec& box) override;
  void endProgram() override { ++programEnds; }
  void useProgramCaptions() override { programCaptions = true; }

  // Answers for the next boxes, in order.
  void answer(std::initializer_list<Button> buttons) { script_.insert(script_.end(), buttons); }
  // The numbers of the boxes shown, in order.
  std::vector<uint16_t> numbers() const;
  void clear() { boxes.clear(); }

  std::vector<MessageBoxSpec> boxes;
  int programEnds = 0;
  bool programCaptions = false;

 private:
  std::deque<Button> script_;
};

}  // namespace fin::test
