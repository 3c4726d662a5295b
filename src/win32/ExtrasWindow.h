#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <utility>

#include "platform/WinText.h"

namespace kx::win {

// The DPI of a window (the screen's when the system cannot tell).
UINT dpiOf(HWND window);
// The outer rectangle of a client area, with the frame at the window's DPI.
void addFrame(RECT& rect, DWORD style, DWORD extendedStyle, UINT dpi);
HFONT scaledFont(const LOGFONTW& face, UINT dpi, int weight);
// Line ends as Windows controls and the clipboard want them.
std::wstring windowsText(const std::string& utf8);
bool copyToClipboard(HWND owner, const std::string& utf8);

// A window of "Extras", modal over the main window until it is closed
// ("Schließen", Escape or its close box). Subclasses build their controls
// and lay them out in device pixels.
class ExtrasWindow {
  public:
    explicit ExtrasWindow(HWND owner) : owner_(owner) {
        dpi_ = dpiOf(owner);
        if (dpi_ == 0) dpi_ = 96;
        createFonts();
    }
    virtual ~ExtrasWindow() {
        if (window_) DestroyWindow(window_);
        deleteFonts(font_, boldFont_, monoFont_);
    }
    ExtrasWindow(const ExtrasWindow&) = delete;
    ExtrasWindow& operator=(const ExtrasWindow&) = delete;

    // Shows the window over its owner (sizes at 96 dpi) and waits until it has closed.
    void run(const std::string& caption, int width, int height, int minWidth, int minHeight);

  protected:
    virtual void build() = 0;
    virtual void layout(int width, int height) = 0;  // the client area in device pixels
    virtual void command(int id, int code) { (void)id, (void)code; }
    virtual LRESULT notify(const NMHDR& note) { return (void)note, 0; }
    // Paints what is not a control; true when it painted.
    virtual bool paint(HDC dc, const RECT& client) { return (void)dc, (void)client, false; }
    virtual void focusFirst() { SetFocus(GetDlgItem(window_, IDCANCEL)); }

    HWND add(const wchar_t* windowClass, const std::string& text, DWORD style, int id = 0,
             DWORD extendedStyle = 0, HFONT font = nullptr) {
        const HWND control = CreateWindowExW(extendedStyle, windowClass, widen(text).c_str(),
                                             WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, window_,
                                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                             GetModuleHandleW(nullptr), nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : font_), FALSE);
        return control;
    }
    HWND button(const std::string& text, int id) {
        return add(L"BUTTON", text, BS_PUSHBUTTON | WS_TABSTOP, id);
    }
    void place(int id, int left, int top, int width, int height) {
        SetWindowPos(GetDlgItem(window_, id), nullptr, left, top, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void place(HWND control, int left, int top, int width, int height) {
        SetWindowPos(control, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // "Schließen" at the bottom right with the buttons before it on its left;
    // returns the top of the button row.
    int placeButtons(int width, int height, std::initializer_list<std::pair<int, int>> buttons) {
        const int h = px(26), top = height - px(10) - h;
        int right = width - px(10);
        place(IDCANCEL, right - px(96), top, px(96), h);
        right -= px(96) + px(8);
        for (const auto& [id, w] : buttons) {
            place(id, right - px(w), top, px(w), h);
            right -= px(w) + px(8);
        }
        return top;
    }
    int px(int pixels) const { return MulDiv(pixels, static_cast<int>(dpi_), 96); }
    // The save dialog and the message boxes belong to the main window and
    // give it its input back when they close; this window still holds it.
    void keepOwnerDisabled() {
        if (owner_ && window_) {
            EnableWindow(owner_, FALSE);
            SetForegroundWindow(window_);
        }
    }
    void setText(int id, const std::string& utf8) {
        SetDlgItemTextW(window_, id, windowsText(utf8).c_str());
    }

    HWND owner_;
    HWND window_ = nullptr;
    UINT dpi_ = 96;
    HFONT font_ = nullptr, boldFont_ = nullptr, monoFont_ = nullptr;

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    void createFonts();
    static void deleteFonts(HFONT a, HFONT b, HFONT c);

    // Moved to a monitor of another DPI: new fonts for every control, list
    // columns of the same share, and the size Windows suggests; WM_SIZE then
    // lays the controls out again.
    void dpiChanged(UINT dpi, const RECT& suggested);

    SIZE minSize_{};
    SIZE minSize96_{};  // at 96 dpi
};

}  // namespace kx::win
