#include "data/criterion.h"

#include <cctype>

#include "data/collation.h"

namespace fin {
namespace {

std::string_view trimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return trimRight(s);
}

bool consume(std::string_view& s, std::string_view token) {
  s = trim(s);
  if (s.size() < token.size()) return false;
  for (size_t i = 0; i < token.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(s[i])) != std::toupper(static_cast<unsigned char>(token[i])))
      return false;
  s.remove_prefix(token.size());
  return true;
}

}  // namespace

std::optional<Criterion> Criterion::parse(std::string_view s) {
  Criterion c;
  if (!consume(s, "MATCH") || !consume(s, "(")) return std::nullopt;
  s = trim(s);
  const size_t comma = s.find(',');
  if (comma == std::string_view::npos) return std::nullopt;
  c.name_ = std::string(trim(s.substr(0, comma)));
  if (c.name_.empty()) return std::nullopt;
  s.remove_prefix(comma + 1);
  if (!consume(s, "'")) return std::nullopt;
  size_t i = 0;
  for (;; ++i) {
    if (i >= s.size()) return std::nullopt;  // the pattern never closes
    if (s[i] != '\'') {
      c.pattern_.push_back(s[i]);
      continue;
    }
    if (i + 1 < s.size() && s[i + 1] == '\'') {
      c.pattern_.push_back('\'');
      ++i;
      continue;
    }
    break;
  }
  s.remove_prefix(i + 1);
  if (!consume(s, ",") || !consume(s, std::to_string(kWildcardNoCase)) || !consume(s, ")")) return std::nullopt;
  if (!trim(s).empty()) return std::nullopt;
  return c;
}

std::string Criterion::build(std::string_view name, std::string_view value) {
  std::string out = "MATCH(";
  out += trimRight(name);
  out += ",'";
  for (char ch : trimRight(value)) {
    if (ch == '\'') out += '\'';
    out += ch;
  }
  out += "',";
  out += std::to_string(kWildcardNoCase);
  out += ")";
  return out;
}

bool wildcardMatch(std::string_view value, std::string_view pattern) {
  value = trimRight(value);
  size_t v = 0;
  size_t p = 0;
  size_t starP = std::string_view::npos;
  size_t starV = 0;
  while (v < value.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starV = v;
    } else if (p < pattern.size() &&
               (pattern[p] == '?' || collation::foldByte(static_cast<uint8_t>(pattern[p])) ==
                                         collation::foldByte(static_cast<uint8_t>(value[v])))) {
      ++p;
      ++v;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      v = ++starV;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

}  // namespace fin
