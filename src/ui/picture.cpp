#include "ui/picture.h"

#include <cctype>

#include "data/cp1252.h"

namespace fin::ui {
namespace {

int64_t power10(int n) {
  int64_t p = 1;
  while (n-- > 0) p *= 10;
  return p;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool readInt(std::string_view s, size_t& pos, int& out) {
  const size_t start = pos;
  out = 0;
  while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos])) && pos - start < 6)
    out = out * 10 + (s[pos++] - '0');
  return pos > start;
}

}  // namespace

Picture Picture::text(int width) {
  Picture p;
  p.kind_ = Kind::Text;
  p.width_ = width;
  p.spec_ = "@s" + std::to_string(width);
  return p;
}

std::optional<Picture> Picture::parse(std::string_view written) {
  if (written.size() < 3 || written[0] != '@') return std::nullopt;
  Picture p;
  p.spec_ = std::string(written);
  const char kind = static_cast<char>(std::tolower(static_cast<unsigned char>(written[1])));
  std::string_view rest = written.substr(2);
  size_t pos = 0;
  switch (kind) {
    case 's':
      p.kind_ = Kind::Text;
      if (!readInt(rest, pos, p.width_) || pos != rest.size()) return std::nullopt;
      return p;
    case 'd': {
      int style = 0;
      if (!readInt(rest, pos, style) || pos != rest.size() || style != 6) return std::nullopt;
      p.kind_ = Kind::Date;
      p.width_ = 10;
      return p;
    }
    case 'p': {
      if (rest.empty() || (rest.back() != 'p' && rest.back() != 'P')) return std::nullopt;
      p.kind_ = Kind::Pattern;
      p.pattern_ = std::string(rest.substr(0, rest.size() - 1));
      p.width_ = static_cast<int>(p.pattern_.size());
      return p.pattern_.empty() ? std::nullopt : std::optional<Picture>(p);
    }
    case 'n': {
      p.kind_ = Kind::Number;
      if (pos < rest.size() && rest[pos] == '-') p.signed_ = true, ++pos;
      if (pos < rest.size() && rest[pos] == '_') p.grouping_ = false, ++pos;
      if (pos < rest.size() && rest[pos] == '0' && pos + 1 < rest.size() &&
          std::isdigit(static_cast<unsigned char>(rest[pos + 1])))
        p.zeroFill_ = true, ++pos;
      if (!readInt(rest, pos, p.width_)) return std::nullopt;
      if (pos < rest.size() && rest[pos] == '.') {
        ++pos;
        if (!readInt(rest, pos, p.decimals_)) return std::nullopt;
      }
      if (pos < rest.size() && (rest[pos] == 'b' || rest[pos] == 'B')) p.blankZero_ = true, ++pos;
      if (pos != rest.size() || p.decimals_ > 9) return std::nullopt;
      return p;
    }
    default: return std::nullopt;
  }
}

int Picture::integerDigits() const {
  if (kind_ == Kind::Pattern) {
    int n = 0;
    for (char c : pattern_) n += (c == '#' || c == '<');
    return n;
  }
  int room = width_ - (decimals_ > 0 ? decimals_ + 1 : 0) - (signed_ ? 1 : 0);
  if (room <= 0) return 0;
  if (!grouping_) return room;
  int digits = 0;
  while ((digits + 1) + digits / 3 <= room) ++digits;  // d digits need d + (d-1)/3 places
  return digits;
}

std::string Picture::formatNumber(int64_t units, int places) const {
  if (kind_ == Kind::Pattern) {
    std::string digits = std::to_string(units < 0 ? -units : units);
    std::string out(pattern_.size(), ' ');
    int d = static_cast<int>(digits.size()) - 1;
    for (int i = static_cast<int>(pattern_.size()) - 1; i >= 0; --i) {
      const char c = pattern_[static_cast<size_t>(i)];
      if (c == '#' || c == '<') {
        const bool have = d >= 0;
        out[static_cast<size_t>(i)] = have ? digits[static_cast<size_t>(d--)] : (c == '#' ? '0' : ' ');
      } else {
        out[static_cast<size_t>(i)] = c;
      }
    }
    if (d >= 0) return digits;  // never cut: too many digits for the pattern
    return out;
  }
  if (units == 0 && blankZero_) return std::string();
  // Bring the value to the picture's decimals.
  int64_t v = units;
  if (decimals_ >= places) {
    v *= power10(decimals_ - places);
  } else {
    const int64_t div = power10(places - decimals_);
    v = (v >= 0 ? v + div / 2 : v - div / 2) / div;
  }
  const bool negative = v < 0;
  const uint64_t magnitude = negative ? static_cast<uint64_t>(-v) : static_cast<uint64_t>(v);
  std::string all = std::to_string(magnitude);
  if (decimals_ > 0 && all.size() <= static_cast<size_t>(decimals_)) all.insert(0, decimals_ + 1 - all.size(), '0');
  std::string integer = all.substr(0, all.size() - decimals_);
  std::string fraction = all.substr(all.size() - decimals_);
  if (grouping_) {
    for (int i = static_cast<int>(integer.size()) - 3; i > 0; i -= 3) integer.insert(static_cast<size_t>(i), 1, ',');
  }
  std::string body = integer + (decimals_ > 0 ? "." + fraction : "");
  const size_t signWidth = negative ? 1 : 0;
  if (zeroFill_ && body.size() + signWidth < static_cast<size_t>(width_))
    body.insert(0, width_ - body.size() - signWidth, '0');
  std::string out = (negative ? "-" : "") + body;
  if (out.size() < static_cast<size_t>(width_)) out.insert(0, width_ - out.size(), ' ');
  return out;
}

