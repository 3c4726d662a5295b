#pragma once

#include <string>

namespace kx {

// Names travel in pad files and text exports one byte per character in the
// Windows-1252 character set. A character it cannot hold is stored as "?".
std::string utf8ToCp1252(const std::string& utf8);
std::string cp1252ToUtf8(const std::string& bytes);

// Keeps at most `count` characters of a UTF-8 text.
std::string truncateUtf8(const std::string& utf8, std::size_t count);

}  // namespace kx
