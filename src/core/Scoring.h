#pragma once

namespace kx {

struct Program;

// "OK" on the entry panel: commits the normal game, solo or penalty the panel
// describes. An incomplete or inadmissible entry is ignored silently.
void OKB_Click(Program& p);

}  // namespace kx
