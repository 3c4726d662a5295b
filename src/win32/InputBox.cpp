#include "InputBox.h"

#include <vector>

#include "platform/WinText.h"

namespace kx::win {

namespace {

constexpr WORD PROMPT_ID = 100;
constexpr WORD ANSWER_ID = 101;
// Predefined window classes of dialog templates.
constexpr WORD BUTTON_CLASS = 0x0080;
constexpr WORD EDIT_CLASS = 0x0081;
constexpr WORD STATIC_CLASS = 0x0082;

// Writes a dialog template (DLGTEMPLATE and its DLGITEMTEMPLATEs) word by word.
class DialogTemplate {
  public:
    DialogTemplate(DWORD style, short width, short height, const wchar_t* font, WORD pointSize) {
        dword(style);
        dword(0);  // extended style
        count_ = words_.size();
        word(0);  // number of items, counted as they are added
        word(0);  // x
        word(0);  // y
        word(static_cast<WORD>(width));
        word(static_cast<WORD>(height));
        word(0);    // no menu
        word(0);    // the standard dialog class
        text(L"");  // the caption is set at run time
        word(pointSize);
        text(font);
    }

    void item(WORD windowClass, WORD id, DWORD style, short x, short y, short width, short height) {
        align();
        dword(style | WS_CHILD | WS_VISIBLE);
        dword(0);
        for (short v : {x, y, width, height})
            word(static_cast<WORD>(v));
        word(id);
        word(0xFFFF);
        word(windowClass);
        text(L"");  // texts are set at run time
        word(0);    // no creation data
        ++words_[count_];
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    void word(WORD w) { words_.push_back(w); }
    void dword(DWORD d) {
        word(LOWORD(d));
        word(HIWORD(d));
    }
    void text(const wchar_t* s) {
        do
            word(static_cast<WORD>(*s));
        while (*s++);
    }
    // Items start on a DWORD boundary.
    void align() {
        if (words_.size() % 2) word(0);
    }

    std::vector<WORD> words_;
    std::size_t count_ = 0;
};

struct InputBoxState {
    std::wstring caption, prompt, answer;
};

void centreOnOwner(HWND dialog) {
    const HWND owner = GetWindow(dialog, GW_OWNER);
    RECT outer{}, box{};
    if (!owner || !GetWindowRect(owner, &outer) || !GetWindowRect(dialog, &box)) return;
    const int width = box.right - box.left, height = box.bottom - box.top;
    SetWindowPos(dialog, nullptr, outer.left + (outer.right - outer.left - width) / 2,
                 outer.top + (outer.bottom - outer.top - height) / 3, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
}

INT_PTR CALLBACK inputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            state = reinterpret_cast<InputBoxState*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            SetWindowTextW(dialog, state->caption.c_str());
            SetDlgItemTextW(dialog, PROMPT_ID, state->prompt.c_str());
            SetDlgItemTextW(dialog, IDOK, L"OK");
            SetDlgItemTextW(dialog, IDCANCEL, L"Abbrechen");
            SendDlgItemMessageW(dialog, ANSWER_ID, EM_LIMITTEXT, 255, 0);
            centreOnOwner(dialog);
            SetFocus(GetDlgItem(dialog, ANSWER_ID));
            return FALSE;  // the focus is set
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                const HWND field = GetDlgItem(dialog, ANSWER_ID);
                std::wstring answer(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1,
                                    L'\0');
                answer.resize(static_cast<std::size_t>(
                    GetWindowTextW(field, answer.data(), static_cast<int>(answer.size()))));
                state->answer = answer;
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

}  // namespace

std::optional<std::string> runInputBox(HWND owner, const std::string& caption,
                                       const std::string& prompt) {
    // Sizes in dialog units of "MS Shell Dlg" 8.
    DialogTemplate box(DS_MODALFRAME | DS_SHELLFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, 230, 72,
                       L"MS Shell Dlg", 8);
    box.item(STATIC_CLASS, PROMPT_ID, SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, 7, 7, 216, 20);
    box.item(EDIT_CLASS, ANSWER_ID, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 7, 30, 216, 14);
    box.item(BUTTON_CLASS, IDOK, BS_DEFPUSHBUTTON | WS_TABSTOP, 119, 51, 50, 14);
    box.item(BUTTON_CLASS, IDCANCEL, BS_PUSHBUTTON | WS_TABSTOP, 173, 51, 50, 14);
    InputBoxState state{widen(caption), widen(prompt), {}};
    const INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), box.get(), owner,
                                                   inputBoxProc, reinterpret_cast<LPARAM>(&state));
    if (result != IDOK) return std::nullopt;
    return narrow(state.answer);
}

}  // namespace kx::win
