#pragma once

#include <string>

#include "io/FileSystem.h"
#include "view/PadSheet.h"

namespace kx {

// The pad for spreadsheets: UTF-8 with a byte order mark, fields separated by
// semicolons, CR LF line ends. That is what Excel and LibreOffice with German
// settings expect of a ".csv" file: the mark tells them the encoding, the
// semicolon is their list separator (the comma is the decimal one), and the
// values are whole numbers, so nothing needs an import setting.
//
// A head line "Zeile;Sp;Pk;<names>;Setzt aus", one line per pad row with the
// values the pad shows, a "Summe" line with the totals and an "Umsatz" line.
// A cell that shows "xxx" stays empty and its player is named in the last
// column instead, so that every number column holds numbers only. A text that
// a spreadsheet would take for a formula (starting with "=", "+", "-", "@")
// gets a leading apostrophe.
Bytes csvBytes(const PadSheet& sheet);

// One field, quoted when it holds a separator, a quote or a line end.
std::string csvField(const std::string& text, bool isText);

}  // namespace kx
