#include "MainWindow.h"

#include <commctrl.h>
#include <objbase.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>

#include "BoardWindow.h"
#include "SecondaryWindows.h"
#include "StatusText.h"
#include "ValueWindow.h"
#include "core/Correction.h"
#include "platform/WinText.h"
#include "view/BoardCommands.h"
#include "view/Commands.h"
#include "view/HelpText.h"
#include "view/MainWindow.h"
#include "view/PadLayout.h"
#include "view/PadRender.h"
#include "view/QuickEntry.h"
#include "view/RowMenu.h"
#include "view/SecondaryWindows.h"
#include "view/UserActions.h"
#include "view/WindowFit.h"

namespace kx::win {

namespace {

constexpr wchar_t MAIN_CLASS[] = L"KartotrixMain";
constexpr wchar_t HELP_CLASS[] = L"KartotrixHelp";
// The help page is read up to this size.
constexpr std::size_t HELP_LIMIT = 4 * 1024 * 1024;
constexpr DWORD MAIN_STYLE =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME | WS_CLIPCHILDREN;
// Command ids: menu entries from MENU_ID_BASE on (their command number added),
// controls from CONTROL_ID_BASE on, so that neither meets IDOK or IDCANCEL,
// which the dialog manager sends for Enter and Escape.
constexpr int MENU_ID_BASE = 40000;
constexpr int CONTROL_ID_BASE = 1000;
constexpr int STATUS_ID = 999;
constexpr int QUICK_FIELD_ID = 995;
constexpr int QUICK_CLOSE_ID = 996;
// The quick-entry field's width and the room around it, in model pixels.
constexpr int QUICK_FIELD_WIDTH = 150;
constexpr int QUICK_SPACING = 6;
constexpr UINT_PTR CLOCK_TIMER = 1;
// The room between a status panel's border and its text, in model pixels.
constexpr int STATUS_MARGIN = 2;
constexpr UINT WM_MIRROR = WM_APP + 1;
// The pad's ruling and text colours.
constexpr COLORREF GRID_COLOUR = RGB(0xd5, 0xdd, 0xe5);
constexpr COLORREF RULE_COLOUR = RGB(0x22, 0x22, 0x22);
constexpr COLORREF ROW_LABEL_TEXT = RGB(0x5a, 0x64, 0x70);
constexpr COLORREF INFO_TEXT = RGB(0x1f, 0x3a, 0x5f);
// The quick-entry preview: nothing typed yet, an entry Enter can make, a refusal.
constexpr COLORREF PREVIEW_EMPTY = RGB(0x5a, 0x64, 0x70);
constexpr COLORREF PREVIEW_ADMISSIBLE = RGB(0x1d, 0x6b, 0x2f);
constexpr COLORREF PREVIEW_REFUSED = RGB(0xa0, 0x1c, 0x1c);
// A list shows all 26 values of a solo without scrolling.
constexpr int LIST_ITEMS = 26;

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

// Functions of newer Windows versions, looked up so that the program still
// starts where they are missing.
template <typename Function>
Function user32Function(const char* name) {
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

// The DPI for which the system reports its metrics and fonts.
UINT systemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

UINT windowDpi(HWND window) {
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFn>("GetDpiForWindow");
    return getDpiForWindow ? getDpiForWindow(window) : systemDpi();
}

COLORREF colourRef(const Rgb& c) {
    return RGB(static_cast<BYTE>(c.red), static_cast<BYTE>(c.green), static_cast<BYTE>(c.blue));
}

int shiftState() {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= SHIFT_BIT;
    if (GetKeyState(VK_CONTROL) < 0) shift |= CTRL_BIT;
    if (GetKeyState(VK_MENU) < 0) shift |= ALT_BIT;
    return shift;
}

// With AltGr (Ctrl and Alt together on German keyboards) a key may type a
// character such as "@", "€" or "\"; a name field takes it as text.
bool typesCharacter(const MSG& message, int shift) {
    if ((shift & (CTRL_BIT | ALT_BIT)) != (CTRL_BIT | ALT_BIT)) return false;
    BYTE state[256];
    if (!GetKeyboardState(state)) return false;
    wchar_t typed[4];
    const UINT scanCode = (static_cast<UINT>(message.lParam) >> 16) & 0xFF;
    constexpr UINT KEEP_KEYBOARD_STATE = 0x4;
    const int count = ToUnicode(static_cast<UINT>(message.wParam), scanCode, state, typed, 4,
                                KEEP_KEYBOARD_STATE);
    return count > 0 && typed[0] >= 0x20;
}

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

int textWidth(HWND window, HFONT font, const std::wstring& text) {
    const HDC dc = GetDC(window);
    const HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return size.cx;
}

bool isOption(const Control& c) {
    return c.kind == ControlKind::OptionButton;
}

// Where a control's window goes, in model pixels. The player choices sit in
// columns 50 pixels apart; their windows take the whole column so that "1 / 2"
// is not cut off. A name field leaves room for the line under it, and a list
// reaches down over the items it drops.
Rect widgetRect(const Control& c) {
    Rect r = c.rect;
    if (isOption(c) && c.name != "MDS") r.width = std::max(r.width, 49);
    if (c.kind == ControlKind::TextField) r.height -= 2;
    if (c.kind == ControlKind::DropDown) r.height += LIST_ITEMS * 16;
    return r;
}

UINT textAlignment(Look look) {
    switch (look) {
        case Look::PlayerCell:
        case Look::Total:
            return DT_RIGHT;
        case Look::Panel:
            return DT_LEFT;
        default:
            return DT_CENTER;
    }
}

COLORREF textColour(Look look) {
    switch (look) {
        case Look::RowLabel:
            return ROW_LABEL_TEXT;
        case Look::RowInfo:
        case Look::Heading:
            return INFO_TEXT;
        default:
            return RGB(0, 0, 0);
    }
}

bool boldLook(Look look) {
    return look == Look::Heading || look == Look::NameField || look == Look::Total;
}

// The caption with its underlined letter (any "&" of its own shown as it
// is), then the shortcut after a tab.
std::wstring menuText(const MenuEntry& entry, int mnemonic) {
    std::wstring text = widen(captionWithMnemonic(entry.caption, mnemonic));
    if (!entry.hint.empty()) text += L"\t" + widen(entry.hint);
    return text;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, Program& program, Services services,
                       std::string makerHost)
    : instance_(instance), program_(program), makerHost_(std::move(makerHost)) {
    services.host = this;
    program_.services = services;
    com_ = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                        GetSystemMetrics(SM_CXSMICON),
                                                        GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = MAIN_CLASS;
    RegisterClassExW(&windowClass);

    window_ = CreateWindowExW(0, MAIN_CLASS, L"", MAIN_STYLE, 0, 0, 200, 200, nullptr, nullptr,
                              instance_, this);
    dpi_ = windowDpi(window_);
    scale_ = static_cast<int>(dpi_) / 96.0;
    createFonts();
    status_ = CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                              window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(STATUS_ID)),
                              instance_, nullptr);
    SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageW(status_, WM_SIZE, 0, 0);

