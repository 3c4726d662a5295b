#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace kx::win {

// A modal input box: a prompt, one answer field, "OK" and "Abbrechen". The
// dialog is built from a template in memory, so the program needs no dialog
// resource. Gives the answer, or nothing when cancelled.
std::optional<std::string> runInputBox(HWND owner, const std::string& caption,
                                       const std::string& prompt);

}  // namespace kx::win
