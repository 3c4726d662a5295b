#include "ExtrasWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "platform/WinText.h"

namespace kx::win {

namespace {

constexpr wchar_t WINDOW_CLASS[] = L"KartotrixExtras";

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

// Functions of newer Windows versions, looked up so that the program still
// starts where they are missing.
template <typename Function>
Function user32Function(const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

UINT dpiOf(HWND window) {
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (window && getDpiForWindow) return getDpiForWindow(window);
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

// The outer rectangle of a client area, with the frame at the window's DPI.
void addFrame(RECT& rect, DWORD style, DWORD extendedStyle, UINT dpi) {
    static const auto adjust =
        user32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    if (adjust)
        adjust(&rect, style, FALSE, extendedStyle, dpi);
    else
        AdjustWindowRectEx(&rect, style, FALSE, extendedStyle);
}

HFONT scaledFont(const LOGFONTW& face, UINT dpi, int weight) {
    LOGFONTW font = face;
    const HDC screen = GetDC(nullptr);
    const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    font.lfHeight =
        -MulDiv(std::max(static_cast<int>(std::abs(face.lfHeight)) * 96 / systemDpi, 12),
                static_cast<int>(dpi), 96);
    font.lfWeight = weight;
    return CreateFontIndirectW(&font);
}

// Line ends as Windows controls and the clipboard want them.
std::wstring windowsText(const std::string& utf8) {
    std::wstring text;
    for (wchar_t c : widen(utf8)) {
        if (c == L'\n') text += L'\r';
        text += c;
    }
    return text;
}

bool copyToClipboard(HWND owner, const std::string& utf8) {
    const std::wstring text = windowsText(utf8);
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    const std::size_t size = (text.size() + 1) * sizeof(wchar_t);
    bool copied = false;
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size)) {
        if (void* target = GlobalLock(memory)) {
            std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(target));
            GlobalUnlock(memory);
            copied = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        }
        if (!copied) GlobalFree(memory);  // the clipboard owns it only when taken
    }
    CloseClipboard();
    return copied;
}

void ExtrasWindow::run(const std::string& caption, int width, int height, int minWidth,
                       int minHeight) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(1));
    windowClass.lpszClassName = WINDOW_CLASS;
    RegisterClassExW(&windowClass);  // fails harmlessly when the class is there
    minSize96_ = {minWidth, minHeight};
    minSize_ = {px(minWidth), px(minHeight)};
    const DWORD style =
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
    CreateWindowExW(WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME, WINDOW_CLASS, widen(caption).c_str(),
                    style, 0, 0, 100, 100, owner_, nullptr, GetModuleHandleW(nullptr), this);
    if (!window_) return;
    build();
    RECT frame{0, 0, px(width), px(height)};
    addFrame(frame, style, WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME, dpi_);
    const int outerWidth = frame.right - frame.left, outerHeight = frame.bottom - frame.top;
    RECT owner{};
    if (owner_) GetWindowRect(owner_, &owner);
    SetWindowPos(window_, nullptr, owner.left + (owner.right - owner.left - outerWidth) / 2,
                 std::max(0L, owner.top + (owner.bottom - owner.top - outerHeight) / 3), outerWidth,
                 outerHeight, SWP_NOZORDER);
    if (owner_) EnableWindow(owner_, FALSE);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    focusFirst();
    MSG message;
    while (window_) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
            break;
        }
        if (IsDialogMessageW(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (owner_) {
        EnableWindow(owner_, TRUE);
        SetForegroundWindow(owner_);
    }
}

LRESULT CALLBACK ExtrasWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<ExtrasWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    auto* self = reinterpret_cast<ExtrasWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->onMessage(window, message, wParam, lParam);
}

LRESULT ExtrasWindow::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL) {
                PostMessageW(window, WM_CLOSE, 0, 0);
                return 0;
            }
            command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY:
            return notify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_SIZE:
            layout(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            RECT frame{0, 0, minSize_.cx, minSize_.cy};
            addFrame(frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)),
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), dpi_);
            info->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
            return 0;
        }
        case WM_DPICHANGED:
            dpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case DM_GETDEFID:
            return MAKELRESULT(IDCANCEL, DC_HASDEFID);
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(window, &ps);
            RECT client{};
            GetClientRect(window, &client);
            paint(dc, client);
            EndPaint(window, &ps);
            return 0;
        }
        case WM_CLOSE:
            // The owner takes its input back before this window goes, so
            // that Windows activates it and not another program.
            if (owner_) EnableWindow(owner_, TRUE);
            DestroyWindow(window);
            return 0;
        case WM_NCDESTROY:
            window_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void ExtrasWindow::createFonts() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font_ = scaledFont(metrics.lfMessageFont, dpi_, FW_NORMAL);
    boldFont_ = scaledFont(metrics.lfMessageFont, dpi_, FW_BOLD);
    LOGFONTW mono = metrics.lfMessageFont;
    wcscpy_s(mono.lfFaceName, L"Consolas");
    mono.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    monoFont_ = scaledFont(mono, dpi_, FW_NORMAL);
}

void ExtrasWindow::deleteFonts(HFONT a, HFONT b, HFONT c) {
    for (HFONT font : {a, b, c})
        if (font) DeleteObject(font);
}

void ExtrasWindow::dpiChanged(UINT dpi, const RECT& suggested) {
    if (dpi == 0 || dpi == dpi_) return;
    const UINT oldDpi = dpi_;
    const HFONT oldFonts[3] = {font_, boldFont_, monoFont_};
    dpi_ = dpi;
    createFonts();
    const HFONT newFonts[3] = {font_, boldFont_, monoFont_};
    for (HWND child = GetWindow(window_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
        for (int k = 0; k < 3; ++k)
            if (font == oldFonts[k])
                SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(newFonts[k]), TRUE);
        wchar_t name[32] = {};
        GetClassNameW(child, name, 32);
        if (std::wstring(name) == WC_LISTVIEWW) {
            const HWND header = ListView_GetHeader(child);
            for (int c = 0; c < Header_GetItemCount(header); ++c)
                ListView_SetColumnWidth(child, c,
                                        MulDiv(ListView_GetColumnWidth(child, c),
                                               static_cast<int>(dpi), static_cast<int>(oldDpi)));
        }
    }
    deleteFonts(oldFonts[0], oldFonts[1], oldFonts[2]);
    minSize_ = {px(minSize96_.cx), px(minSize96_.cy)};
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

}  // namespace kx::win
