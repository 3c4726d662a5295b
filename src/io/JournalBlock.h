#pragma once

#include <optional>

#include "io/PadFile.h"

namespace kx {

// The journal in the pad file: the checked block "KXJL". Its payload is the
// number of lines (32 bit), then per line the year (16 bit), month, day,
// hour, minute, kind, row and the player flag (a byte each), the value or
// player cell before and after a correction (signed 32 bit each), and the
// text (16-bit length, UTF-8). A pad whose journal is empty has no block.
extern const BlockKind JOURNAL_BLOCK;

}  // namespace kx
