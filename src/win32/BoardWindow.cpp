#include "BoardWindow.h"

#include <algorithm>

#include "core/Program.h"
#include "platform/WinText.h"

namespace kx::win {

namespace {

constexpr const wchar_t* BOARD_CLASS = L"KartotrixTafel";

Gdiplus::Color colour(const Rgb& c) {
    return Gdiplus::Color(255, static_cast<BYTE>(c.red), static_cast<BYTE>(c.green),
                          static_cast<BYTE>(c.blue));
}

const Gdiplus::Color BOARD_BACK(255, 0x1d, 0x2b, 0x36);
const Gdiplus::Color BOARD_INK(255, 0xf2, 0xf2, 0xea);

struct MonitorSearch {
    HMONITOR here;
    HMONITOR other = nullptr;
};

BOOL CALLBACK findOther(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto* search = reinterpret_cast<MonitorSearch*>(data);
    if (monitor != search->here) search->other = monitor;
    return TRUE;
}

// Text in one line, left or right in its box, cut with "…" when too long.
void text(Gdiplus::Graphics& g, const std::string& utf8, float size, bool bold,
          const Gdiplus::Color& ink, const Gdiplus::RectF& box, bool right = false) {
    const std::unique_ptr<Gdiplus::Font> font = sansFont(size, bold);
    if (!font) return;
    Gdiplus::StringFormat format;
    format.SetAlignment(right ? Gdiplus::StringAlignmentFar : Gdiplus::StringAlignmentNear);
    format.SetLineAlignment(Gdiplus::StringAlignmentCenter);
    format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
    format.SetFormatFlags(Gdiplus::StringFormatFlagsNoWrap);
    const Gdiplus::SolidBrush brush(ink);
    const std::wstring wide = widen(utf8);
    g.DrawString(wide.c_str(), static_cast<INT>(wide.size()), font.get(), box, &format, &brush);
}

}  // namespace

Win32Board::~Win32Board() {
    if (window_) DestroyWindow(window_);
}

void Win32Board::showBoard(Program& p) {
    if (!window_) {
        static bool registered = false;
        if (!registered) {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = windowProc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
            wc.lpszClassName = BOARD_CLASS;
            RegisterClassExW(&wc);
            registered = true;
        }
        if (!gdiPlus_) gdiPlus_ = std::make_unique<GdiPlusSession>();
        // The second monitor when there is one, else the main window's, on top.
        MonitorSearch search{MonitorFromWindow(main_, MONITOR_DEFAULTTONEAREST)};
        EnumDisplayMonitors(nullptr, nullptr, findOther, reinterpret_cast<LPARAM>(&search));
        const HMONITOR target = search.other ? search.other : search.here;
        MONITORINFO info{};
        info.cbSize = sizeof info;
        GetMonitorInfoW(target, &info);
        const RECT& r = info.rcMonitor;
        window_ =
            CreateWindowExW(search.other ? 0 : WS_EX_TOPMOST, BOARD_CLASS,
                            L"Kartotrix \u2013 Tafel", WS_POPUP, r.left, r.top, r.right - r.left,
                            r.bottom - r.top, nullptr, nullptr, GetModuleHandleW(nullptr), this);
        if (!window_) return;
    }
    boardChanged(p);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(window_);
}

void Win32Board::boardChanged(Program& p) {
    if (!window_) return;
    Board board = boardOf(p);
    const std::string& address = p.shell.phoneAddress;
    // Every change of the pad changes the board's totals or texts.
    if (board == board_ && address == address_) return;
    board_ = std::move(board);
    chart_ = scoreChart(p.pad);
    address_ = address;
    InvalidateRect(window_, nullptr, FALSE);
}

LRESULT CALLBACK Win32Board::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Board*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->window_) return DefWindowProcW(window, message, wParam, lParam);
    return self->onMessage(message, wParam, lParam);
}

