#include "data/decimal.h"

#include <algorithm>

namespace fin::decimal {

int64_t maxMagnitude(int digits) {
  int64_t m = 1;
  for (int i = 0; i < digits; ++i) m *= 10;
  return m - 1;
}

bool fits(int64_t scaled, int digits) {
  const int64_t max = maxMagnitude(digits);
  return scaled >= -max && scaled <= max;
}

bool encode(int64_t scaled, int digits, std::span<uint8_t> out) {
  if (!fits(scaled, digits) || out.size() != byteSize(digits)) return false;
  const bool negative = scaled < 0;
  uint64_t magnitude = negative ? static_cast<uint64_t>(-scaled) : static_cast<uint64_t>(scaled);
  std::fill(out.begin(), out.end(), 0);
  // Nibbles are numbered from the right: nibble 0 is the last digit; the
  // highest nibble (the left one of byte 0) is the sign.
  const size_t nibbles = out.size() * 2;
  for (size_t n = 0; n + 1 < nibbles && magnitude != 0; ++n) {
    const uint8_t digit = static_cast<uint8_t>(magnitude % 10);
    magnitude /= 10;
    uint8_t& byte = out[out.size() - 1 - n / 2];
    byte |= (n % 2 == 0) ? digit : static_cast<uint8_t>(digit << 4);
  }
  if (negative) out[0] |= 0xF0;
  return true;
}

int64_t decode(std::span<const uint8_t> in, int /*digits*/) {
  int64_t value = 0;
  const size_t nibbles = in.size() * 2;
  for (size_t i = 1; i < nibbles; ++i) {  // nibble 0 from the left is the sign
    const uint8_t byte = in[i / 2];
    const uint8_t digit = (i % 2 == 0) ? (byte >> 4) : (byte & 0x0F);
    value = value * 10 + digit;
  }
  return (in[0] & 0xF0) == 0xF0 ? -value : value;
}

std::string toPlainText(int64_t scaled, int places) {
  const bool negative = scaled < 0;
  uint64_t magnitude = negative ? static_cast<uint64_t>(-scaled) : static_cast<uint64_t>(scaled);
  std::string digits = std::to_string(magnitude);
  if (places > 0) {
    if (digits.size() <= static_cast<size_t>(places)) digits.insert(0, places + 1 - digits.size(), '0');
    digits.insert(digits.size() - places, 1, '.');
  }
  return negative ? "-" + digits : digits;
}

}  // namespace fin::decimal
