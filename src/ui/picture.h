// Display pictures: how a value is shown and what a user may type for it.
//
//   @sN       a text of N characters
//   @n...     a number: @n[-][_|0]W[.D][b]
//               -   the picture is signed: a negative value shows "-" and may be typed
//               _   no thousands separator (otherwise "," groups thousands)
//               0   leading zeros fill the width
//               W   width in characters, D decimals (after "."), b blank when zero
//             (@N is the same as @n)
//   @d6       a date as dd/mm/yyyy
//   @p...p    a pattern: "#" a digit, "<" a digit or a blank while leading
//             zeros last, anything else itself (@p<<#p: three places)
//
// Formatting never cuts: a value wider than the picture is shown whole.
// Parsing returns nullopt for input the picture does not accept, so the
// entry can beep, redisplay and keep the focus.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data/date.h"

namespace fin::ui {

class Picture {
 public:
  enum class Kind { Text, Number, Date, Pattern };

  static std::optional<Picture> parse(std::string_view written);
  // A text picture of `width` characters.
  static Picture text(int width);

  Kind kind() const { return kind_; }
  bool isText() const { return kind_ == Kind::Text; }
  // Characters of a text; characters shown for the others.
  int width() const { return width_; }
  int decimals() const { return decimals_; }
  bool isSigned() const { return signed_; }
  bool blankWhenZero() const { return blankZero_; }
  const std::string& written() const { return spec_; }

  // A number held in units of 10^-places, shown with the picture's decimals
  // (rounded half away from zero when the picture has fewer).
  std::string formatNumber(int64_t units, int places) const;
  std::string formatDate(Date d) const;
  // Texts are shown as they are (a text picture never cuts either).
  std::string formatText(std::string_view utf8) const { return std::string(utf8); }

  // What the user typed, as a number in units of 10^-places. Refused: signs
  // on an unsigned picture, more decimals than the picture shows, more
  // integer digits than its width holds, any other character but digits,
  // the point and thousands separators. Blank means 0.
  std::optional<int64_t> parseNumber(std::string_view typed, int places) const;
  // Accepts d/m/yyyy with "/", "-" or "." between (a two-digit year is in
  // 2000-2079 below 80, in the 1900s otherwise) and ddmmyyyy; blank means no date.
  std::optional<Date> parseDate(std::string_view typed) const;
  // A text fits when it has at most `width` characters (trailing blanks
  // aside), all of them in Windows-1252.
  bool acceptsText(std::string_view utf8) const;

  // Integer digits the width holds with the sign, point and separators.
  int integerDigits() const;

 private:
  Kind kind_ = Kind::Text;
  std::string spec_;
  int width_ = 0;
  int decimals_ = 0;
  bool signed_ = false;
  bool grouping_ = true;
  bool zeroFill_ = false;
  bool blankZero_ = false;
  std::string pattern_;
};

}  // namespace fin::ui