    frm0_Load(program_, measure());
    createMenu();
    createControls();
    createQuickEntry();
    valueWindow_ = std::make_unique<Win32ValueWindow>(window_, [this] { mirror(); });
    program_.services.valueWindow = valueWindow_.get();
    board_ = std::make_unique<Win32Board>(window_);
    program_.services.board = board_.get();
    createTips();
    // Names of earlier evenings, offered under the name fields as the user types.
    completion_ = std::make_unique<NameCompletion>();
    for (const Widget& widget : widgets_)
        if (widget.control->kind == ControlKind::TextField && !completion_->attach(widget.window))
            break;
    SetTimer(window_, CLOCK_TIMER, 500, nullptr);
    showTimeOfDay();
    mirror();
}

MainWindow::~MainWindow() {
    program_.services.valueWindow = nullptr;
    program_.services.board = nullptr;
    board_.reset();
    if (help_) DestroyWindow(help_);
    if (window_) DestroyWindow(window_);
    for (HFONT font : {font_, boldFont_, helpFont_}) {
        if (font) DeleteObject(font);
    }
    for (auto& [colour, b] : brushes_)
        DeleteObject(b);
    completion_.reset();
    if (SUCCEEDED(com_)) CoUninitialize();
}

void MainWindow::createFonts() {
    for (HFONT font : {font_, boldFont_}) {
        if (font) DeleteObject(font);
    }
    // The drawing area's zoom enlarges the text with everything else.
    LOGFONTW face = drawingAreaFace(dpi_, scale_);
    font_ = CreateFontIndirectW(&face);
    face.lfWeight = FW_BOLD;
    boldFont_ = CreateFontIndirectW(&face);
}

// The fonts after createFonts made them anew.
void MainWindow::applyFonts(BOOL redraw) {
    const auto set = [redraw](HWND window, HFONT font) {
        if (window) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw);
    };
    for (Widget& widget : widgets_)
        set(widget.window, boldLook(widget.control->look) ? boldFont_ : font_);
    set(status_, font_);
    set(quickTitle_, boldFont_);
    for (HWND part : {quickField_, quickPreview_, quickClose_})
        set(part, font_);
}

void MainWindow::createMenu() {
    menuBar_ = CreateMenu();
    HMENU menu = nullptr;
    menuItems_.assign(program_.ui.menu.size(), false);
    menuCaptions_.assign(program_.ui.menu.size(), std::string());
    const std::vector<int> mnemonics = menuMnemonics(program_.ui);
    for (int i : menuBarOrder(program_.ui)) {
        const MenuEntry& entry = program_.ui.menu[static_cast<std::size_t>(i)];
        const int mnemonic = mnemonics[static_cast<std::size_t>(i)];
        switch (entry.role) {
            case MenuRole::Title:
                menu = CreatePopupMenu();
                AppendMenuW(menuBar_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(menu),
                            menuText(entry, mnemonic).c_str());
                break;
            case MenuRole::Separator:
                if (menu) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
                break;
            case MenuRole::End:
                menu = nullptr;
                break;
            case MenuRole::Unused:
                break;
            case MenuRole::Command:
                if (!menu) break;
                AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(MENU_ID_BASE + i),
                            menuText(entry, mnemonic).c_str());
                menuItems_[static_cast<std::size_t>(i)] = true;
                menuCaptions_[static_cast<std::size_t>(i)] = entry.caption;
                break;
        }
    }
    SetMenu(window_, menuBar_);
}

HWND MainWindow::createWidget(const Control& c, int id) {
    const wchar_t* windowClass = L"STATIC";
    DWORD style = WS_CHILD;
    switch (c.kind) {
        case ControlKind::OptionButton:
            windowClass = L"BUTTON";
            style |= BS_AUTORADIOBUTTON | WS_TABSTOP;
            // Each option array is one exclusive group: it starts a group, and
            // so does the control after it.
            if (c.index == 1) style |= WS_GROUP;
            break;
        case ControlKind::PushButton:
            windowClass = L"BUTTON";
            style |= BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;
            break;
        case ControlKind::CheckBox:
            windowClass = L"BUTTON";
            style |= BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP;
            break;
        case ControlKind::DropDown:
            windowClass = L"COMBOBOX";
            style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP;
            break;
        case ControlKind::TextField:
            windowClass = L"EDIT";
            style |= ES_CENTER | ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP;
            break;
        case ControlKind::Label:
            // Labels are drawn by labelProc; SS_NOTIFY lets row cells take clicks.
            style |= SS_NOTIFY | SS_NOPREFIX | WS_GROUP;
            break;
    }
    const HWND window =
        CreateWindowExW(0, windowClass, L"", style, 0, 0, 0, 0, window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(boldLook(c.look) ? boldFont_ : font_),
                 FALSE);
    if (c.kind == ControlKind::Label)
        SetWindowSubclass(window, labelProc, 0, reinterpret_cast<DWORD_PTR>(this));
    if (c.kind == ControlKind::TextField) {
        SendMessageW(window, EM_LIMITTEXT, 255, 0);
        SetWindowSubclass(window, nameFieldProc, 0, reinterpret_cast<DWORD_PTR>(this));
    }
    if (c.kind == ControlKind::DropDown) {
        SendMessageW(window, CB_SETMINVISIBLE, LIST_ITEMS, 0);
        SendMessageW(window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), px(c.rect.height) - px(6));
    }
    return window;
}

void MainWindow::createControls() {
    const std::vector<Control*> controls = program_.ui.controls();
    widgets_.clear();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        Widget widget;
        widget.control = controls[i];
        widget.window = createWidget(*controls[i], CONTROL_ID_BASE + static_cast<int>(i));
        widgetIndex_[widget.window] = i;
        widgets_.push_back(std::move(widget));
    }
}

