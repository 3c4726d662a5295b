// The Windows window "Hausregeln": one control per field of the logic's
// model, modal over the main window until "OK" has put the rules into the
// pad or "Abbrechen" closed it. The check boxes and choices show what the
// model holds; a click only tells the model.
#include <windows.h>
// commctrl.h needs windows.h before it.
#include <commctrl.h>

#include <string>
#include <vector>

#include "ExtrasWindow.h"
#include "ExtrasWindows.h"
#include "core/Program.h"
#include "platform/WinText.h"
#include "view/RulesWindow.h"

namespace kx::win {

namespace {

constexpr int FIRST_ID = 100;
constexpr int LIST_ROOM = 5 * 22;  // the open list below a list field, at 96 dpi

class HouseRulesWindow : public ExtrasWindow {
  public:
    HouseRulesWindow(HWND owner, Program& p, RulesWindowModel& model)
        : ExtrasWindow(owner), p_(p), model_(model) {}

  private:
    static int idOf(const ValueField& f, std::size_t index) {
        if (f.name == "ok") return IDOK;
        if (f.name == "abbrechen") return IDCANCEL;
        return FIRST_ID + static_cast<int>(index);
    }

    void build() override {
        const ValueWindowView view = rulesWindowView(p_, model_);
        for (std::size_t i = 0; i < view.fields.size(); ++i) {
            const ValueField& f = view.fields[i];
            const int id = idOf(f, i);
            switch (f.kind) {
                case FieldKind::Check:
                    add(L"BUTTON", f.text, BS_CHECKBOX | WS_TABSTOP, id);
                    break;
                case FieldKind::Choice:
                    add(L"BUTTON", f.text, BS_RADIOBUTTON | WS_TABSTOP, id);
                    break;
                case FieldKind::List: {
                    const HWND list =
                        add(L"COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, id);
                    for (const std::string& item : f.items)
                        SendMessageW(list, CB_ADDSTRING, 0,
                                     reinterpret_cast<LPARAM>(widen(item).c_str()));
                    break;
                }
                case FieldKind::Text:
                    add(WC_EDITW, "", ES_MULTILINE | ES_READONLY | WS_VSCROLL, id,
                        WS_EX_CLIENTEDGE);
                    break;
                case FieldKind::Button:
                    button(f.text, id);
                    break;
                default:
                    add(L"STATIC", f.text,
                        SS_NOPREFIX | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_ENDELLIPSIS, id);
                    break;
            }
            ids_.push_back(id);
        }
        mirror();
    }

    void layout(int, int) override {
        const ValueWindowView view = rulesWindowView(p_, model_);
        for (std::size_t i = 0; i < view.fields.size() && i < ids_.size(); ++i) {
            const Rect& r = view.fields[i].rect;
            const int room = view.fields[i].kind == FieldKind::List ? LIST_ROOM : 0;
            place(ids_[i], px(r.left), px(r.top), px(r.width), px(r.height + room));
        }
    }

    void command(int id, int code) override {
        const ValueWindowView view = rulesWindowView(p_, model_);
        if (id == IDOK) {
            if (code != BN_CLICKED) return;
            if (rulesWindowOk(p_, model_)) {
                PostMessageW(window_, WM_CLOSE, 0, 0);
                return;
            }
            keepOwnerDisabled();  // the question gave the main window its input
            return;
        }
        const std::size_t index = static_cast<std::size_t>(id - FIRST_ID);
        if (id < FIRST_ID || index >= view.fields.size()) return;
        const ValueField& f = view.fields[index];
        if (f.kind == FieldKind::List) {
            if (code != CBN_SELCHANGE) return;
            rulesWindowInput(
                model_, f.name,
                static_cast<int>(SendMessageW(GetDlgItem(window_, id), CB_GETCURSEL, 0, 0)));
        } else if (f.kind == FieldKind::Check || f.kind == FieldKind::Choice) {
            if (code != BN_CLICKED) return;
            rulesWindowInput(model_, f.name, f.kind == FieldKind::Check ? !f.value : 1);
        }
        mirror();
    }

    void focusFirst() override { SetFocus(GetDlgItem(window_, FIRST_ID + 2)); }

    void mirror() {
        const ValueWindowView view = rulesWindowView(p_, model_);
        for (std::size_t i = 0; i < view.fields.size() && i < ids_.size(); ++i) {
            const ValueField& f = view.fields[i];
            const HWND control = GetDlgItem(window_, ids_[i]);
            EnableWindow(control, f.enabled);
            ShowWindow(control, f.visible ? SW_SHOWNA : SW_HIDE);
            switch (f.kind) {
                case FieldKind::Check:
                case FieldKind::Choice:
                    SendMessageW(control, BM_SETCHECK, f.value ? BST_CHECKED : BST_UNCHECKED, 0);
                    break;
                case FieldKind::List:
                    SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(f.value), 0);
                    break;
                case FieldKind::Label:
                case FieldKind::Text:
                    setText(ids_[i], f.text);
                    break;
                default:
                    break;
            }
        }
    }

    Program& p_;
    RulesWindowModel& model_;
    std::vector<int> ids_;
};

}  // namespace

bool Win32Extras::showHouseRules(Program& p, RulesWindowModel& model) {
    const ValueWindowView view = rulesWindowView(p, model);
    HouseRulesWindow window(owner_, p, model);
    window.run(RULES_WINDOW_TITLE, view.width, view.height, view.width, view.height);
    return true;
}

}  // namespace kx::win
