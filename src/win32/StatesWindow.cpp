// The Windows window "Frühere Stände": the model's rows in a list, the
// selected state's preview, and "Wiederherstellen".
#include <windows.h>
// commctrl.h needs windows.h before it.
#include <commctrl.h>

#include <algorithm>
#include <string>

#include "ExtrasWindow.h"
#include "ExtrasWindows.h"
#include "core/Program.h"
#include "platform/WinText.h"
#include "view/StatesWindow.h"

namespace kx::win {

namespace {

constexpr int LIST_ID = 100, PREVIEW_ID = 101, RESTORE_ID = 102;

class EarlierStatesWindow : public ExtrasWindow {
  public:
    EarlierStatesWindow(HWND owner, Program& p, StatesWindow& model)
        : ExtrasWindow(owner), p_(p), model_(model) {}

  private:
    void build() override {
        list_ = add(WC_LISTVIEWW, "", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
                    LIST_ID, WS_EX_CLIENTEDGE);
        ListView_SetExtendedListViewStyle(
            list_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_GRIDLINES | LVS_EX_INFOTIP);
        const int widths[4] = {130, 300, 60, 200};
        for (int k = 0; k < 4; ++k) {
            std::wstring title = widen(STATES_COLUMNS[k]);
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
            column.fmt = k == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
            column.cx = px(widths[k]);
            column.pszText = title.data();
            column.iSubItem = k;
            ListView_InsertColumn(list_, k, &column);
        }
        fill();
        add(WC_EDITW, "",
            ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_HSCROLL | WS_VSCROLL |
                WS_TABSTOP,
            PREVIEW_ID, WS_EX_CLIENTEDGE, monoFont_);
        button(STATES_RESTORE, RESTORE_ID);
        button(
            "Schlie\xC3\x9F"
            "en",
            IDCANCEL);
        show(model_.selected);
    }

    void layout(int width, int height) override {
        const int m = px(10);
        const int buttons = placeButtons(width, height, {{RESTORE_ID, 130}});
        const int listHeight = (buttons - 3 * m) * 2 / 5;
        place(list_, m, m, width - 2 * m, listHeight);
        place(PREVIEW_ID, m, 2 * m + listHeight, width - 2 * m, buttons - 3 * m - listHeight);
    }

    void command(int id, int) override {
        if (id != RESTORE_ID) return;
        if (restoreState(p_, model_)) {
            PostMessageW(window_, WM_CLOSE, 0, 0);
            return;
        }
        keepOwnerDisabled();  // the question or the message gave the main window its input
    }

    LRESULT notify(const NMHDR& note) override {
        if (note.idFrom != LIST_ID) return 0;
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(note);
        if (note.code == LVN_ITEMCHANGED && (change.uNewState & LVIS_SELECTED) &&
            !(change.uOldState & LVIS_SELECTED) && change.iItem != model_.selected)
            show(change.iItem);
        if (note.code == LVN_GETINFOTIPW) tip(reinterpret_cast<const NMLVGETINFOTIPW&>(note));
        return 0;
    }

    void focusFirst() override {
        SetFocus(model_.rows.empty() ? GetDlgItem(window_, IDCANCEL) : list_);
    }

    void fill() {
        for (std::size_t i = 0; i < model_.rows.size(); ++i) {
            const StateRow& row = model_.rows[i];
            const std::string cells[4] = {row.time, row.players, row.games, row.totals};
            for (int k = 0; k < 4; ++k) {
                std::wstring text = widen(cells[k]);
                LVITEMW item{};
                item.mask = LVIF_TEXT;
                item.iItem = static_cast<int>(i);
                item.iSubItem = k;
                item.pszText = text.data();
                if (k == 0)
                    ListView_InsertItem(list_, &item);
                else
                    ListView_SetItem(list_, &item);
            }
        }
    }

    // Why a state cannot be loaded, as the tip of its row.
    void tip(const NMLVGETINFOTIPW& note) {
        auto& tip = const_cast<NMLVGETINFOTIPW&>(note);
        if (tip.iItem < 0 || static_cast<std::size_t>(tip.iItem) >= model_.rows.size() ||
            tip.cchTextMax <= 0)
            return;
        const std::wstring text = widen(model_.rows[static_cast<std::size_t>(tip.iItem)].problem);
        const std::size_t length =
            std::min(text.size(), static_cast<std::size_t>(tip.cchTextMax) - 1);
        text.copy(tip.pszText, length);
        tip.pszText[length] = L'\0';
    }

    void show(int index) {
        selectState(p_, model_, index);
        std::string text;
        for (const std::string& line : model_.preview)
            text += (text.empty() ? "" : "\n") + line;
        setText(PREVIEW_ID, text);
        EnableWindow(GetDlgItem(window_, RESTORE_ID), model_.canRestore());
        if (model_.selected >= 0)
            ListView_SetItemState(list_, model_.selected, LVIS_SELECTED | LVIS_FOCUSED,
                                  LVIS_SELECTED | LVIS_FOCUSED);
    }

    Program& p_;
    StatesWindow& model_;
    HWND list_ = nullptr;
};

}  // namespace

bool Win32Extras::showEarlierStates(Program& p, StatesWindow& model) {
    EarlierStatesWindow window(owner_, p, model);
    window.run(STATES_TITLE, 760, 560, 520, 360);
    return true;
}

}  // namespace kx::win
