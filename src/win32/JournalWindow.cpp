// The Windows window "Protokoll": the journal's lines in a list box, a status
// line and "Zurücknehmen"; everything it shows comes from view/JournalWindow.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <functional>

#include "ExtrasWindow.h"
#include "ExtrasWindows.h"
#include "core/Program.h"
#include "view/JournalWindow.h"

namespace kx::win {

namespace {

constexpr int LIST_ID = 100, STATUS_ID = 101, TAKE_BACK_ID = 102;

class JournalListWindow : public ExtrasWindow {
  public:
    JournalListWindow(HWND owner, Program& p, JournalWindow& w, std::function<void()> mirror)
        : ExtrasWindow(owner), p_(p), w_(w), mirror_(std::move(mirror)) {}

  private:
    void build() override {
        list_ = add(WC_LISTBOXW, "",
                    LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                    LIST_ID, WS_EX_CLIENTEDGE);
        status_ = add(L"STATIC", "", SS_NOPREFIX | SS_LEFT, STATUS_ID);
        button("&" + std::string(JOURNAL_TAKE_BACK), TAKE_BACK_ID);
        button(
            "Schlie\xC3\x9F"
            "en",
            IDCANCEL);
        show();
    }

    void layout(int width, int height) override {
        const int m = px(10), statusHeight = px(36);
        const int buttons = placeButtons(width, height, {{TAKE_BACK_ID, 120}});
        const int statusTop = buttons - px(8) - statusHeight;
        place(status_, m, statusTop, width - 2 * m, statusHeight);
        place(list_, m, m, width - 2 * m, std::max(px(40), statusTop - px(6) - m));
    }

    void command(int id, int code) override {
        if (id == LIST_ID && code == LBN_SELCHANGE) {
            selectJournalLine(p_, w_, static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0)));
            show();
        } else if (id == TAKE_BACK_ID && code == BN_CLICKED) {
            takeBackSelected(p_, w_);
            keepOwnerDisabled();  // a refusal's message box gave the main window its input
            show();
        }
    }

    void focusFirst() override { SetFocus(list_); }

    POINT framePlace(int outerWidth, int outerHeight) const override {
        RECT frame{};
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        if (!owner_ || !GetWindowRect(owner_, &frame) ||
            !GetMonitorInfoW(MonitorFromWindow(owner_, MONITOR_DEFAULTTONEAREST), &monitor))
            return ExtrasWindow::framePlace(outerWidth, outerHeight);
        const RECT& work = monitor.rcWork;
        const Rect place = journalWindowPlace(
            {frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top}, outerWidth,
            outerHeight, {work.left, work.top, work.right - work.left, work.bottom - work.top});
        return {place.left, place.top};
    }

    // The model into the controls; then the main window, whose pad shows the
    // highlighted row and any change "Zurücknehmen" made.
    void show() {
        if (SendMessageW(list_, LB_GETCOUNT, 0, 0) != static_cast<LRESULT>(w_.lines.size()))
            fillList();
        SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(w_.selected), 0);
        setText(STATUS_ID, w_.status);
        const HWND takeBack = GetDlgItem(window_, TAKE_BACK_ID);
        if (!w_.canTakeBack && GetFocus() == takeBack) SetFocus(list_);
        EnableWindow(takeBack, w_.canTakeBack);
        if (mirror_) mirror_();
        // The pad's cells paint their own background: each is drawn anew.
        RedrawWindow(owner_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    }

    // The lines, with room to scroll sideways to the end of the longest.
    void fillList() {
        SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
        SendMessageW(list_, LB_RESETCONTENT, 0, 0);
        const HDC dc = GetDC(list_);
        const HGDIOBJ old = SelectObject(dc, font_);
        int widest = 0;
        for (const std::string& line : w_.lines) {
            const std::wstring text = widen(line);
            SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            SIZE size{};
            GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
            widest = std::max(widest, static_cast<int>(size.cx));
        }
        SelectObject(dc, old);
        ReleaseDC(list_, dc);
        SendMessageW(list_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + px(8)), 0);
        SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list_, nullptr, TRUE);
    }

    Program& p_;
    JournalWindow& w_;
    std::function<void()> mirror_;
    HWND list_ = nullptr, status_ = nullptr;
};

}  // namespace

bool Win32Extras::showJournal(Program& p, JournalWindow& window) {
    JournalListWindow shown(owner_, p, window, mirror_);
    shown.run(JOURNAL_TITLE, JOURNAL_WIDTH, JOURNAL_HEIGHT, 360, 240);
    closeJournalWindow(p);
    RedrawWindow(owner_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    return true;
}

}  // namespace kx::win
