#include "ValueWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/Program.h"
#include "platform/WinText.h"

namespace kx::win {

namespace {

constexpr wchar_t WINDOW_CLASS[] = L"KartotrixSpielwert";
constexpr int FIRST_ID = 1000;
constexpr DWORD STYLE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD EX_STYLE = WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME;
constexpr COLORREF WARNING_COLOUR = RGB(176, 0, 0);
constexpr int LIST_ITEM_HEIGHT = 22;  // room for the open list, per item

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

UINT dpiOf(HWND window) {
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    const auto getDpiForWindow =
        reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void (*)()>(found));
    if (window && getDpiForWindow) return getDpiForWindow(window);
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

HFONT messageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    const HDC screen = GetDC(nullptr);
    const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    font.lfHeight =
        -MulDiv(std::max(static_cast<int>(std::abs(font.lfHeight)) * 96 / systemDpi, 12),
                static_cast<int>(dpi), 96);
    return CreateFontIndirectW(&font);
}

// A control's text: "&" shows itself and marks no key; Windows' line ends.
std::wstring controlText(const std::string& utf8) {
    std::wstring text;
    for (const wchar_t c : widen(utf8)) {
        if (c == L'&') text += L'&';
        if (c == L'\n') text += L'\r';
        text += c;
    }
    return text;
}

std::wstring textOf(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void setText(HWND control, const std::wstring& text) {
    if (textOf(control) != text) SetWindowTextW(control, text.c_str());
}

// "Übernehmen" and "Schließen" are the window's Enter and Escape.
int fieldId(const ValueField& field, std::size_t index) {
    if (field.name == "uebernehmen") return IDOK;
    if (field.name == "schliessen") return IDCANCEL;
    return FIRST_ID + static_cast<int>(index);
}

}  // namespace

// The window itself, created when it is first shown.
class ValueFrame {
  public:
    ValueFrame(HWND owner, Program& program, std::function<void()> panelChanged)
        : owner_(owner),
          program_(program),
          panelChanged_(std::move(panelChanged)),
          inputs_(valueWindowOpened(program)),
          dpi_(dpiOf(owner)) {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&controls);
        font_ = messageFont(dpi_);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = windowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(1));
        windowClass.lpszClassName = WINDOW_CLASS;
        RegisterClassExW(&windowClass);  // fails harmlessly when the class is there
        CreateWindowExW(EX_STYLE, WINDOW_CLASS, widen(VALUE_WINDOW_TITLE).c_str(), STYLE, 0, 0, 100,
                        100, owner_, nullptr, GetModuleHandleW(nullptr), this);
        if (!window_) return;
        const ValueWindowView view = valueWindowView(program_, inputs_);
        for (std::size_t i = 0; i < view.fields.size(); ++i)
            create(view.fields[i], i, i > 0 && view.fields[i - 1].kind == FieldKind::Choice);
        place(view);
        mirror();
    }
    ~ValueFrame() {
        if (window_) DestroyWindow(window_);
        if (font_) DeleteObject(font_);
    }
    ValueFrame(const ValueFrame&) = delete;
    ValueFrame& operator=(const ValueFrame&) = delete;

    HWND handle() const { return window_; }

    void show() {
        if (!window_) return;
        refresh();
        // The activation, which may come later, gives the focus to lastFocus_.
        if (!lastFocus_) lastFocus_ = GetNextDlgTabItem(window_, nullptr, FALSE);
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
        SetFocus(lastFocus_);
    }
    void refresh() {
        valueWindowFollowPad(program_, inputs_);
        mirror();
    }

  private:
    struct Widget {
        std::string name;
        FieldKind kind = FieldKind::Label;
        int id = 0;
        HWND control = nullptr;
        HWND spin = nullptr;  // the arrows of a number
        bool warning = false;
        Rect rect;  // where the field stands
    };

    int px(int pixels) const { return MulDiv(pixels, static_cast<int>(dpi_), 96); }

    HWND child(const wchar_t* windowClass, DWORD style, DWORD extendedStyle, const Rect& r,
               int id) {
        const HWND control = CreateWindowExW(
            extendedStyle, windowClass, L"", WS_CHILD | style, px(r.left), px(r.top), px(r.width),
            px(r.height), window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
            GetModuleHandleW(nullptr), nullptr);
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return control;
    }

    // In the order of the fields, which is the order of the Tab key. A run
    // of choices is one group of the arrow keys.
    void create(const ValueField& f, std::size_t index, bool inGroup) {
        Widget w{f.name, f.kind, fieldId(f, index), nullptr, nullptr, false, f.rect};
        const DWORD group = inGroup ? 0 : WS_GROUP;
        const DWORD stop = group | WS_TABSTOP;
        Rect r = f.rect;
        switch (f.kind) {
            case FieldKind::Label:
                w.control =
                    child(L"STATIC",
                          SS_NOPREFIX |
                              (r.height > 24 ? SS_LEFT
                                             : SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_ENDELLIPSIS),
                          0, r, w.id);
                break;
            case FieldKind::Choice:
                w.control = child(L"BUTTON", BS_AUTORADIOBUTTON | (inGroup ? 0 : stop), 0, r, w.id);
                break;
            case FieldKind::Check:
                w.control = child(L"BUTTON", BS_AUTOCHECKBOX | stop, 0, r, w.id);
                break;
            case FieldKind::Number:
                w.control =
                    child(L"EDIT", ES_NUMBER | ES_AUTOHSCROLL | stop, WS_EX_CLIENTEDGE, r, w.id);
                w.spin = child(UPDOWN_CLASSW,
                               UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS,
                               0, {0, 0, 0, 0}, 0);
                SendMessageW(w.spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(w.control), 0);
                SendMessageW(w.spin, UDM_SETRANGE32, static_cast<WPARAM>(f.minimum), f.maximum);
                break;
            case FieldKind::List:
                r.height +=
                    LIST_ITEM_HEIGHT * static_cast<int>(std::max<std::size_t>(f.items.size(), 5));
                w.control = child(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | stop, 0, r, w.id);
                break;
            case FieldKind::Text:
                w.control = child(L"EDIT", ES_MULTILINE | ES_READONLY | WS_VSCROLL | group,
                                  WS_EX_CLIENTEDGE, r, w.id);
                break;
            case FieldKind::Button:
                w.control =
                    child(L"BUTTON", (w.id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | stop, 0, r,
                          w.id);
                break;
        }
        widgets_.push_back(w);
    }

    // Beside the main window, on its monitor's work area.
    void place(const ValueWindowView& view) {
        RECT outer{0, 0, px(view.width), px(view.height)};
        AdjustWindowRectEx(&outer, STYLE, FALSE, EX_STYLE);
        RECT main{};
        GetWindowRect(owner_, &main);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTONEAREST), &monitor);
        ScreenMetrics m;
        m.workLeft = monitor.rcWork.left, m.workTop = monitor.rcWork.top;
        m.workWidth = monitor.rcWork.right - monitor.rcWork.left;
        m.workHeight = monitor.rcWork.bottom - monitor.rcWork.top;
        m.screenWidth = monitor.rcMonitor.right - monitor.rcMonitor.left;
        const Rect at =
            valueWindowPlace({main.left, main.top, main.right - main.left, main.bottom - main.top},
                             outer.right - outer.left, outer.bottom - outer.top, m);
        SetWindowPos(window_, nullptr, at.left, at.top, at.width, at.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void mirror() {
        const ValueWindowView view = valueWindowView(program_, inputs_);
        mirroring_ = true;
        for (std::size_t i = 0; i < widgets_.size() && i < view.fields.size(); ++i) {
            if (widgets_[i].name != view.fields[i].name) continue;
            move(widgets_[i], view.fields[i]);
            showField(widgets_[i], view.fields[i]);
        }
        resize(view);
        mirroring_ = false;
        // A control that was hidden or disabled with the focus leaves it to the next.
        const HWND focus = GetFocus();
        if (focus && IsChild(window_, focus) &&
            (!IsWindowVisible(focus) || !IsWindowEnabled(focus)))
            SetFocus(GetNextDlgTabItem(window_, focus, FALSE));
    }

    // Rows of the house rules' extra points come and go with the rules.
    void move(Widget& w, const ValueField& f) {
        if (w.rect == f.rect) return;
        Rect r = f.rect;
        if (f.kind == FieldKind::List)
            r.height +=
                LIST_ITEM_HEIGHT * static_cast<int>(std::max<std::size_t>(f.items.size(), 5));
        SetWindowPos(w.control, nullptr, px(r.left), px(r.top), px(r.width), px(r.height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        if (w.spin) SendMessageW(w.spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(w.control), 0);
        w.rect = f.rect;
    }

    void resize(const ValueWindowView& view) {
        RECT outer{0, 0, px(view.width), px(view.height)};
        AdjustWindowRectEx(&outer, STYLE, FALSE, EX_STYLE);
        RECT now{};
        GetWindowRect(window_, &now);
        if (now.bottom - now.top == outer.bottom - outer.top) return;
        SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }

    void showField(Widget& w, const ValueField& f) {
        for (const HWND control : {w.control, w.spin}) {
            if (!control) continue;
            if ((IsWindowVisible(control) != FALSE) != f.visible)
                ShowWindow(control, f.visible ? SW_SHOWNA : SW_HIDE);
            if ((IsWindowEnabled(control) != FALSE) != f.enabled) EnableWindow(control, f.enabled);
        }
        switch (f.kind) {
            case FieldKind::Label:
            case FieldKind::Text:
            case FieldKind::Button:
                setText(w.control, controlText(f.text));
                if (w.warning != f.warning) InvalidateRect(w.control, nullptr, TRUE);
                w.warning = f.warning;
                break;
            case FieldKind::Choice:
            case FieldKind::Check:
                setText(w.control, controlText(f.text));
                SendMessageW(w.control, BM_SETCHECK, f.value ? BST_CHECKED : BST_UNCHECKED, 0);
                break;
            case FieldKind::Number:
                // A field the user has just emptied to type anew stays empty.
                if (GetFocus() != w.control || GetWindowTextLengthW(w.control) > 0)
                    setText(w.control, std::to_wstring(f.value));
                break;
            case FieldKind::List:
                showItems(w.control, f);
                break;
        }
    }

    static void showItems(HWND list, const ValueField& f) {
        const auto count = static_cast<std::size_t>(SendMessageW(list, CB_GETCOUNT, 0, 0));
        bool same = count == f.items.size();
        for (std::size_t i = 0; same && i < count; ++i) {
            wchar_t item[128] = {};
            if (SendMessageW(list, CB_GETLBTEXTLEN, i, 0) < 128)
                SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
            same = item == widen(f.items[i]);
        }
        if (!same) {
            SendMessageW(list, CB_RESETCONTENT, 0, 0);
            for (const std::string& item : f.items)
                SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(item).c_str()));
        }
        if (SendMessageW(list, CB_GETCURSEL, 0, 0) != f.value)
            SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(f.value), 0);
    }

    const Widget* widgetOf(int id) const {
        for (const Widget& w : widgets_) {
            if (w.id == id) return &w;
        }
        return nullptr;
    }

    void command(int id, int code) {
        if (id == IDCANCEL) {
            hide();
            return;
        }
        const Widget* w = widgetOf(id);
        if (mirroring_ || !w) return;
        // While a modal window of the main window is open, nothing changes here.
        if (!IsWindowEnabled(owner_)) {
            mirror();
            return;
        }
        if (id == IDOK) {
            if (code == BN_CLICKED && takeOverValue(program_, inputs_)) panelChanged_();
            return;
        }
        int value = 0;
        switch (w->kind) {
            case FieldKind::Choice:
            case FieldKind::Check:
                if (code != BN_CLICKED) return;
                value = SendMessageW(w->control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
                break;
            case FieldKind::Number:
                if (code != EN_CHANGE || GetWindowTextLengthW(w->control) == 0) return;
                value = _wtoi(textOf(w->control).c_str());
                break;
            case FieldKind::List:
                if (code != CBN_SELCHANGE) return;
                value = static_cast<int>(SendMessageW(w->control, CB_GETCURSEL, 0, 0));
                break;
            default:
                return;
        }
        valueWindowInput(program_, inputs_, w->name, value);
        mirror();
    }

    void hide() {
        ShowWindow(window_, SW_HIDE);
        if (IsWindowEnabled(owner_)) SetForegroundWindow(owner_);
    }

    LRESULT colours(HDC dc, HWND control) {
        for (const Widget& w : widgets_) {
            if (w.control != control || !w.warning) continue;
            SetTextColor(dc, WARNING_COLOUR);
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        return DefWindowProcW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    }

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* self =
                static_cast<ValueFrame*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            self->window_ = window;
        }
        auto* self = reinterpret_cast<ValueFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (!self) return DefWindowProcW(window, message, wParam, lParam);
        return self->onMessage(message, wParam, lParam);
    }

    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_COMMAND:
                command(LOWORD(wParam), HIWORD(wParam));
                return 0;
            case WM_CTLCOLORSTATIC:
                return colours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
            case DM_GETDEFID:
                return MAKELRESULT(IDOK, DC_HASDEFID);
            case WM_ACTIVATE:
                // The focus comes back to where it was when the window is activated again.
                if (LOWORD(wParam) == WA_INACTIVE) {
                    const HWND focus = GetFocus();
                    if (focus && IsChild(window_, focus)) lastFocus_ = focus;
                } else {
                    if (!lastFocus_ || !IsWindowEnabled(lastFocus_) || !IsWindowVisible(lastFocus_))
                        lastFocus_ = GetNextDlgTabItem(window_, nullptr, FALSE);
                    SetFocus(lastFocus_);
                    return 0;
                }
                break;
            case WM_CLOSE:
                hide();
                return 0;
            case WM_NCDESTROY:
                window_ = nullptr;
                break;
            default:
                break;
        }
        return DefWindowProcW(window_, message, wParam, lParam);
    }

    HWND owner_;
    Program& program_;
    std::function<void()> panelChanged_;
    ValueInputs inputs_;
    UINT dpi_;
    HFONT font_ = nullptr;
    HWND window_ = nullptr;
    HWND lastFocus_ = nullptr;
    std::vector<Widget> widgets_;
    bool mirroring_ = false;
};

Win32ValueWindow::Win32ValueWindow(HWND owner, std::function<void()> panelChanged)
    : owner_(owner), panelChanged_(std::move(panelChanged)) {}

Win32ValueWindow::~Win32ValueWindow() = default;

void Win32ValueWindow::showValueWindow(Program& p) {
    if (!frame_) frame_ = std::make_unique<ValueFrame>(owner_, p, panelChanged_);
    frame_->show();
}

void Win32ValueWindow::refresh() {
    if (frame_ && frame_->handle() && IsWindowVisible(frame_->handle())) frame_->refresh();
}

bool Win32ValueWindow::dialogMessage(MSG& message) {
    const HWND window = frame_ ? frame_->handle() : nullptr;
    if (!window || (message.hwnd != window && !IsChild(window, message.hwnd))) return false;
    return IsDialogMessageW(window, &message) != FALSE;
}

}  // namespace kx::win
