#pragma once

#include "io/PadFile.h"

namespace kx {

// The value calculator's inputs in the pad file: the checked block "KXRK".
// Its payload is the number of reckoned rows (16 bit), then per row: the row,
// the Re players (one byte each; equal for a soloist), solo (a byte), Re's
// card points (16 bit), and for Re, then Kontra: announced, absage (0 none,
// 1 keine 90, 2 keine 60, 3 keine 30, 4 schwarz), no trick, Doppelkopfs,
// foxes caught and Karlchen (a byte each). A file whose reckoning does not
// give its row's players and value is refused: the block belongs to the rows.
extern const BlockKind RECKONING_BLOCK;

}  // namespace kx
