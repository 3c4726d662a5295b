#pragma once

#include <array>
#include <string>

namespace kx {

struct Program;

// The 21 captions of WER1, then the 19 items of WAS1, then the 26 items that
// WAS2 and WAS1s share, in the order they are added.
extern const std::array<const char*, 66> controlTexts;

// Creates every control of the entry panel and of the pad grid, all of them
// in their state before the first pad, and sets the default player names.
void buildControls(Program& p);

}  // namespace kx
