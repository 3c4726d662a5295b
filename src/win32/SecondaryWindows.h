#pragma once

#include <windows.h>

#include <string>

#include "core/Program.h"

namespace kx::win {

// The About window (frm1) or the quit confirmation (frm3), owned by the main
// window, which MainWindow::runModal disables meanwhile. Its buttons call the
// logic's handlers; its close event (from a button or its close box) calls
// frm1_Close or frm3_Close and gives the main window back its input.
class ModalWindow {
  public:
    ModalWindow(HINSTANCE instance, HWND owner, Program& program, SecondaryWindow which,
                std::string makerHost, UINT dpi);
    ~ModalWindow();
    ModalWindow(const ModalWindow&) = delete;
    ModalWindow& operator=(const ModalWindow&) = delete;

    // Empty once the window has closed.
    HWND handle() const { return window_; }

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void buildAbout();
    void buildQuitConfirmation();
    HWND add(const wchar_t* windowClass, const std::string& text, DWORD style, int left, int top,
             int width, int height, int id = 0);
    void placeOverOwner(int width, int height);
    int px(int pixels) const { return MulDiv(pixels, static_cast<int>(dpi_), 96); }

    HINSTANCE instance_;
    HWND owner_;
    Program& program_;
    SecondaryWindow which_;
    std::string makerHost_;
    UINT dpi_;
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    HFONT titleFont_ = nullptr;
    HICON icon_ = nullptr;
    int iconSize_ = 0;
    bool ownIcon_ = false;
    int defaultButton_ = IDOK;
};

}  // namespace kx::win
