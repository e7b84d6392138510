// The one letter-case rule of the system: every key compares texts without
// regard to case, and every comparison ignores trailing spaces.
//
// Case is folded for the ASCII letters and for the accented pairs
// "ÄÁÅÆÇÉÍÑÓÖÚÜ" / "äáåæçéíñóöúü"; other characters compare by their
// Windows-1252 code. The same rule is registered in SQLite as the collation
// `kCollationName`, which every text key column uses.
#pragma once

#include <cstdint>
#include <string_view>

namespace fin::collation {

inline constexpr const char* kCollationName = "FIN_NOCASE";

// The upper-case form of a Windows-1252 byte under the rule above.
uint8_t foldByte(uint8_t byte);

// Three-way comparison of two Windows-1252 texts.
int compareCp1252(std::string_view a, std::string_view b);

// Three-way comparison of two UTF-8 texts (what SQLite hands the collation).
// Characters outside Windows-1252 sort after all others, by code point.
int compareUtf8(std::string_view a, std::string_view b);

}  // namespace fin::collation
