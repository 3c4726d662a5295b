#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "view/ValueWindow.h"

namespace kx::win {

class ValueFrame;

// The window "Spielwert" with the Windows API's own controls: one per field
// of the logic's model, beside the main window and not modal, so that "OK"
// on the panel stays at hand. Closing it only hides it; it keeps its inputs
// until the pad changes.
class Win32ValueWindow : public ValueWindowHost {
  public:
    // `panelChanged` mirrors the main window after "Übernehmen".
    Win32ValueWindow(HWND owner, std::function<void()> panelChanged);
    ~Win32ValueWindow() override;
    Win32ValueWindow(const Win32ValueWindow&) = delete;
    Win32ValueWindow& operator=(const Win32ValueWindow&) = delete;

    void showValueWindow(Program& p) override;
    // The pad may have changed: the window follows it.
    void refresh();
    // For the program's message loop: Tab, Enter and Escape in this window.
    bool dialogMessage(MSG& message);

  private:
    HWND owner_;
    std::function<void()> panelChanged_;
    std::unique_ptr<ValueFrame> frame_;
};

}  // namespace kx::win
