// Shows the message table's boxes with Qt's QMessageBox.
//
// Until the main window has opened, the buttons carry the toolkit's own
// captions; from then on (setSpanishCaptions) they read "Aceptar", "&Sí",
// "&No", "&Abortar", "&Reintentar", "&Ignorar", "Cancelar" and "&Ayuda".
// A box is modal to the active window. A box raised on another thread is
// shown on the GUI thread, and that thread waits for the answer.
#pragma once

#include <QString>
#include <atomic>
#include <functional>

#include "data/messages.h"

namespace fin::ui {

// The caption of a standard button, in the program's Spanish once switched.
QString buttonCaption(Button b, bool spanish);

class MessageBoxPresenter : public MessagePresenter {
 public:
  // `endProgram` runs after a fatal message; by default the process exits with code 1.
  explicit MessageBoxPresenter(std::function<void()> endProgram = {});

  Button present(const MessageBoxSpec& box) override;
  void endProgram() override;
  void useProgramCaptions() override { spanish_ = true; }

  void setSpanishCaptions(bool on) { spanish_ = on; }
  bool spanishCaptions() const { return spanish_; }

 private:
  Button presentHere(const MessageBoxSpec& box);

  std::atomic<bool> spanish_{false};
  std::function<void()> endProgram_;
};

}  // namespace fin::ui
