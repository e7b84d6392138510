#include "ui/list_format.h"

#include <cctype>

namespace fin::ui {
namespace {

bool readNumber(std::string_view s, size_t& pos, int& out) {
  const size_t start = pos;
  out = 0;
  while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos])) && pos - start < 5)
    out = out * 10 + (s[pos++] - '0');
  return pos > start;
}

// A justification letter and an optional indent in parentheses.
bool readJustify(std::string_view s, size_t& pos, Justify& justify, int& indent) {
  if (pos >= s.size()) return false;
  switch (std::toupper(static_cast<unsigned char>(s[pos]))) {
    case 'L': justify = Justify::Left; break;
    case 'R': justify = Justify::Right; break;
    case 'C': justify = Justify::Center; break;
    case 'D': justify = Justify::Decimal; break;
    default: return false;
  }
  ++pos;
  if (pos < s.size() && s[pos] == '(') {
    ++pos;
    if (!readNumber(s, pos, indent) || pos >= s.size() || s[pos] != ')') return false;
    ++pos;
  }
  return true;
}

}  // namespace

std::optional<std::vector<ListColumn>> parseListFormat(std::string_view s) {
  std::vector<ListColumn> columns;
  size_t pos = 0;
  while (pos < s.size()) {
    ListColumn c;
    if (!readNumber(s, pos, c.width) || !readJustify(s, pos, c.justify, c.indent)) return std::nullopt;
    while (pos < s.size() && s[pos] != '~' && s[pos] != '@') {
      const char m = s[pos++];
      if (m == 'M') c.resizable = true;
      if (m == '*') c.colored = true;
      // '|' separates the modifiers; other modifier letters are accepted and ignored
    }
    if (pos < s.size() && s[pos] == '~') {
      const size_t end = s.find('~', pos + 1);
      if (end == std::string_view::npos) return std::nullopt;
      c.header = std::string(s.substr(pos + 1, end - pos - 1));
      pos = end + 1;
      Justify headerJustify;
      int headerIndent = 0;
      if (pos < s.size() && std::string_view("LRCD").find(static_cast<char>(std::toupper(s[pos]))) !=
                                std::string_view::npos)
        if (!readJustify(s, pos, headerJustify, headerIndent)) return std::nullopt;
    }
    if (pos >= s.size() || s[pos] != '@') return std::nullopt;
    const size_t end = s.find('@', pos + 1);
    if (end == std::string_view::npos) return std::nullopt;
    c.picture = std::string(s.substr(pos, end - pos));
    pos = end + 1;
    columns.push_back(std::move(c));
  }
  if (columns.empty()) return std::nullopt;
  return columns;
}

}  // namespace fin::ui