std::string Picture::formatDate(Date d) const {
  if (d.isNull()) return std::string();
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d.day(), d.month(), d.year());
  return buf;
}

std::optional<int64_t> Picture::parseNumber(std::string_view typed, int places) const {
  std::string_view s = trim(typed);
  if (s.empty()) return 0;
  bool negative = false;
  if (s.front() == '-' || s.back() == '-') {
    if (!signed_) return std::nullopt;
    negative = true;
    s = s.front() == '-' ? s.substr(1) : s.substr(0, s.size() - 1);
    s = trim(s);
  }
  if (kind_ == Kind::Pattern) {
    std::string digits;
    for (char c : s)
      if (std::isdigit(static_cast<unsigned char>(c))) digits.push_back(c);
    if (digits.empty() || static_cast<int>(digits.size()) > integerDigits()) return std::nullopt;
    return std::stoll(digits) * power10(places);
  }
  std::string integer;
  std::string fraction;
  bool point = false;
  for (char c : s) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
      (point ? fraction : integer).push_back(c);
    } else if (c == '.' && !point && decimals_ > 0) {
      point = true;
    } else if (c == ',' && !point) {
      continue;  // a thousands separator
    } else {
      return std::nullopt;
    }
  }
  while (integer.size() > 1 && integer.front() == '0') integer.erase(0, 1);
  if (static_cast<int>(fraction.size()) > decimals_ || static_cast<int>(fraction.size()) > places) {
    // More decimals than shown: accept only zeros beyond what the value keeps.
    while (!fraction.empty() && fraction.back() == '0' && static_cast<int>(fraction.size()) > places) fraction.pop_back();
    if (static_cast<int>(fraction.size()) > decimals_ || static_cast<int>(fraction.size()) > places) return std::nullopt;
  }
  if (integer.empty() && fraction.empty()) return std::nullopt;
  if (integer != "0" && static_cast<int>(integer.size()) > integerDigits()) return std::nullopt;
  if (integer.size() > 15) return std::nullopt;
  int64_t value = integer.empty() ? 0 : std::stoll(integer);
  value *= power10(places);
  fraction.append(static_cast<size_t>(places) - fraction.size(), '0');
  if (!fraction.empty()) value += std::stoll(fraction);
  return negative ? -value : value;
}

std::optional<Date> Picture::parseDate(std::string_view typed) const {
  std::string_view s = trim(typed);
  if (s.empty()) return Date();
  int parts[3] = {0, 0, 0};
  int lengths[3] = {0, 0, 0};
  int part = 0;
  const bool digitsOnly = s.find_first_not_of("0123456789") == std::string_view::npos;
  if (digitsOnly) {
    if (s.size() != 8 && s.size() != 6) return std::nullopt;
    parts[0] = std::stoi(std::string(s.substr(0, 2)));
    parts[1] = std::stoi(std::string(s.substr(2, 2)));
    parts[2] = std::stoi(std::string(s.substr(4)));
    lengths[2] = static_cast<int>(s.size()) - 4;
  } else {
    for (char c : s) {
      if (std::isdigit(static_cast<unsigned char>(c))) {
        if (lengths[part] >= 4) return std::nullopt;
        parts[part] = parts[part] * 10 + (c - '0');
        ++lengths[part];
      } else if ((c == '/' || c == '-' || c == '.') && lengths[part] > 0 && part < 2) {
        ++part;
      } else {
        return std::nullopt;
      }
    }
    if (part != 2 || lengths[2] == 0 || lengths[0] > 2 || lengths[1] > 2) return std::nullopt;
  }
  int year = parts[2];
  if (lengths[2] <= 2) year += year < 80 ? 2000 : 1900;
  else if (lengths[2] != 4) return std::nullopt;
  return Date::fromYmd(year, parts[1], parts[0]);
}

bool Picture::acceptsText(std::string_view utf8) const {
  while (!utf8.empty() && utf8.back() == ' ') utf8.remove_suffix(1);
  auto converted = cp1252::fromUtf8(utf8);
  return converted && static_cast<int>(converted->size()) <= width_;
}

}  // namespace fin::ui
