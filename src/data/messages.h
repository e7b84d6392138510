// The program-wide message table: the file and record errors and the
// standard confirmations, by number, with the rules by which each kind is
// presented and answered.
//
// The table and its rules are plain data and logic, so that the store can
// raise messages without knowing the windowing toolkit; the box itself is
// drawn by a MessagePresenter (a Qt one in the program, a double in tests).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace fin {

enum class MessageKind : uint8_t { Question = 1, ProgramError = 2, FatalError = 3, Information = 5 };

struct MessageEntry {
  uint16_t number;
  MessageKind kind;
  std::string_view title;
  std::string_view text;  // with placeholders; "|" starts a new line
};

// Every entry of the table, in number order.
std::span<const MessageEntry> messageTable();
const MessageEntry* findMessage(uint16_t number);

// Standard message-box buttons, as a bit set.
enum Button : uint16_t {
  kNoButton = 0,
  kOk = 1,
  kYes = 2,
  kNo = 4,
  kAbort = 8,
  kRetry = 16,
  kIgnore = 32,
  kCancel = 64,
  kHelp = 128,
};
using Buttons = uint16_t;

enum class MessageIcon : uint8_t { None, Information, Exclamation };

// Values for the placeholders %File, %Field, %Message and %ErrorText.
struct MessageArgs {
  std::string file;
  std::string field;
  std::string message;
  std::string errorText;
};

// A message ready to be shown: what the presenter draws.
struct MessageBoxSpec {
  uint16_t number = 0;
  std::string title;
  std::string text;  // placeholders replaced, "|" turned into "\n"
  MessageIcon icon = MessageIcon::None;
  Buttons buttons = kOk;
  Button defaultButton = kOk;
  bool endsProgram = false;  // fatal kinds end the program after "Aceptar"
};

// The platform part: draws a box and returns the button pressed.
class MessagePresenter {
 public:
  virtual ~MessagePresenter() = default;
  virtual Button present(const MessageBoxSpec& box) = 0;
  // Called after a fatal message has been acknowledged.
  virtual void endProgram() = 0;
  // From now on the buttons carry the program's captions ("Aceptar", "&Sí",
  // ...) instead of the toolkit's: called once the main window has opened.
  virtual void useProgramCaptions() {}
};

// Replaces the placeholders in `text` (one pass, so replaced values are never
// scanned again) and turns "|" into a line break.
std::string fillPlaceholders(std::string_view text, const MessageArgs& args);

// The box for message `number` presented by its kind; nullopt when the table
// does not hold the number.
std::optional<MessageBoxSpec> prepareMessage(uint16_t number, const MessageArgs& args);

// Raises messages through a presenter. Any thread may raise; the presenter
// is responsible for showing the box on the right thread.
class Messages {
 public:
  explicit Messages(MessagePresenter& presenter) : presenter_(presenter) {}

  // Raises message `number` presented by its kind. Returns true to go on
  // (information acknowledged, "&Sí" to a question), false to cancel
  // ("&No"). A fatal kind ends the program through the presenter and, should
  // the presenter return, gives false. An unknown number shows a generic
  // error box and gives false.
  bool raise(uint16_t number, const MessageArgs& args = {});

  // Raises message `number` with the buttons and default the caller gives,
  // with the exclamation icon; returns the button pressed.
  Button ask(uint16_t number, const MessageArgs& args, Buttons buttons, Button defaultButton);

  MessagePresenter& presenter() { return presenter_; }

 private:
  MessagePresenter& presenter_;
};

}  // namespace fin