LRESULT Win32Board::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                DestroyWindow(window_);
                return 0;
            }
            if (wParam == 'V' || wParam == VK_TAB) {
                showsChart_ = !showsChart_;
                InvalidateRect(window_, nullptr, FALSE);
                return 0;
            }
            break;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            const HDC dc = BeginPaint(window_, &ps);
            paint(dc);
            EndPaint(window_, &ps);
            return 0;
        }
        case WM_DESTROY:
            SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
            window_ = nullptr;
            board_ = Board{};
            address_.clear();
            if (main_) SetForegroundWindow(main_);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void Win32Board::paint(HDC dc) {
    RECT client;
    GetClientRect(window_, &client);
    const int width = client.right, height = client.bottom;
    // Drawn off screen first, so that nothing flickers while the pad changes.
    Gdiplus::Bitmap buffer(std::max(1, width), std::max(1, height), PixelFormat32bppARGB);
    {
        Gdiplus::Graphics g(&buffer);
        g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
        g.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
        if (showsChart_) {
            g.Clear(Gdiplus::Color(255, 255, 255, 255));
            paintScoreChart(g, width, height, chart_);
        } else {
            g.Clear(BOARD_BACK);
            paintBoard(g, width, height);
        }
    }
    Gdiplus::Graphics screen(dc);
    screen.DrawImage(&buffer, 0, 0);
}

void Win32Board::paintBoard(Gdiplus::Graphics& g, int w, int h) {
    const float margin = h / 30.0f;
    if (!board_.padOpen) {
        text(g, "Noch kein Block", h / 12.0f, true, BOARD_INK,
             Gdiplus::RectF(margin, 0, w - 2 * margin, static_cast<float>(h)));
        return;
    }
    const int n = static_cast<int>(board_.players.size());
    const float lineH = static_cast<float>(h) / (std::max(n, 4) + 5);
    const float codeSide = address_.empty() ? 0.0f : std::min(w / 4.0f, h / 2.0f);
    const float textRight = w - margin - (codeSide > 0 ? codeSide + margin : 0);
    const float textWidth = textRight - margin;
    float y = margin;
    text(g, board_.progress, lineH * 0.6f, true, BOARD_INK, {margin, y, textWidth, lineH});
    text(g, board_.bock, lineH * 0.6f, true, Gdiplus::Color(255, 0xff, 0xc0, 0x60),
         {margin, y, textWidth, lineH}, true);
    y += lineH;
    const Gdiplus::Color black(255, 0, 0, 0);
    for (const BoardPlayer& pl : board_.players) {
        const Gdiplus::SolidBrush band(colour(pl.colour));
        g.FillRectangle(&band, margin, y + lineH / 12, textWidth, lineH - lineH / 6);
        const float pad = lineH / 4;
        text(g, pl.place, lineH * 0.45f, false, black, {margin + pad, y, lineH, lineH});
        const float nameLeft = margin + pad + lineH;
        const float totalWidth = lineH * 1.8f;
        text(g, std::to_string(pl.total), lineH * 0.55f, true, black,
             {textRight - pad - totalWidth, y, totalWidth, lineH}, true);
        const float nameWidth = textRight - pad - totalWidth - nameLeft;
        text(g, pl.name, lineH * 0.5f, false, black, {nameLeft, y, nameWidth * 0.6f, lineH});
        text(g, pl.marks, lineH * 0.3f, false, Gdiplus::Color(255, 0x30, 0x30, 0x30),
             {nameLeft, y, nameWidth, lineH}, true);
        y += lineH;
    }
    y += lineH / 3;
    std::string deal = board_.dealer;
    if (!deal.empty() && !board_.sitsOut.empty()) deal += "   \xC2\xB7   ";
    text(g, deal + board_.sitsOut, lineH * 0.42f, false, BOARD_INK, {margin, y, textWidth, lineH});
    y += lineH;
    if (!board_.lastGame.empty())
        text(g, "Zuletzt: " + board_.lastGame, lineH * 0.42f, false, BOARD_INK,
             {margin, y, textWidth, lineH});
    if (codeSide > 0) {
        const float left = w - margin - codeSide;
        text(g, "Auf dem Handy:", codeSide / 16, false, BOARD_INK,
             {left, margin, codeSide, codeSide / 8});
        text(g, address_, codeSide / 22, false, BOARD_INK,
             {left, margin + codeSide / 8, codeSide, codeSide / 8});
    }
}

}  // namespace kx::win
