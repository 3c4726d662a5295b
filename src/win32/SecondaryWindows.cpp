#include "SecondaryWindows.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "platform/WinText.h"
#include "view/SecondaryWindows.h"

namespace kx::win {

namespace {

constexpr wchar_t MODAL_CLASS[] = L"KartotrixSecondary";
constexpr int CONFIRM_ID = 100;  // "Beenden"; Enter alone means the default button
constexpr int ICON_LEFT = 18, ICON_TOP = 18;

HFONT messageFont(UINT dpi, int weight, int scalePercent) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW face = metrics.lfMessageFont;
    const HDC screen = GetDC(nullptr);
    const int systemDpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    face.lfHeight =
        -MulDiv(std::max(static_cast<int>(std::abs(face.lfHeight)) * 96 / systemDpi, 12) *
                    scalePercent / 100,
                static_cast<int>(dpi), 96);
    face.lfWeight = weight;
    return CreateFontIndirectW(&face);
}

}  // namespace

ModalWindow::ModalWindow(HINSTANCE instance, HWND owner, Program& program, SecondaryWindow which,
                         std::string makerHost, UINT dpi)
    : instance_(instance),
      owner_(owner),
      program_(program),
      which_(which),
      makerHost_(std::move(makerHost)),
      dpi_(dpi) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = MODAL_CLASS;
    RegisterClassExW(&windowClass);  // fails harmlessly when the class is there

    font_ = messageFont(dpi_, FW_NORMAL, 100);
    titleFont_ = messageFont(dpi_, FW_BOLD, 133);
    const bool about = which_ == SecondaryWindow::About;
    const std::wstring caption = about ? L"\u00dcber Kartotrix" : L"Kartotrix";
    window_ = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, MODAL_CLASS,
                              caption.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 100, 100,
                              owner_, nullptr, instance_, this);
    if (about)
        buildAbout();
    else
        buildQuitConfirmation();
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(GetDlgItem(window_, defaultButton_));
}

ModalWindow::~ModalWindow() {
    if (window_) DestroyWindow(window_);
    DeleteObject(font_);
    DeleteObject(titleFont_);
    if (ownIcon_) DestroyIcon(icon_);
}

HWND ModalWindow::add(const wchar_t* windowClass, const std::string& text, DWORD style, int left,
                      int top, int width, int height, int id) {
    const HWND control =
        CreateWindowExW(0, windowClass, widen(text).c_str(), WS_CHILD | WS_VISIBLE | style,
                        px(left), px(top), px(width), px(height), window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
}

void ModalWindow::buildAbout() {
    iconSize_ = px(48);
    icon_ = static_cast<HICON>(
        LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON, iconSize_, iconSize_, 0));
    ownIcon_ = icon_ != nullptr;
    const HWND version =
        add(L"STATIC", program_.shell.versionText, SS_NOPREFIX, 84, 18, 280, 26);  // lbl1
    SendMessageW(version, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_), FALSE);
    add(L"STATIC", ABOUT_DESCRIPTION, SS_NOPREFIX, 84, 50, 280, 36);  // lbl3
    const std::string address = makerPageAddress(makerHost_);
    if (!address.empty())
        add(WC_LINK, "<a>" + address + "</a>", WS_TABSTOP, 84, 90, 280, 18);      // about_href
    add(L"BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 284, 118, 80, 26, IDOK);  // about_ok
    defaultButton_ = IDOK;
    placeOverOwner(382, 160);
}

void ModalWindow::buildQuitConfirmation() {
    iconSize_ = GetSystemMetrics(SM_CXICON);
    icon_ = LoadIconW(nullptr, IDI_QUESTION);
    add(L"STATIC", QUIT_QUESTION, SS_NOPREFIX, 70, 26, 210, 20);                         // lbl14
    add(L"BUTTON", "Beenden", BS_PUSHBUTTON | WS_TABSTOP, 104, 66, 84, 26, CONFIRM_ID);  // clse_ok
    add(L"BUTTON", "Abbrechen", BS_DEFPUSHBUTTON | WS_TABSTOP, 196, 66, 84, 26,
        IDCANCEL);  // clse_cc
    defaultButton_ = IDCANCEL;
    placeOverOwner(298, 108);
}

void ModalWindow::placeOverOwner(int width, int height) {
    RECT frame{0, 0, px(width), px(height)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
    RECT owner{};
    GetWindowRect(owner_, &owner);
    const int outerWidth = frame.right - frame.left, outerHeight = frame.bottom - frame.top;
    SetWindowPos(window_, nullptr, owner.left + (owner.right - owner.left - outerWidth) / 2,
                 owner.top + (owner.bottom - owner.top - outerHeight) / 3, outerWidth, outerHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK ModalWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<ModalWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    auto* self = reinterpret_cast<ModalWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->onMessage(message, wParam, lParam);
}

LRESULT ModalWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool about = which_ == SecondaryWindow::About;
    switch (message) {
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    about_ok_Click(program_);
                    break;
                case CONFIRM_ID:
                    clse_ok_Click(program_);
                    break;
                // Escape: the About window's OK, the confirmation's cancel.
                case IDCANCEL:
                    if (about)
                        about_ok_Click(program_);
                    else
                        clse_cc_Click(program_);
                    break;
                default:
                    break;
            }
            return 0;
        case WM_NOTIFY: {
            const auto* note = reinterpret_cast<const NMHDR*>(lParam);
            if (note->code == NM_CLICK || note->code == NM_RETURN)
                about_href_Click(program_, makerHost_);
            return 0;
        }
        case DM_GETDEFID:
            return MAKELRESULT(defaultButton_, DC_HASDEFID);
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(window_, &ps);
            if (icon_)
                DrawIconEx(dc, px(ICON_LEFT), px(ICON_TOP), icon_, iconSize_, iconSize_, 0, nullptr,
                           DI_NORMAL);
            EndPaint(window_, &ps);
            return 0;
        }
        case WM_CLOSE:
            // Closing in any way ends the wait; the close box of the
            // confirmation counts as confirming.
            if (about)
                frm1_Close(program_);
            else
                frm3_Close(program_);
            // The owner takes its input back before this window goes, so that
            // Windows activates it and not another program.
            EnableWindow(owner_, TRUE);
            DestroyWindow(window_);
            return 0;
        case WM_NCDESTROY:
            window_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace kx::win
