#include "ui/picture_edit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>
#include <QValidator>

#include "data/cp1252.h"

namespace fin::ui {
namespace {

// Holds typing to what the picture can hold; the full check is acceptInput().
class PictureValidator : public QValidator {
 public:
  PictureValidator(const Picture& picture, QObject* parent) : QValidator(parent), picture_(picture) {}

  State validate(QString& input, int&) const override {
    const std::string text = input.toStdString();
    switch (picture_.kind()) {
      case Picture::Kind::Text: return picture_.acceptsText(text) ? Acceptable : Invalid;
      case Picture::Kind::Date:
        return input.size() <= 10 && text.find_first_not_of("0123456789/-. ") == std::string::npos ? Intermediate
                                                                                                    : Invalid;
      case Picture::Kind::Number:
      case Picture::Kind::Pattern: return validateNumber(text);
    }
    return Invalid;
  }

 private:
  State validateNumber(const std::string& text) const {
    int integer = 0;  // significant integer digits: leading zeros do not count
    int fraction = 0;
    bool point = false;
    for (char c : text) {
      if (c >= '0' && c <= '9') {
        if (point)
          ++fraction;
        else if (integer > 0 || c != '0')
          ++integer;
      } else if (c == '.' && !point && picture_.decimals() > 0) {
        point = true;
      } else if (c == '-' && picture_.isSigned()) {
        continue;
      } else if (c != ',' && c != ' ') {
        return Invalid;
      }
    }
    if (fraction > picture_.decimals()) return Invalid;
    if (integer > picture_.integerDigits()) return Invalid;
    return Intermediate;
  }

  Picture picture_;
};

}  // namespace

PictureEdit::PictureEdit(const Picture& picture, QWidget* parent) : QLineEdit(parent), picture_(picture) {
  setPicture(picture);
}

void PictureEdit::setPicture(const Picture& picture) {
  picture_ = picture;
  delete validator();
  setValidator(new PictureValidator(picture_, this));
  if (picture_.isText()) setMaxLength(picture_.width() > 0 ? picture_.width() * 4 : 32767);  // bytes of UTF-8 at most
}

void PictureEdit::showValue(const QString& text) {
  accepted_ = text;
  setText(text);
  setCursorPosition(0);
}

bool PictureEdit::acceptInput() {
  const std::string typed = text().toStdString();
  std::string shown;
  bool ok = true;
  switch (picture_.kind()) {
    case Picture::Kind::Text:
      ok = picture_.acceptsText(typed);
      shown = typed;
      break;
    case Picture::Kind::Date: {
      auto d = picture_.parseDate(typed);
      ok = d.has_value();
      if (ok) shown = picture_.formatDate(*d);
      break;
    }
    case Picture::Kind::Number:
    case Picture::Kind::Pattern: {
      auto v = picture_.parseNumber(typed, picture_.decimals());
      ok = v.has_value();
      if (ok) shown = picture_.formatNumber(*v, picture_.decimals());
      break;
    }
  }
  if (!ok) {
    QApplication::beep();
    setText(accepted_);
    return false;
  }
  const QString formatted = picture_.isText() ? text() : QString::fromStdString(shown).trimmed();
  const bool changed = formatted != accepted_;
  accepted_ = formatted;
  if (text() != formatted) setText(formatted);
  if (changed) emit valueAccepted();
  return true;
}

void PictureEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (isReadOnly()) return;
  QWidget* next = QApplication::focusWidget();
  if (next && next->property(kSkipsAcceptance).toBool()) return;
  if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) return;
  if (!acceptInput()) QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
}

void PictureEdit::keyPressEvent(QKeyEvent* event) {
  const QString before = text();
  QLineEdit::keyPressEvent(event);
  // A printable key that the picture did not let in.
  if (!isReadOnly() && text() == before && !event->text().isEmpty() && event->text().at(0).isPrint() &&
      !hasSelectedText())
    QApplication::beep();
}

}  // namespace fin::ui
