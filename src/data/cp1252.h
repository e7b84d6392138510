// Windows-1252, the character set of every text in the records.
// Records keep their texts as Windows-1252 bytes; the files and the windows
// speak UTF-8. These functions convert between the two and refuse what the
// other side cannot hold.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fin::cp1252 {

// The Unicode code point of a Windows-1252 byte; nullopt for the five bytes
// that the character set leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D).
std::optional<char32_t> toUnicode(uint8_t byte);

// The Windows-1252 byte of a code point; nullopt when it has none.
std::optional<uint8_t> fromUnicode(char32_t codePoint);

// Converts UTF-8 to Windows-1252. Fails (nullopt) on malformed UTF-8 and on a
// character that Windows-1252 cannot represent.
std::optional<std::string> fromUtf8(std::string_view utf8);

// Converts Windows-1252 to UTF-8; an undefined byte becomes U+FFFD.
std::string toUtf8(std::string_view bytes);

// Appends the UTF-8 form of `bytes` to `out`.
void appendUtf8(std::string_view bytes, std::string& out);

// Decodes one UTF-8 sequence at `pos`, advancing it; nullopt when malformed.
std::optional<char32_t> nextCodePoint(std::string_view utf8, size_t& pos);

}  // namespace fin::cp1252
