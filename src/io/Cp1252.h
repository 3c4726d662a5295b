#pragma once

#include <string>
#include <string_view>

namespace kx {

// Names travel in pad files and text exports one byte per character in the
// Windows-1252 character set. A character it cannot hold is stored as "?".
std::string utf8ToCp1252(const std::string& utf8);
std::string cp1252ToUtf8(const std::string& bytes);

// The text with every control character (TAB, CR, LF, ESC, the C1 controls
// and the like) replaced by a blank, so that a name read from a file can
// neither shift the columns of an export nor reach a terminal.
std::string printableText(const std::string& utf8);
bool isControlCharacter(char32_t cp);

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUtf8(std::string_view bytes);

// Appends one character (a Unicode code point) in UTF-8.
void appendUtf8(std::string& out, char32_t cp);

// Keeps at most `count` characters of a UTF-8 text.
std::string truncateUtf8(const std::string& utf8, std::size_t count);

}  // namespace kx
