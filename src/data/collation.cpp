#include "data/collation.h"

#include <array>

#include "data/cp1252.h"

namespace fin::collation {
namespace {

constexpr std::array<uint8_t, 256> makeFoldTable() {
  std::array<uint8_t, 256> t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<uint8_t>(i);
  for (int c = 'a'; c <= 'z'; ++c) t[c] = static_cast<uint8_t>(c - 'a' + 'A');
  // äáåæçéíñóöúü -> ÄÁÅÆÇÉÍÑÓÖÚÜ
  constexpr uint8_t lower[] = {0xE4, 0xE1, 0xE5, 0xE6, 0xE7, 0xE9, 0xED, 0xF1, 0xF3, 0xF6, 0xFA, 0xFC};
  constexpr uint8_t upper[] = {0xC4, 0xC1, 0xC5, 0xC6, 0xC7, 0xC9, 0xCD, 0xD1, 0xD3, 0xD6, 0xDA, 0xDC};
  for (size_t i = 0; i < sizeof lower; ++i) t[lower[i]] = upper[i];
  return t;
}
constexpr std::array<uint8_t, 256> kFold = makeFoldTable();

std::string_view trimRight(std::string_view s) {
  size_t n = s.size();
  while (n > 0 && s[n - 1] == ' ') --n;
  return s.substr(0, n);
}

// The sort weight of the next character of a UTF-8 text.
uint32_t nextWeight(std::string_view s, size_t& pos) {
  const auto lead = static_cast<uint8_t>(s[pos]);
  if (lead < 0x80) {
    ++pos;
    return kFold[lead];
  }
  auto cp = cp1252::nextCodePoint(s, pos);
  if (!cp) {  // malformed: weigh the raw byte after every character
    ++pos;
    return 0x110000u + lead;
  }
  if (auto b = cp1252::fromUnicode(*cp)) return kFold[*b];
  return 0x100u + *cp;
}

}  // namespace

uint8_t foldByte(uint8_t byte) { return kFold[byte]; }

int compareCp1252(std::string_view a, std::string_view b) {
  a = trimRight(a);
  b = trimRight(b);
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const uint8_t x = kFold[static_cast<uint8_t>(a[i])];
    const uint8_t y = kFold[static_cast<uint8_t>(b[i])];
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int compareUtf8(std::string_view a, std::string_view b) {
  a = trimRight(a);
  b = trimRight(b);
  size_t i = 0;
  size_t j = 0;
  while (i < a.size() && j < b.size()) {
    const uint32_t x = nextWeight(a, i);
    const uint32_t y = nextWeight(b, j);
    if (x != y) return x < y ? -1 : 1;
  }
  if (i == a.size() && j == b.size()) return 0;
  return i == a.size() ? -1 : 1;
}

}  // namespace fin::collation
