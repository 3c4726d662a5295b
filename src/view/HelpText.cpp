#include "view/HelpText.h"

#include <array>
#include <cctype>
#include <cstdint>

#include "io/Cp1252.h"

namespace kx {

namespace {

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The character an entity stands for ("amp", "#8211", "#x2013"); false for
// one it does not know, which then stays as it is written.
bool decodeEntity(std::string_view name, std::string& out) {
    struct Named {
        const char* name;
        std::uint32_t code;
    };
    static constexpr std::array<Named, 12> named{{{"amp", '&'},
                                                  {"lt", '<'},
                                                  {"gt", '>'},
                                                  {"quot", '"'},
                                                  {"apos", '\''},
                                                  {"nbsp", ' '},
                                                  {"ndash", 0x2013},
                                                  {"mdash", 0x2014},
                                                  {"hellip", 0x2026},
                                                  {"bdquo", 0x201E},
                                                  {"ldquo", 0x201C},
                                                  {"rarr", 0x2192}}};
    if (name.size() >= 2 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        std::uint32_t code = 0;
        const std::string_view digits = name.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 6) return false;
        for (char c : digits) {
            const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                              : hex && std::isxdigit(static_cast<unsigned char>(c))
                                  ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                                  : -1;
            if (digit < 0) return false;
            code = code * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
        }
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        appendUtf8(out, code == 0xA0 ? U' ' : static_cast<char32_t>(code));
        return true;
    }
    for (const Named& n : named) {
        if (name == n.name) {
            appendUtf8(out, static_cast<char32_t>(n.code));
            return true;
        }
    }
    return false;
}

// Tags after which the text goes on in a line of its own.
bool breaksLine(const std::string& tag) {
    static constexpr std::array<const char*, 16> blocks{
        "p",  "br",  "div",   "h1", "h2", "h3",  "h4",   "li",
        "tr", "pre", "table", "ul", "ol", "nav", "main", "blockquote"};
    for (const char* block : blocks)
        if (tag == block) return true;
    return false;
}

}  // namespace

std::string helpPlainText(std::string_view html) {
    std::string out;
    bool blank = false;  // a blank is due before the next visible character
    bool pre = false;    // inside <pre>: blanks and line ends stay
    // Ends the line unless it is empty; with `empty`, one empty line follows
    // (never more, and none at the start).
    const auto endLine = [&out, &blank](bool empty) {
        blank = false;
        while (!out.empty() && out.back() == ' ')
            out.pop_back();
        if (out.empty()) return;
        if (out.back() != '\n') out += '\n';
        if (empty && !out.ends_with("\n\n")) out += '\n';
    };
    const auto text = [&out, &blank](std::string_view piece) {
        if (blank && !out.empty() && out.back() != '\n') out += ' ';
        blank = false;
        out += piece;
    };
    std::size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<') {
            if (html.compare(i, 4, "<!--") == 0) {
                const std::size_t end = html.find("-->", i + 4);
                i = end == std::string_view::npos ? html.size() : end + 3;
                continue;
            }
            const std::size_t end = html.find('>', i);
            if (end == std::string_view::npos) break;
            std::string_view inside = html.substr(i + 1, end - i - 1);
            const bool closing = !inside.empty() && inside[0] == '/';
            if (closing) inside.remove_prefix(1);
            std::size_t nameEnd = 0;
            while (nameEnd < inside.size() &&
                   std::isalnum(static_cast<unsigned char>(inside[nameEnd])))
                ++nameEnd;
            const std::string tag = lower(inside.substr(0, nameEnd));
            i = end + 1;
            if (!closing && (tag == "head" || tag == "script" || tag == "style")) {
                // Their content is no text of the page.
                const std::size_t close = lower(html.substr(i)).find("</" + tag);
                i = close == std::string::npos ? html.size() : i + close;
                continue;
            }
            if (tag == "pre") pre = !closing;
            if ((tag == "td" || tag == "th") && !closing && !out.empty() && out.back() != '\n') {
                blank = false;
                out += " | ";
            }
            // Paragraphs, headings, lists and tables are set off by an empty line.
            if (breaksLine(tag)) endLine(tag != "br" && tag != "li" && tag != "tr");
            if (!closing && tag == "li") text("\xE2\x80\xA2 ");
            continue;
        }
        if (c == '&') {
            const std::size_t end = html.find(';', i);
            if (end != std::string_view::npos && end - i <= 10) {
                std::string decoded;
                if (decodeEntity(html.substr(i + 1, end - i - 1), decoded)) {
                    text(decoded);
                    i = end + 1;
                    continue;
                }
            }
            text("&");
            ++i;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            if (pre && c == '\n') {
                out += '\n';
            } else if (pre && c != '\r') {
                out += c;
            } else if (!pre) {
                blank = true;
            }
            ++i;
            continue;
        }
        text(html.substr(i, 1));
        ++i;
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    if (!out.empty()) out += '\n';
    return out;
}

}  // namespace kx
