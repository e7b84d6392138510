#include "data/cp1252.h"

#include <array>

namespace fin::cp1252 {
namespace {

// Code points of the bytes 0x80..0x9F; 0 marks an undefined byte.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendCodePoint(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

std::optional<char32_t> toUnicode(uint8_t byte) {
  if (byte < 0x80 || byte >= 0xA0) return byte;
  char32_t cp = kHighControls[byte - 0x80];
  if (cp == 0) return std::nullopt;
  return cp;
}

std::optional<uint8_t> fromUnicode(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<uint8_t>(cp);
  for (size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == cp) return static_cast<uint8_t>(0x80 + i);
  }
  return std::nullopt;
}

std::optional<char32_t> nextCodePoint(std::string_view s, size_t& pos) {
  auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
  uint8_t lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  int extra;
  char32_t cp;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (pos + extra >= s.size()) return std::nullopt;
  for (int i = 1; i <= extra; ++i) {
    uint8_t b = byte(pos + i);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (b & 0x3F);
  }
  static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
  pos += extra + 1;
  return cp;
}

std::optional<std::string> fromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    auto cp = nextCodePoint(utf8, pos);
    if (!cp) return std::nullopt;
    auto b = fromUnicode(*cp);
    if (!b) return std::nullopt;
    out.push_back(static_cast<char>(*b));
  }
  return out;
}

void appendUtf8(std::string_view bytes, std::string& out) {
  size_t plain = 0;  // ASCII runs are copied whole
  while (plain < bytes.size() && static_cast<uint8_t>(bytes[plain]) < 0x80) ++plain;
  out.append(bytes.data(), plain);
  for (size_t i = plain; i < bytes.size(); ++i) {
    auto b = static_cast<uint8_t>(bytes[i]);
    if (b < 0x80)
      out.push_back(bytes[i]);
    else
      appendCodePoint(toUnicode(b).value_or(0xFFFD), out);
  }
}

std::string toUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  appendUtf8(bytes, out);
  return out;
}

}  // namespace fin::cp1252
