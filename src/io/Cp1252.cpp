#include "io/Cp1252.h"

#include <array>
#include <cstdint>

namespace kx {

namespace {

// Code points of the bytes 0x80..0x9F; the five bytes Windows-1252 leaves
// undefined map to the C1 control of the same number, as Windows does.
constexpr std::array<char32_t, 32> HIGH_CONTROLS{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t byteToCodePoint(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) return HIGH_CONTROLS[b - 0x80u];
    return b;
}

int codePointToByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (std::size_t i = 0; i < HIGH_CONTROLS.size(); ++i) {
        if (HIGH_CONTROLS[i] == cp) return static_cast<int>(0x80 + i);
    }
    return -1;
}

// Decodes one character at i and advances i; malformed input gives U+FFFD.
char32_t nextCodePoint(const std::string& s, std::size_t& i) {
    const auto lead = static_cast<unsigned char>(s[i++]);
    int extra = 0;
    char32_t cp = 0;
    if (lead < 0x80) return lead;
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
        return 0xFFFD;
    }
    for (int k = 0; k < extra; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return 0xFFFD;
        cp = (cp << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    return cp;
}

}  // namespace

bool isValidUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto lead = static_cast<unsigned char>(s[i]);
        std::size_t extra = 0;
        char32_t low = 0;  // the smallest code point of that length (no overlong forms)
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, low = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, low = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, low = 0x10000;
        } else {
            return false;
        }
        if (s.size() - i <= extra) return false;
        char32_t cp = lead & (0x3F >> extra);
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(s[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < low || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        i += extra + 1;
    }
    return true;
}

std::string utf8ToCp1252(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const int b = codePointToByte(nextCodePoint(utf8, i));
        out += b < 0 ? '?' : static_cast<char>(b);
    }
    return out;
}

std::string cp1252ToUtf8(const std::string& bytes) {
    std::string out;
    for (char c : bytes)
        appendUtf8(out, byteToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

bool isControlCharacter(char32_t cp) {
    return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F);
}

std::string printableText(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t from = i;
        const char32_t cp = nextCodePoint(utf8, i);
        if (isControlCharacter(cp))
            out += ' ';
        else
            out.append(utf8, from, i - from);
    }
    return out;
}

std::string truncateUtf8(const std::string& utf8, std::size_t count) {
    std::size_t i = 0;
    for (std::size_t n = 0; n < count && i < utf8.size(); ++n)
        nextCodePoint(utf8, i);
    return utf8.substr(0, i);
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace kx
