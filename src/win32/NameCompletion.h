#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct IAutoComplete2;

namespace kx::win {

class NameList;

// The name fields' suggestions in the Windows way: the drop-down list of the
// shell's autocompletion under each field, filled from one list of names that
// the window keeps up to date with the model. Where Windows lacks the
// autocompletion the fields simply offer nothing. Needs COM in this thread.
class NameCompletion {
  public:
    NameCompletion();
    ~NameCompletion();
    NameCompletion(const NameCompletion&) = delete;
    NameCompletion& operator=(const NameCompletion&) = delete;

    // Offers the names under `field`; false where Windows has no autocompletion.
    bool attach(HWND field);
    // The names offered from now on (UTF-8), in this order.
    void setNames(const std::vector<std::string>& names);
    // Whether the field's list is dropped down: Enter, Escape and the arrow
    // keys then belong to it.
    bool droppedDown(HWND field) const;

  private:
    NameList* names_;
    std::vector<std::pair<HWND, IAutoComplete2*>> completions_;
};

}  // namespace kx::win