void MainWindow::createQuickEntry() {
    const auto child = [this](const wchar_t* windowClass, const wchar_t* text, DWORD style,
                              DWORD extended, int id) {
        const HWND window =
            CreateWindowExW(extended, windowClass, text, WS_CHILD | style, 0, 0, 0, 0, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return window;
    };
    quickTitle_ = child(L"STATIC", L"Schnelleingabe", SS_NOPREFIX | SS_CENTERIMAGE, 0, 0);
    SendMessageW(quickTitle_, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_), FALSE);
    quickField_ = child(L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE,
                        QUICK_FIELD_ID);
    SendMessageW(quickField_, EM_LIMITTEXT, 200, 0);
    SendMessageW(quickField_, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(L"z. B. 1 2 3"));
    quickPreview_ =
        child(L"STATIC", L"", SS_NOPREFIX | SS_CENTERIMAGE | SS_ENDELLIPSIS | SS_NOTIFY, 0, 0);
    // A preview cut off at the window's edge shows whole in a tooltip.
    quickTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                                nullptr, instance_, nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(quickPreview_);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(quickTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    quickClose_ = child(L"BUTTON", L"\u00d7", BS_PUSHBUTTON | BS_FLAT, 0, QUICK_CLOSE_ID);
}

void MainWindow::show(int showCommand) {
    const RECT frame = screenFrame();
    applying_ = true;
    SetWindowPos(window_, nullptr, frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    applyFrameSize();
    applying_ = true;
    ShowWindow(window_, showCommand);
    applying_ = false;
    UpdateWindow(window_);
    SetFocus(window_);
}

// ---- Mirroring the model ----

void MainWindow::mirror() {
    if (!window_) return;
    // Twice at most: a new status bar font may lower the zoom once more.
    const bool rescaled = program_.shell.zoom != appliedZoom_;
    for (int pass = 0; pass < 2 && program_.shell.zoom != appliedZoom_; ++pass)
        applyZoom();
    mirroring_ = true;
    for (Widget& widget : widgets_)
        mirrorControl(widget);
    mirroring_ = false;
    mirrorMenu();
    mirrorStatus();
    mirrorQuickEntry();
    if (completion_ && suggestionsShown_ != program_.ui.nameSuggestions) {
        suggestionsShown_ = program_.ui.nameSuggestions;
        completion_->setNames(suggestionsShown_);
    }
    mirrorWindow();
    if (valueWindow_) valueWindow_->refresh();
    publishBoard(program_);
    // The background and the ruling between the controls; at a new scale
    // every control is drawn anew as well.
    if (rescaled)
        RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    else
        InvalidateRect(window_, nullptr, FALSE);
    // A control that was hidden or disabled with the focus leaves it to the window.
    const HWND focus = GetFocus();
    if (IsWindowEnabled(window_) &&
        (!focus || (focus != window_ && IsChild(window_, focus) &&
                    (!IsWindowVisible(focus) || !IsWindowEnabled(focus)))))
        SetFocus(window_);
}

void MainWindow::mirrorControl(Widget& w) {
    const Control& c = *w.control;
    const HWND window = w.window;
    const bool fresh = !w.shadow;
    if (fresh || c.rect != w.shadow->rect) {
        const Rect r = scaledRect(widgetRect(c), scale_);
        // A label's old picture is no use at its new size.
        SetWindowPos(window, nullptr, r.left, r.top, r.width, r.height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    if (fresh || c.enabled != w.shadow->enabled) EnableWindow(window, c.enabled);
    const bool textChanged = fresh || c.text != w.shadow->text;
    switch (c.kind) {
        case ControlKind::OptionButton:
        case ControlKind::CheckBox:
            if (textChanged) SetWindowTextW(window, widen(c.text).c_str());
            if ((SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED) != c.checked)
                SendMessageW(window, BM_SETCHECK, c.checked ? BST_CHECKED : BST_UNCHECKED, 0);
            break;
        case ControlKind::PushButton:
        case ControlKind::Label:
            if (textChanged) SetWindowTextW(window, widen(c.text).c_str());
            break;
        case ControlKind::TextField: {
            std::wstring shown(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
            shown.resize(static_cast<std::size_t>(
                GetWindowTextW(window, shown.data(), static_cast<int>(shown.size()))));
            if (narrow(shown) != c.text) SetWindowTextW(window, widen(c.text).c_str());
            break;
        }
        case ControlKind::DropDown:
            if (fresh || c.items != w.shadow->items) {
                SendMessageW(window, CB_RESETCONTENT, 0, 0);
                for (const std::string& item : c.items)
                    SendMessageW(window, CB_ADDSTRING, 0,
                                 reinterpret_cast<LPARAM>(widen(item).c_str()));
            }
            if (SendMessageW(window, CB_GETCURSEL, 0, 0) != c.selection)
                SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(c.selection), 0);
            break;
    }
    if (!fresh && (c.background != w.shadow->background || c.mark != w.shadow->mark))
        InvalidateRect(window, nullptr, TRUE);
    if (fresh || c.visible != w.shadow->visible)
        ShowWindow(window, c.visible ? SW_SHOWNA : SW_HIDE);
    w.shadow = c;
    if (c.kind == ControlKind::Label || c.kind == ControlKind::TextField) setTip(w, tipOf(w));
}

void MainWindow::mirrorMenu() {
    std::vector<int> mnemonics;  // found again once a caption has changed
    for (std::size_t i = 0; i < menuItems_.size(); ++i) {
        if (!menuItems_[i]) continue;
        const MenuEntry& entry = program_.ui.menu[i];
        const UINT id = static_cast<UINT>(MENU_ID_BASE + static_cast<int>(i));
        if (entry.caption != menuCaptions_[i]) {
            // "Rückgängig" becomes "Rückgängig: Spiel 7" and back.
            if (mnemonics.empty()) mnemonics = menuMnemonics(program_.ui);
            std::wstring text = menuText(entry, mnemonics[i]);
            MENUITEMINFOW item{};
            item.cbSize = sizeof item;
            item.fMask = MIIM_STRING;
            item.dwTypeData = text.data();
            SetMenuItemInfoW(menuBar_, id, FALSE, &item);
            menuCaptions_[i] = entry.caption;
        }
        EnableMenuItem(menuBar_, id, MF_BYCOMMAND | (entry.enabled ? MF_ENABLED : MF_GRAYED));
        if (entry.checkable)
            CheckMenuItem(menuBar_, id, MF_BYCOMMAND | (entry.checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

void MainWindow::mirrorStatus() {
    statusShadow_.resize(STATUS_PANEL_COUNT + 1);
    for (int k = 1; k <= STATUS_PANEL_COUNT; ++k) {
        const StatusPanel& panel = program_.ui.STB[static_cast<std::size_t>(k)];
        if (panel.clock || statusShadow_[static_cast<std::size_t>(k)] == panel.text) continue;
        // Panel 3 takes the version panel's place while it has text.
        const bool relayout =
            k == 3 && statusShadow_[static_cast<std::size_t>(k)].empty() != panel.text.empty();
        statusShadow_[static_cast<std::size_t>(k)] = panel.text;
        if (relayout) layoutStatusBar();
        // The window draws the panels' texts (drawStatusPanel), so that a
        // text can be narrowed or cut with "…". The version panel stands out
        // raised; the others are sunken.
        const WPARAM part = static_cast<WPARAM>(k - 1) | SBT_OWNERDRAW | (k == 1 ? SBT_POPOUT : 0);
        SendMessageW(status_, SB_SETTEXTW, part, static_cast<LPARAM>(k));
        RECT r{};
        if (SendMessageW(status_, SB_GETRECT, static_cast<WPARAM>(k - 1),
                         reinterpret_cast<LPARAM>(&r)))
            InvalidateRect(status_, &r, TRUE);
    }
}

void MainWindow::drawStatusPanel(const DRAWITEMSTRUCT& item) {
    const int k = static_cast<int>(item.itemID) + 1;
    if (k < 1 || k > STATUS_PANEL_COUNT || statusShadow_.size() <= static_cast<std::size_t>(k))
        return;
    const std::wstring text = widen(statusShadow_[static_cast<std::size_t>(k)]);
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
    const bool fits = program_.ui.STB[static_cast<std::size_t>(k)].fitsText;
    const PanelFit fit = drawPanelText(item.hDC, item.rcItem, px(STATUS_MARGIN), text, font_, fits,
                                       k == 1 ? DT_CENTER : DT_LEFT, px(8));
    setPanelTip(k, fit == PanelFit::Cut ? text : std::wstring());
}

// ---- Tooltips ----

void MainWindow::createTips() {
    tips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                            nullptr, instance_, nullptr);
    SendMessageW(tips_, TTM_SETMAXTIPWIDTH, 0, px(400));
    for (Widget& widget : widgets_) {
        const ControlKind kind = widget.control->kind;
        if (kind == ControlKind::Label || kind == ControlKind::TextField) addTip(widget.window);
    }
    // One tool for each status panel but the clock, placed by layoutStatusBar.
    panelTips_.assign(STATUS_PANEL_COUNT + 1, std::wstring());
    for (int k = 1; k < STATUS_PANEL_COUNT; ++k) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = status_;
        tool.uId = static_cast<UINT_PTR>(k);
        tool.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    layoutStatusBar();
}

// A window with a tooltip that is empty (and so not shown) until setTip gives it one.
void MainWindow::addTip(HWND window) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::setTip(Widget& widget, const std::string& tip) {
    if (!tips_ || widget.tip == tip) return;
    widget.tip = tip;
    std::wstring text = widen(tip);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(widget.window);
    tool.lpszText = text.data();
    SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::setPanelTip(int panel, const std::wstring& tip) {
    const auto k = static_cast<std::size_t>(panel);
    if (!tips_ || k >= panelTips_.size() || panelTips_[k] == tip) return;
    panelTips_[k] = tip;
    std::wstring text = tip;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = status_;
    tool.uId = k;
    tool.lpszText = text.data();
    SendMessageW(tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

// A pad row says how it is corrected; a name field that shows its name cut
// shows it whole.
std::string MainWindow::tipOf(const Widget& widget) {
    const Control& c = *widget.control;
    if (c.kind == ControlKind::TextField)
        return nameCut(widget.window, widen(c.text)) ? c.text.get() : std::string();
    return padToolTip(program_, c);
}

bool MainWindow::nameCut(HWND field, const std::wstring& name) {
    RECT r{};
    GetClientRect(field, &r);
    const LRESULT margins = SendMessageW(field, EM_GETMARGINS, 0, 0);
    const int room = r.right - r.left - LOWORD(margins) - HIWORD(margins);
    return textWidth(field, boldFont_, name) > room;
}

void MainWindow::mirrorWindow() {
    const MainWindowState& frm0 = program_.ui.frm0;
    if (captionShadow_ != frm0.caption) {
        captionShadow_ = frm0.caption;
        SetWindowTextW(window_, widen(frm0.caption).c_str());
    }
    // A new frame from the model (zoom, fitting, player count), or new
    // system metrics for a window the user has not sized himself.
    bool apply = frm0.frame != appliedFrame_;
    if (!apply && !userSized_) {
        const RECT frame = screenFrame();
        apply = frame.right - frame.left != modelFrame_.cx ||
                frame.bottom - frame.top != modelFrame_.cy;
    }
    if (apply) applyFrameSize();
    if ((IsWindowEnabled(window_) != FALSE) != frm0.enabled) EnableWindow(window_, frm0.enabled);
}

// While open, the quick-entry field takes the place of the status bar.
void MainWindow::mirrorQuickEntry() {
    const QuickEntryField& model = program_.ui.quickEntry;
    const bool wasOpen = IsWindowVisible(quickField_) != FALSE;
    if (narrow(windowText(quickField_)) != model.text) {
        mirroring_ = true;
        SetWindowTextW(quickField_, widen(model.text).c_str());
        mirroring_ = false;
        const LRESULT end = GetWindowTextLengthW(quickField_);
        SendMessageW(quickField_, EM_SETSEL, static_cast<WPARAM>(end), end);
    }
    if (model.open) showQuickPreview();
    if (model.open == wasOpen) return;
    layoutQuickEntry();
    for (HWND part : {quickTitle_, quickField_, quickPreview_, quickClose_})
        ShowWindow(part, model.open ? SW_SHOWNA : SW_HIDE);
    ShowWindow(status_, model.open ? SW_HIDE : SW_SHOWNA);
    if (model.open) focusQuickEntry();
}

void MainWindow::showQuickPreview() {
    const std::string& text = program_.ui.quickEntry.text;
    const QuickPreview preview = previewQuickEntry(program_, text);
    const bool empty = text.find_first_not_of(" \t/") == std::string::npos;
    previewColour_ = empty                ? PREVIEW_EMPTY
                     : preview.admissible ? PREVIEW_ADMISSIBLE
                                          : PREVIEW_REFUSED;
    const std::wstring shown = (preview.admissible ? L"\u21b5 " : L"") + widen(preview.text);
    if (windowText(quickPreview_) != shown) SetWindowTextW(quickPreview_, shown.c_str());
    InvalidateRect(quickPreview_, nullptr, TRUE);
    RECT room{};
    GetClientRect(quickPreview_, &room);
    std::wstring tip = textWidth(quickPreview_, font_, shown) > room.right ? shown : L"";
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(quickPreview_);
    tool.lpszText = tip.data();
    SendMessageW(quickTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::focusQuickEntry() {
    if (!program_.ui.quickEntry.open || !IsWindowEnabled(window_)) return;
    SetFocus(quickField_);
    const LRESULT end = GetWindowTextLengthW(quickField_);
    SendMessageW(quickField_, EM_SETSEL, static_cast<WPARAM>(end), end);
}

// The title, the field, the preview in the room that is left, and the close
// button, all in the status bar's place.
void MainWindow::layoutQuickEntry() {
    RECT client{};
    GetClientRect(window_, &client);
    const int height = screen_.statusBarHeight;
    const int top = client.bottom - height;
    const int gap = px(QUICK_SPACING);
    int left = px(2);
    const int titleWidth = textWidth(quickTitle_, boldFont_, L"Schnelleingabe");
    MoveWindow(quickTitle_, left, top, titleWidth, height, TRUE);
    left += titleWidth + gap;
    const int fieldWidth = px(QUICK_FIELD_WIDTH);
    MoveWindow(quickField_, left, top + 1, fieldWidth, std::max(0, height - 2), TRUE);
    left += fieldWidth + gap;
    const int closeLeft = client.right - px(2) - height;
    MoveWindow(quickPreview_, left, top, std::max(0, closeLeft - gap - left), height, TRUE);
    MoveWindow(quickClose_, closeLeft, top, height, height, TRUE);
    // The tooltip depends on the preview's new width.
    if (program_.ui.quickEntry.open) showQuickPreview();
}

// The status bar's clock panel, kept current by a timer of the window.
void MainWindow::showTimeOfDay() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    wchar_t clock[16];
    wsprintfW(clock, L"%d:%02d:%02d", t.wHour, t.wMinute, t.wSecond);
    SendMessageW(status_, SB_SETTEXTW, STATUS_PANEL_COUNT - 1, reinterpret_cast<LPARAM>(clock));
}

void MainWindow::layoutStatusBar() {
    RECT client{};
    GetClientRect(window_, &client);
    const std::vector<PanelPlace> places = statusPanelPlaces(program_.ui, client.right, scale_);
    int edges[STATUS_PANEL_COUNT];
    for (int k = 0; k < STATUS_PANEL_COUNT && k < static_cast<int>(places.size()); ++k)
        edges[k] =
            places[static_cast<std::size_t>(k)].left + places[static_cast<std::size_t>(k)].width;
    edges[STATUS_PANEL_COUNT - 1] = -1;  // the clock reaches the right edge
    SendMessageW(status_, SB_SETPARTS, STATUS_PANEL_COUNT, reinterpret_cast<LPARAM>(edges));
    if (!tips_) return;
    for (int k = 1; k < STATUS_PANEL_COUNT; ++k) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = status_;
        tool.uId = static_cast<UINT_PTR>(k);
        SendMessageW(status_, SB_GETRECT, static_cast<WPARAM>(k - 1),
                     reinterpret_cast<LPARAM>(&tool.rect));
        SendMessageW(tips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// ---- Geometry ----

int MainWindow::px(int pixels) const {
    return scaledLength(pixels, scale_);
}

// The drawing area at the model's zoom: fonts, controls, lines and status
// panels all scale with it, on top of the monitor's DPI.
void MainWindow::applyZoom() {
    appliedZoom_ = program_.shell.zoom;
    scale_ = appliedZoom_ * static_cast<int>(dpi_) / 96.0;
    createFonts();
    applyFonts(TRUE);
    for (Widget& widget : widgets_) {
        if (widget.control->kind == ControlKind::DropDown)
            SendMessageW(widget.window, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                         px(widget.control->rect.height) - px(6));
        widget.shadow.reset();  // every rectangle again, at the new scale
    }
    // The status bar's height follows its font; the window is fitted to it.
    SendMessageW(status_, WM_SIZE, 0, 0);
    const int statusHeight = measure().statusBarHeight;
    if (program_.shell.startupDone && statusHeight != program_.shell.metrics.statusBarHeight) {
        program_.shell.metrics.statusBarHeight = statusHeight;
        fitMainWindow(program_);
    }
    layoutStatusBar();
    layoutQuickEntry();
    InvalidateRect(window_, nullptr, TRUE);
}

int MainWindow::systemMetric(int index) const {
    static const auto forDpi = user32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, dpi_) : GetSystemMetrics(index);
}

ScreenMetrics MainWindow::measure() {
    screen_.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    monitorOrigin_ = {};
    RECT work{};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
        monitorOrigin_ = {monitor.rcMonitor.left, monitor.rcMonitor.top};
        screen_.screenWidth = monitor.rcMonitor.right - monitor.rcMonitor.left;
        work = monitor.rcWork;
        OffsetRect(&work, -monitorOrigin_.x, -monitorOrigin_.y);
    }
    const int padded = systemMetric(SM_CXPADDEDBORDER);
    screen_.frameWidth = systemMetric(SM_CXSIZEFRAME) + padded;
    screen_.frameHeight = systemMetric(SM_CYSIZEFRAME) + padded;
    screen_.titleBarHeight = systemMetric(SM_CYCAPTION);
    screen_.menuBarHeight = systemMetric(SM_CYMENU);
    RECT bar{};
    GetWindowRect(status_, &bar);
    screen_.statusBarHeight = bar.bottom - bar.top;
    const auto model = [this](int pixels) { return MulDiv(pixels, 96, static_cast<int>(dpi_)); };
    ScreenMetrics m;
    m.screenWidth = model(screen_.screenWidth);
    m.frameWidth = model(screen_.frameWidth);
    m.frameHeight = model(screen_.frameHeight);
    m.titleBarHeight = model(screen_.titleBarHeight);
    m.menuBarHeight = model(screen_.menuBarHeight);
    m.statusBarHeight = model(screen_.statusBarHeight);
    // The work area, so that the window is fitted to it (the taskbar stays free).
    m.workLeft = model(work.left);
    m.workTop = model(work.top);
    m.workWidth = model(work.right - work.left);
    m.workHeight = model(work.bottom - work.top);
    return m;
}

// Where the window's frame stands in the model's pixels of its monitor.
POINT MainWindow::modelOrigin() const {
    RECT outer{};
    GetWindowRect(window_, &outer);
    return {MulDiv(outer.left - monitorOrigin_.x, 96, static_cast<int>(dpi_)),
            MulDiv(outer.top - monitorOrigin_.y, 96, static_cast<int>(dpi_))};
}

// The model's outer rectangle on the screen: the drawing area at its zoom
// and this DPI, the frame as the system draws it at this DPI. At 96 dpi it
// is the model's own.
RECT MainWindow::screenFrame() const {
    const Rect& f = program_.ui.frm0.frame;
    const int width = px(program_.shell.padWidth) + 2 * screen_.frameWidth;
    const int height = px(PAD_HEIGHT) + screen_.titleBarHeight + screen_.menuBarHeight +
                       2 * screen_.frameHeight + screen_.statusBarHeight;
    const int left = monitorOrigin_.x + MulDiv(f.left, static_cast<int>(dpi_), 96);
    const int top = monitorOrigin_.y + MulDiv(f.top, static_cast<int>(dpi_), 96);
    return {left, top, left + width, top + height};
}

// Sets the window's outer size; it moves only when the model moved it (a
// window that grew past the work area). When the system's frame is not what
// its metrics say, the size is corrected so that the drawing area and the
// status bar get exactly their room.
void MainWindow::applyFrameSize() {
    const RECT frame = screenFrame();
    modelFrame_ = {frame.right - frame.left, frame.bottom - frame.top};
    frameSize_ = modelFrame_;
    const Rect& f = program_.ui.frm0.frame;
    const bool move = f.left != appliedFrame_.left || f.top != appliedFrame_.top;
    appliedFrame_ = f;
    userSized_ = false;
    applying_ = true;
    SetWindowPos(window_, nullptr, frame.left, frame.top, frameSize_.cx, frameSize_.cy,
                 (move ? 0 : SWP_NOMOVE) | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(window_, &client);
    const int wantedWidth = px(program_.shell.padWidth);
    const int wantedHeight = px(PAD_HEIGHT) + screen_.statusBarHeight;
    if (client.right != wantedWidth || client.bottom != wantedHeight) {
        frameSize_.cx += wantedWidth - client.right;
        frameSize_.cy += wantedHeight - client.bottom;
        SetWindowPos(window_, nullptr, 0, 0, frameSize_.cx, frameSize_.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    applying_ = false;
}

// The user resized the window: the drawing area scales with it (within
// the zoom's limits); the window keeps the size it was given.
void MainWindow::userResized() {
    RECT outer{};
    GetWindowRect(window_, &outer);
    RECT client{};
    GetClientRect(window_, &client);
    const auto model = [this](int pixels) { return MulDiv(pixels, 96, static_cast<int>(dpi_)); };
    const POINT at = modelOrigin();
    const Rect frame{at.x, at.y, model(outer.right - outer.left), model(outer.bottom - outer.top)};
    frm0_Resize(program_, frame, model(client.right),
                model(std::max(0, static_cast<int>(client.bottom) - screen_.statusBarHeight)));
    appliedFrame_ = program_.ui.frm0.frame;
    userSized_ = true;
    frameSize_ = modelFrame_ = {outer.right - outer.left, outer.bottom - outer.top};
    mirror();
}

void MainWindow::refit(bool display) {
    if (!program_.shell.startupDone) return;
    SendMessageW(status_, WM_SIZE, 0, 0);
    const ScreenMetrics metrics = measure();
    if (display)
        frm0_DisplayChange(program_, metrics);
    else
        frm0_WinIniChange(program_, metrics);
    mirror();
}

void MainWindow::dpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    applyZoom();
    statusShadow_.clear();
    frm0_DisplayChange(program_, measure());
    applyFrameSize();
    mirror();
}

// ---- Events ----

int MainWindow::run() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (preTranslate(message)) continue;
        if (valueWindow_ && valueWindow_->dialogMessage(message)) continue;
        if (window_ && IsDialogMessageW(window_, &message))
            continue;  // Tab moves through the controls
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

bool MainWindow::belongsHere(HWND window) const {
    return window_ && (window == window_ || IsChild(window_, window));
}

MainWindow::Widget* MainWindow::widgetOf(HWND window) {
    const auto found = widgetIndex_.find(window);
    return found == widgetIndex_.end() ? nullptr : &widgets_[found->second];
}

bool MainWindow::preTranslate(const MSG& message) {
    // Escape closes the help window, as it closes a dialog.
    if (help_ && message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE &&
        (message.hwnd == help_ || IsChild(help_, message.hwnd))) {
        PostMessageW(help_, WM_CLOSE, 0, 0);
        return true;
    }
    if (!belongsHere(message.hwnd)) return false;
    switch (message.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            frm0_KeyPress(program_);
            mirrorStatus();
            return keyDown(message);
        case WM_CHAR:
            return typedIntoQuickEntry(message);
        case WM_KEYUP:
        case WM_SYSKEYUP:
            // Alt released after a command of its own opens no menu. The
            // release itself goes on to the window, so that the keyboard's
            // state knows Alt is up; only the menu it would open is refused.
            if (message.wParam == VK_MENU && swallowAltUp_) {
                swallowAltUp_ = false;
                refuseKeyMenu_ = true;
            }
            return false;
        case WM_MOUSEMOVE:
            if (message.hwnd != status_ && IsWindowEnabled(window_)) {
                frm0_MouseMove(program_);
                mirrorStatus();
            }
            return false;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            Widget* widget = widgetOf(message.hwnd);
            // A click into a name field selects the whole name, so that typing
            // replaces it (a click in the field that has the focus places the caret).
            if (message.message == WM_LBUTTONDOWN && widget &&
                widget->control->kind == ControlKind::TextField && GetFocus() != message.hwnd &&
                IsWindowEnabled(window_)) {
                SetFocus(message.hwnd);
                SendMessageW(message.hwnd, EM_SETSEL, 0, -1);
                return true;
            }
            if (!widget || (widget->control->name != "PKT" && widget->control->name != "SPL"))
                return false;
            mouseDown(*widget, message);
            return true;
        }
        default:
            return false;
    }
}

bool MainWindow::keyDown(const MSG& message) {
    refuseKeyMenu_ = false;
    if (!IsWindowEnabled(window_)) return false;
    const int key = static_cast<int>(message.wParam);
    const int shift = shiftState();
    const HWND focusWindow = GetFocus();
    const bool inQuickEntry = focusWindow && focusWindow == quickField_;
    if (inQuickEntry && shift == 0 && (key == VK_RETURN || key == VK_ESCAPE)) {
        if (key == VK_RETURN)
            quickEntryEnter(program_);
        else
            closeQuickEntry(program_);
        mirror();
        return true;
    }
    const Widget* focus = widgetOf(focusWindow);
    const bool textField =
        inQuickEntry || (focus && focus->control->kind == ControlKind::TextField);
    // The dropped-down list of name suggestions takes its keys.
    const bool listKey = key == VK_RETURN || key == VK_ESCAPE || key == VK_UP || key == VK_DOWN ||
                         key == VK_PRIOR || key == VK_NEXT;
    if (textField && !inQuickEntry && listKey && completion_ &&
        completion_->droppedDown(focusWindow))
        return false;
    if (textField && (nameFieldKeepsKey(key, shift) || typesCharacter(message, shift)))
        return false;
    if (!frm0_KeyDown(program_, key, shift)) return false;
    if (shift & ALT_BIT) swallowAltUp_ = true;
    mirror();
    if (key == KEY_F2) focusQuickEntry();
    return true;
}

// A letter or digit typed while no text field has the focus opens quick
// entry with it.
bool MainWindow::typedIntoQuickEntry(const MSG& message) {
    if (!IsWindowEnabled(window_)) return false;
    const HWND focus = GetFocus();
    const Widget* widget = widgetOf(focus);
    if (focus == quickField_ || (widget && widget->control->kind == ControlKind::TextField))
        return false;
    const wchar_t typed = static_cast<wchar_t>(message.wParam);
    const std::string text = narrow(&typed, 1);
    if (!opensQuickEntry(text, shiftState())) return false;
    openQuickEntry(program_, text);
    mirror();
    focusQuickEntry();
    return true;
}

bool MainWindow::onQuickEntryCommand(int id, int code) {
    if (id == QUICK_FIELD_ID && code == EN_CHANGE) {
        if (mirroring_) return true;
        quickEntryEdited(program_, narrow(windowText(quickField_)));
        showQuickPreview();
        return true;
    }
    if (id == QUICK_CLOSE_ID && code == BN_CLICKED) {
        closeQuickEntry(program_);
        mirror();
        return true;
    }
    return id == QUICK_FIELD_ID || id == QUICK_CLOSE_ID;
}

void MainWindow::mouseDown(Widget& widget, const MSG& message) {
    const int button = message.message == WM_LBUTTONDOWN   ? 1
                       : message.message == WM_RBUTTONDOWN ? 2
                                                           : 4;
    int shift = 0;
    if (message.wParam & MK_SHIFT) shift |= SHIFT_BIT;
    if (message.wParam & MK_CONTROL) shift |= CTRL_BIT;
    if (GetKeyState(VK_MENU) < 0) shift |= ALT_BIT;
    const int x = static_cast<int>(GET_X_LPARAM(message.lParam) / scale_);
    const int y = static_cast<int>(GET_Y_LPARAM(message.lParam) / scale_);
    const auto handler = widget.control->name == "PKT" ? PKT_MouseDown : SPL_MouseDown;
    handler(program_, widget.control->index, button, shift, x, y);
    mirror();
}

// The context menu of a pad row: on a row the mouse was right-clicked on, or
// (from the keyboard, `at` -1) on the row of the last entry. False when
// there is no such row.
bool MainWindow::showRowMenu(HWND clicked, LPARAM at) {
    if (!IsWindowEnabled(window_)) return false;
    const bool keyboard = at == -1;
    int row = 0;
    POINT place{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    if (keyboard) {
        row = keyboardMenuRow(program_);
        if (row) {
            const Widget* points = nullptr;
            for (const Widget& widget : widgets_)
                if (widget.control == &program_.ui.PKT(row)) points = &widget;
            RECT r{};
            if (points) GetWindowRect(points->window, &r);
            place = {r.left, r.bottom};
        }
    } else if (const Widget* widget = widgetOf(clicked)) {
        // A Ctrl+click has corrected the row on the press already.
        if (GetKeyState(VK_CONTROL) < 0) return true;
        row = padRowOf(*widget->control);
    }
    const std::vector<RowMenuEntry> entries = rowMenu(program_, row);
    if (entries.empty()) return false;
    const HMENU menu = CreatePopupMenu();
    for (std::size_t i = 0; i < entries.size(); ++i)
        AppendMenuW(menu, MF_STRING | (entries[i].enabled ? 0 : MF_GRAYED),
                    static_cast<UINT_PTR>(i + 1), widen(entries[i].caption).c_str());
    const int chosen =
        static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                        place.x, place.y, 0, window_, nullptr));
    DestroyMenu(menu);
    if (chosen >= 1 && static_cast<std::size_t>(chosen) <= entries.size()) {
        rowMenuChosen(program_, row, entries[static_cast<std::size_t>(chosen - 1)].command);
        mirror();
    }
    return true;
}

void MainWindow::onCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (lParam == 0) {
        if (code == 0 && id >= MENU_ID_BASE) {
            frm0_MenuEvent(program_, id - MENU_ID_BASE);
            mirror();
            if (id - MENU_ID_BASE == CMD_QUICK_ENTRY) focusQuickEntry();
        }
        return;
    }
    if (onQuickEntryCommand(id, code)) return;
    Widget* widget = widgetOf(reinterpret_cast<HWND>(lParam));
    if (!widget || mirroring_) return;
    const Control& c = *widget->control;
    switch (c.kind) {
        case ControlKind::OptionButton:
            // A button that gains the focus reports a click too; only a choice
            // the user made checks it.
            if (code != BN_CLICKED ||
                SendMessageW(widget->window, BM_GETCHECK, 0, 0) != BST_CHECKED)
                return;
            clickOption(program_, c.name, c.index);
            break;
        case ControlKind::PushButton:
            if (code != BN_CLICKED) return;
            pressOK(program_);
            break;
        case ControlKind::CheckBox:
            if (code != BN_CLICKED) return;
            tickBock(program_, SendMessageW(widget->window, BM_GETCHECK, 0, 0) == BST_CHECKED);
            break;
        case ControlKind::DropDown:
            // The list is still at its own work: the model is shown once it is done.
            if (onListNotification(*widget, code)) PostMessageW(window_, WM_MIRROR, 0, 0);
            return;
        case ControlKind::TextField: {
            if (code == EN_KILLFOCUS) {
                // Leaving the field completes the rename: one step for undo.
                // The field shows the name from its beginning again.
                SendMessageW(widget->window, EM_SETSEL, 0, 0);
                finishNameEdit(program_);
                break;
            }
            if (code != EN_CHANGE) return;
            std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(widget->window)) + 1,
                              L'\0');
            text.resize(static_cast<std::size_t>(
                GetWindowTextW(widget->window, text.data(), static_cast<int>(text.size()))));
            editName(program_, c.index, narrow(text));
            break;
        }
        case ControlKind::Label:
            return;
    }
    mirror();
}

// The list reports a choice in several ways (on the closed list with the
// keys, on the dropped list with the mouse or Enter), in an order that
// differs between versions of Windows; a choice counts when it differs from
// the one the model holds. Browsing the dropped list chooses nothing yet.
// Returns whether the model is to be shown again: after a choice, and when
// the list closes (a list closed with Escape shows the model's choice again).
bool MainWindow::onListNotification(Widget& widget, int code) {
    switch (code) {
        case CBN_DROPDOWN:
            widget.dropped = true;
            return false;
        case CBN_CLOSEUP:
            widget.dropped = false;
            break;
        case CBN_SELCHANGE:
            if (widget.dropped) return false;
            break;
        case CBN_SELENDOK:
            break;
        default:
            return false;
    }
    const LRESULT item = SendMessageW(widget.window, CB_GETCURSEL, 0, 0);
    if (item >= 0 && item != widget.control->selection)
        pickItem(program_, widget.control->name, static_cast<int>(item));
    return true;
}

HBRUSH MainWindow::brush(COLORREF colour) {
    HBRUSH& b = brushes_[colour];
    if (!b) b = CreateSolidBrush(colour);
    return b;
}

HBRUSH MainWindow::controlColours(HWND control, HDC dc) {
    const Widget* widget = widgetOf(control);
    const auto shown = widget ? shownBackground(program_.ui, *widget->control) : std::nullopt;
    const COLORREF back = colourRef(shown.value_or(padBackColour));
    SetBkColor(dc, back);
    if (widget) SetTextColor(dc, textColour(widget->control->look));
    return brush(back);
}

void MainWindow::paint(HDC dc) {
    const PaintPlan plan = frm0_Paint(program_);
    RECT client{};
    GetClientRect(window_, &client);
    const RECT area{px(plan.background.left), px(plan.background.top),
                    px(plan.background.left + plan.background.width),
                    px(plan.background.top + plan.background.height)};
    // Beyond the drawing area (never seen while the window has its own size).
    const RECT right{area.right, 0, client.right, client.bottom};
    const RECT below{0, area.bottom, area.right, client.bottom};
    FillRect(dc, &right, GetSysColorBrush(COLOR_BTNFACE));
    FillRect(dc, &below, GetSysColorBrush(COLOR_BTNFACE));
    FillRect(dc, &area, brush(colourRef(plan.backColour)));
    const int thickness = std::max(1, px(1));
    for (const Line& line : plan.lines) {
        const RECT stroke{px(line.x1), px(line.y1), px(line.x2) + thickness,
                          px(line.y2) + thickness};
        FillRect(dc, &stroke, brush(RGB(0, 0, 0)));
    }
    // The line under each player's name.
    for (const Control& field : program_.ui.NMS) {
        if (!field.visible) continue;
        const Rect& r = field.rect;
        const RECT under{px(r.left), px(r.top + r.height - 2), px(r.left + r.width),
                         px(r.top + r.height)};
        FillRect(dc, &under, brush(RULE_COLOUR));
    }
}

// Labels draw their text with the pad's padding and ruling: a line under
// each row cell, one between the columns, and a rule over the totals.
void MainWindow::paintLabel(HWND window, HDC dc) {
    const Widget* widget = widgetOf(window);
    if (!widget) return;
    const Look look = widget->control->look;
    RECT r{};
    GetClientRect(window, &r);
    FillRect(dc, &r, controlColours(window, dc));
    SetBkMode(dc, TRANSPARENT);
    const HGDIOBJ oldFont = SelectObject(dc, boldLook(look) ? boldFont_ : font_);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    RECT inside = r;
    if (textAlignment(look) == DT_RIGHT) inside.right -= px(6);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &inside,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | textAlignment(look));
    if (const std::string& mark = widget->control->mark; !mark.empty()) {
        // The place beside a total or the mark of a Bock game, in the regular weight.
        SelectObject(dc, font_);
        SetTextColor(dc, RGB(0x1a, 0x1a, 0x1a));
        RECT left = r;
        left.left += px(5);
        const std::wstring shown = widen(mark);
        DrawTextW(dc, shown.c_str(), static_cast<int>(shown.size()), &left,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT);
    }
    SelectObject(dc, oldFont);
    const int line = std::max(1, px(1));
    const bool under = look == Look::RowLabel || look == Look::RowInfo || look == Look::PlayerCell;
    const bool left = look == Look::RowInfo || look == Look::PlayerCell || look == Look::Total;
    if (under) {
        const RECT stroke{r.left, r.bottom - line, r.right, r.bottom};
        FillRect(dc, &stroke, brush(GRID_COLOUR));
    }
    if (left) {
        const RECT stroke{r.left, r.top, r.left + line, r.bottom};
        FillRect(dc, &stroke, brush(GRID_COLOUR));
    }
    if (look == Look::Total) {
        const RECT stroke{r.left, r.top, r.right, r.top + 2 * line};
        FillRect(dc, &stroke, brush(RULE_COLOUR));
    }
}

LRESULT CALLBACK MainWindow::labelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(window, &ps);
            reinterpret_cast<MainWindow*>(self)->paintLabel(window, dc);
            EndPaint(window, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SETTEXT: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            InvalidateRect(window, nullptr, FALSE);
            return result;
        }
        default:
            return DefSubclassProc(window, message, wParam, lParam);
    }
}

// A name field without the focus that cannot show the whole name shows its
// beginning, ended with "…"; with the focus it is the edit control it is.
void MainWindow::paintNameField(HWND field) {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(field, &ps);
    RECT r{};
    GetClientRect(field, &r);
    FillRect(dc, &r, controlColours(field, dc));
    const LRESULT margins = SendMessageW(field, EM_GETMARGINS, 0, 0);
    r.left += LOWORD(margins);
    r.right -= HIWORD(margins);
    SetBkMode(dc, TRANSPARENT);
    const HGDIOBJ old = SelectObject(dc, boldFont_);
    const std::wstring text = windowText(field);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SelectObject(dc, old);
    EndPaint(field, &ps);
}

LRESULT CALLBACK MainWindow::nameFieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR self) {
    auto* main = reinterpret_cast<MainWindow*>(self);
    switch (message) {
        case WM_PAINT:
            if (GetFocus() != window && main->nameCut(window, windowText(window))) {
                main->paintNameField(window);
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_SETTEXT:
        case WM_SIZE: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            InvalidateRect(window, nullptr, TRUE);
            return result;
        }
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    return self->onMessage(message, wParam, lParam);
}

LRESULT MainWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            onCommand(wParam, lParam);
            return 0;
        case WM_MIRROR:
            mirror();
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(window_, &ps);
            paint(dc);
            EndPaint(window_, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            paint(reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == quickTitle_ ||
                reinterpret_cast<HWND>(lParam) == quickPreview_) {
                const auto dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(
                    dc, reinterpret_cast<HWND>(lParam) == quickTitle_ ? INFO_TEXT : previewColour_);
                SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            [[fallthrough]];
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
            if (!widgetOf(reinterpret_cast<HWND>(lParam))) break;  // the system's colours
            return reinterpret_cast<LRESULT>(
                controlColours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)));
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_KEYMENU && lParam == 0 && refuseKeyMenu_) {
                refuseKeyMenu_ = false;
                return 0;
            }
            break;
        case WM_INITMENUPOPUP:
            mirrorMenu();
            return 0;
        case WM_TIMER:
            if (wParam == CLOCK_TIMER) {
                showTimeOfDay();
                // The clock's tick brings the elapsed time up to date as well.
                STB_Tick(program_);
                mirrorStatus();
            }
            return 0;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item->hwndItem != status_) break;
            drawStatusPanel(*item);
            return TRUE;
        }
        case WM_CONTEXTMENU:
            if (showRowMenu(reinterpret_cast<HWND>(wParam), lParam)) return 0;
            break;
        case WM_SIZE:
            program_.ui.frm0.windowState = wParam == SIZE_MINIMIZED   ? 1
                                           : wParam == SIZE_MAXIMIZED ? 2
                                                                      : 0;
            SendMessageW(status_, WM_SIZE, 0, 0);
            layoutStatusBar();
            layoutQuickEntry();
            if (wParam != SIZE_MINIMIZED && !applying_ && frameSize_.cx > 0 &&
                program_.shell.startupDone)
                userResized();
            return 0;
        case WM_MOVE:
            // The user moved the window: the model's frame is where it stands.
            if (!IsIconic(window_) && frameSize_.cx > 0) {
                const POINT at = modelOrigin();
                program_.ui.frm0.frame.left = appliedFrame_.left = at.x;
                program_.ui.frm0.frame.top = appliedFrame_.top = at.y;
            }
            return 0;
        case WM_GETMINMAXINFO: {
            // No smaller than the drawing area at the least zoom.
            const double least = MIN_ZOOM * static_cast<int>(dpi_) / 96.0;
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = {
                scaledLength(program_.shell.padWidth, least) + 2 * screen_.frameWidth,
                scaledLength(PAD_HEIGHT, least) + screen_.titleBarHeight + screen_.menuBarHeight +
                    2 * screen_.frameHeight + screen_.statusBarHeight};
            return 0;
        }
        case WM_SETCURSOR:
            if (busyDepth_ > 0) {
                SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                return TRUE;
            }
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focus = GetFocus();
                lastFocus_ = belongsHere(focus) ? focus : nullptr;
            } else if (lastFocus_ && IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_) &&
                       !(widgetOf(lastFocus_) && isOption(*widgetOf(lastFocus_)->control))) {
                SetFocus(lastFocus_);
            } else {
                SetFocus(window_);
            }
            return 0;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETNONCLIENTMETRICS) {
                createFonts();
                applyFonts(TRUE);
            }
            refit(false);
            return 0;
        case WM_DISPLAYCHANGE:
            refit(true);
            return 0;
        case WM_DPICHANGED:
            dpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE: {
            // While a secondary window is open the program waits for it.
            if (modal_) return 0;
            const bool cancel = frm0_Close(program_);
            mirror();
            if (!cancel) DestroyWindow(window_);
            return 0;
        }
        case WM_DESTROY:
            KillTimer(window_, CLOCK_TIMER);
            if (help_) DestroyWindow(help_);
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            window_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// ---- WindowHost ----

