#pragma once

namespace kx::win {

// Kartotrix is a window program, so Windows gives it no console of its own.
// For the command-line commands it writes to the handles it inherited (a
// redirection to a file or a pipe) or else to the console of the program
// that started it. Standard output takes bytes unchanged (a text export
// keeps its CR LF); German texts reach the console as UTF-8.
void connectStandardStreams();

}  // namespace kx::win
