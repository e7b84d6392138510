// Packed decimal fields (decimal D.P).
//
// A decimal of D digits, P of them after the point, takes D/2+1 bytes: one
// sign nibble followed by the digits, most significant first, two to a byte
// (a leading zero nibble pads an even D). The sign nibble is 0x0 for a
// positive value and 0xF for a negative one. The value itself is held as a
// 64-bit integer in units of the last place: hundredths for money.
//
// A value with more digits than the field has is refused, never cut.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace fin::decimal {

// Bytes taken by a decimal of `digits` digits.
constexpr size_t byteSize(int digits) { return static_cast<size_t>(digits / 2 + 1); }

// The largest magnitude a field of `digits` digits holds (10^digits - 1).
int64_t maxMagnitude(int digits);

bool fits(int64_t scaled, int digits);

// Writes `scaled` into `out` (byteSize(digits) bytes). Returns false, leaving
// `out` untouched, when the value does not fit.
bool encode(int64_t scaled, int digits, std::span<uint8_t> out);

int64_t decode(std::span<const uint8_t> in, int digits);

// Money and other decimals as plain text with a point: "-1234.50" for
// -123450 with two places. Used for error texts and storage documentation.
std::string toPlainText(int64_t scaled, int places);

}  // namespace fin::decimal