void MainWindow::requestClose() {
    if (window_) PostMessageW(window_, WM_CLOSE, 0, 0);
}

void MainWindow::setBusy(bool busy) {
    if (busy && busyDepth_++ == 0) SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    if (!busy && busyDepth_ > 0 && --busyDepth_ == 0) SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

void MainWindow::runModal(SecondaryWindow which) {
    mirror();  // the main window is disabled now
    ModalWindow modal(instance_, window_, program_, which, makerHost_, dpi_);
    modal_ = &modal;
    MSG message;
    while (!program_.shell.dialogClosed) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
            break;
        }
        if (modal.handle() && IsDialogMessageW(modal.handle(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    modal_ = nullptr;
    EnableWindow(window_, TRUE);
    SetForegroundWindow(window_);
    SetFocus(window_);
}

// The page's text with its tags removed; a page that cannot be read says so.
std::wstring MainWindow::helpText(const std::string& path) {
    Bytes page;
    FileSystem* files = program_.services.files;
    const FileError error = files ? files->read(path, HELP_LIMIT, page) : FileError::Other;
    if (error != FileError::None)
        return widen("Die Hilfedatei \xE2\x80\x9E" + path + "\xE2\x80\x9C " +
                     (error == FileError::NotFound ? "wurde nicht gefunden."
                                                   : "konnte nicht gelesen werden."));
    const std::string text =
        helpPlainText(std::string_view(reinterpret_cast<const char*>(page.data()), page.size()));
    // The edit control breaks lines at CR LF only.
    std::wstring shown;
    for (wchar_t c : widen(text)) {
        if (c == L'\n') shown += L'\r';
        shown += c;
    }
    return shown;
}

void MainWindow::showHelpWindow(const std::string& path) {
    if (!help_) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = helpProc;
        windowClass.hInstance = instance_;
        windowClass.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(1));
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
        windowClass.lpszClassName = HELP_CLASS;
        RegisterClassExW(&windowClass);  // fails harmlessly the second time
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& work = monitor.rcWork;
        const int width = std::min(MulDiv(760, static_cast<int>(dpi_), 96),
                                   static_cast<int>(work.right - work.left) * 9 / 10);
        const int height = std::min(MulDiv(640, static_cast<int>(dpi_), 96),
                                    static_cast<int>(work.bottom - work.top) * 9 / 10);
        help_ = CreateWindowExW(0, HELP_CLASS, L"Kartotrix \u2013 Hilfe", WS_OVERLAPPEDWINDOW,
                                work.left + (work.right - work.left - width) / 2,
                                work.top + (work.bottom - work.top - height) / 2, width, height,
                                nullptr, nullptr, instance_, this);
        const HWND text = CreateWindowExW(
            0, L"EDIT", L"",
            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0,
            0, 0, help_, nullptr, instance_, nullptr);
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        LOGFONTW face = metrics.lfMessageFont;
        face.lfHeight =
            MulDiv(face.lfHeight, static_cast<int>(dpi_), static_cast<int>(systemDpi()));
        if (helpFont_) DeleteObject(helpFont_);
        helpFont_ = CreateFontIndirectW(&face);
        SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(helpFont_), FALSE);
        SendMessageW(text, EM_SETLIMITTEXT, 0, 0);  // no limit for the page
        RECT client{};
        GetClientRect(help_, &client);
        MoveWindow(text, 0, 0, client.right, client.bottom, FALSE);
    }
    const HWND text = GetWindow(help_, GW_CHILD);
    SetWindowTextW(text, helpText(path).c_str());
    ShowWindow(help_, SW_SHOWNORMAL);
    SetForegroundWindow(help_);
    SetFocus(text);
}

LRESULT CALLBACK MainWindow::helpProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_SIZE:
            if (const HWND text = GetWindow(window, GW_CHILD))
                MoveWindow(text, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
            return 0;
        case WM_SETFOCUS:
            if (const HWND text = GetWindow(window, GW_CHILD)) SetFocus(text);
            return 0;
        case WM_CTLCOLORSTATIC:
            // Read-only, yet on the colour of a page.
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        case WM_NCDESTROY:
            if (self && self->help_ == window) self->help_ = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void MainWindow::closeWindow(SecondaryWindow) {
    if (modal_ && modal_->handle()) PostMessageW(modal_->handle(), WM_CLOSE, 0, 0);
}

}  // namespace kx::win
