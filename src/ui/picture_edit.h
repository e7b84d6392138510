// An entry that shows and takes its value through a display picture.
//
// Typing is held to what the picture can hold (no 41st character in an @s40
// entry, no letters in an amount, no character outside Windows-1252). When
// the entry is accepted (it loses the focus, or its form accepts every field)
// the text is read through the picture: what the picture refuses makes a
// beep, the last accepted text is shown again and the focus stays.
#pragma once

#include <QLineEdit>
#include <string>

#include "ui/picture.h"

namespace fin::ui {

class PictureEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit PictureEdit(const Picture& picture, QWidget* parent = nullptr);

  const Picture& picture() const { return picture_; }
  void setPicture(const Picture& picture);

  // Shows a value that came from the record (it becomes the last accepted text).
  void showValue(const QString& text);
  // Reads the text through the picture; on refusal beeps, shows the last
  // accepted text again and returns false.
  bool acceptInput();
  // The last accepted text, formatted by the picture (UTF-8).
  std::string acceptedText() const { return accepted_.toStdString(); }

  // A widget that may take the focus without this entry being accepted first
  // (a "Cancelar" button) carries this property set to true.
  static constexpr const char* kSkipsAcceptance = "finSkipsAcceptance";

 signals:
  // The user's text was accepted (it may differ from before).
  void valueAccepted();

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  Picture picture_;
  QString accepted_;
};

}  // namespace fin::ui
