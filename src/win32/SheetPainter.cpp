#include "SheetPainter.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "platform/WinText.h"

namespace kx::win {

namespace {

constexpr double MARGIN_SIDE = 15, MARGIN_TOP = 13, MARGIN_BOTTOM = 12;  // millimetres
constexpr double LABEL_W = 11, PLAYERS_W = 17, POINTS_W = 12, PLAYER_MAX_W = 28;
constexpr double JOURNAL_LINE_MM = 4.8;
constexpr double RULES_LINE_MM = 3.6;
constexpr COLORREF INK = RGB(25, 25, 25), SOFT = RGB(110, 110, 110), RULE = RGB(200, 208, 216),
                   HEADING = RGB(31, 58, 95);

int whole(double v) {
    return static_cast<int>(std::lround(v));
}

struct Box {
    double left, top, width, height;
    RECT rect() const {
        return {whole(left), whole(top), whole(left + width), whole(top + height)};
    }
};

// Millimetres, points, pens, fonts and text on the sheet's device.
class Sheet {
  public:
    Sheet(HDC dc, int dpi) : dc_(dc), dpi_(dpi) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            face_ = metrics.lfMessageFont.lfFaceName;
        SetBkMode(dc_, TRANSPARENT);
        SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    }
    ~Sheet() {
        SelectObject(dc_, GetStockObject(SYSTEM_FONT));
        SelectObject(dc_, GetStockObject(BLACK_PEN));
        if (font_) DeleteObject(font_);
        if (pen_) DeleteObject(pen_);
    }
    Sheet(const Sheet&) = delete;
    Sheet& operator=(const Sheet&) = delete;

    double mm(double v) const { return v * dpi_ / 25.4; }

    void font(double points, bool bold = false, bool mono = false) {
        HFONT next = CreateFontW(-whole(points * dpi_ / 72.0), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL,
                                 FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                                 mono ? FIXED_PITCH | FF_MODERN : VARIABLE_PITCH | FF_SWISS,
                                 mono ? L"Consolas" : face_.c_str());
        SelectObject(dc_, next);
        if (font_) DeleteObject(font_);
        font_ = next;
    }
    void colour(COLORREF c) { SetTextColor(dc_, c); }
    void line(double x1, double y1, double x2, double y2, COLORREF c, double widthMm) {
        LOGBRUSH brush{BS_SOLID, c, 0};
        HPEN next = ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_FLAT,
                                 std::max(1, whole(mm(widthMm))), &brush, 0, nullptr);
        SelectObject(dc_, next);
        if (pen_) DeleteObject(pen_);
        pen_ = next;
        MoveToEx(dc_, whole(x1), whole(y1), nullptr);
        LineTo(dc_, whole(x2), whole(y2));
    }
    void fill(const Box& box, COLORREF c) {
        const RECT r = box.rect();
        HBRUSH brush = CreateSolidBrush(c);
        FillRect(dc_, &r, brush);
        DeleteObject(brush);
    }
    // One line in a box; too long a text ends with "…".
    void text(const Box& box, const std::string& utf8, UINT align) {
        RECT r = box.rect();
        std::wstring wide = widen(utf8);
        DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &r,
                  align | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    void wrapped(const Box& box, const std::string& utf8) {
        RECT r = box.rect();
        std::wstring wide = widen(utf8);
        DrawTextW(dc_, wide.data(), static_cast<int>(wide.size()), &r,
                  DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    }

  private:
    HDC dc_;
    int dpi_;
    std::wstring face_ = L"Arial";
    HFONT font_ = nullptr;
    HPEN pen_ = nullptr;
};

// Where the table's columns lie, left to right.
struct Columns {
    double left, label, players, points, player;
    double playerLeft(std::size_t k) const {
        return left + label + players + points + static_cast<double>(k) * player;
    }
    double right(std::size_t n) const { return playerLeft(n); }
};

constexpr UINT CENTRE = DT_CENTER | DT_VCENTER;

// The title, and the date on a line of its own below it: the table of a
// four-player pad is too narrow for both side by side.
double paintHeading(Sheet& s, const Box& area, const std::string& title, const PadSheet& sheet) {
    s.colour(HEADING);
    s.font(17, true);
    s.text({area.left, area.top, area.width, s.mm(9)}, title, DT_LEFT | DT_BOTTOM);
    s.colour(INK);
    s.font(10.5);
    s.text({area.left, area.top + s.mm(9.5), area.width, s.mm(5)}, sheet.date,
           DT_LEFT | DT_VCENTER);
    return area.top + s.mm(17);
}

double paintNames(Sheet& s, const Columns& c, double top, const PadSheet& sheet) {
    const double h = s.mm(7);
    s.colour(HEADING);
    s.font(9.5, true);
    s.text({c.left + c.label, top, c.players, h}, "Sp", CENTRE);
    s.text({c.left + c.label + c.players, top, c.points, h}, "Pk", CENTRE);
    s.colour(INK);
    s.font(10, true);
    for (std::size_t k = 0; k < sheet.names.size(); ++k)
        s.text({c.playerLeft(k) + s.mm(1), top, c.player - s.mm(2), h}, sheet.names[k], CENTRE);
    s.line(c.left, top + h, c.right(sheet.names.size()), top + h, INK, 0.5);
    return top + h;
}

double paintRows(Sheet& s, const Columns& c, double top, double rowH, const PadSheet& sheet) {
    const std::size_t n = sheet.names.size();
    const double pad = s.mm(1.6);
    s.font(std::min(10.0, rowH / s.mm(1) * 1.75));
    for (const SheetRow& row : sheet.rows) {
        s.colour(SOFT);
        s.text({c.left, top, c.label, rowH}, row.label, CENTRE);
        s.colour(INK);
        s.text({c.left + c.label, top, c.players, rowH}, row.players, CENTRE);
        s.text({c.left + c.label + c.players, top, c.points, rowH}, row.points, CENTRE);
        for (std::size_t k = 0; k < n; ++k) {
            const bool sitOut = row.cells[k] == "xxx";
            s.colour(sitOut ? SOFT : INK);
            s.text({c.playerLeft(k), top, c.player - pad, rowH}, row.cells[k],
                   (sitOut ? DT_CENTER : DT_RIGHT) | DT_VCENTER);
        }
        top += rowH;
        if (row.blockEnd)
            s.line(c.left, top, c.right(n), top, INK, 0.35);
        else
            s.line(c.left, top, c.right(n), top, RULE, 0.15);
    }
    return top;
}

double paintTotals(Sheet& s, const Columns& c, double top, const PadSheet& sheet) {
    const std::size_t n = sheet.names.size();
    const double h = s.mm(7.5);
    top += s.mm(0.8);
    s.line(c.left, top, c.right(n), top, INK, 0.5);
    s.font(10.5, true);
    s.colour(INK);
    s.text({c.left, top, c.label + c.players + c.points - s.mm(2), h}, "Summe",
           DT_RIGHT | DT_VCENTER);
    for (std::size_t k = 0; k < n; ++k) {
        const Rgb& colour = sheet.totalColours[k];
        const Box cell{c.playerLeft(k) + s.mm(0.4), top + s.mm(0.6), c.player - s.mm(0.8),
                       h - s.mm(1.2)};
        s.fill(cell, RGB(colour.red, colour.green, colour.blue));
        s.text({cell.left, cell.top, cell.width - s.mm(1.2), cell.height}, sheet.totals[k],
               DT_RIGHT | DT_VCENTER);
        if (k < sheet.places.size())
            s.text({cell.left + s.mm(1.2), cell.top, cell.width - s.mm(1.2), cell.height},
                   sheet.places[k], DT_LEFT | DT_VCENTER);
    }
    top += h;
    s.font(10);
    s.text({c.left, top + s.mm(1), c.right(n) - c.left, s.mm(6)}, sheet.turnover,
           DT_RIGHT | DT_VCENTER);
    return top + s.mm(8);
}

void paintSettlement(Sheet& s, double left, double width, double top, const PadSheet& sheet) {
    const SettlementReport& report = sheet.settlement;
    const double line = s.mm(4.8);
    s.line(left, top, left + width, top, RULE, 0.2);
    top += s.mm(2.5);
    s.colour(HEADING);
    s.font(11, true);
    s.text({left, top, width, line}, report.error.empty() ? report.heading() : "Abrechnung",
           DT_LEFT | DT_VCENTER);
    top += line + s.mm(1);
    s.colour(INK);
    if (!report.error.empty()) {
        s.font(9.5);
        s.wrapped({left, top, width, 3 * line}, report.error);
        return;
    }
    s.font(9.5, false, true);
    const std::vector<std::string> balances = report.balanceLines();
    for (std::size_t i = 0; i < balances.size(); ++i)
        s.text({left, top + static_cast<double>(i) * line, width / 2, line}, balances[i],
               DT_LEFT | DT_VCENTER);
    s.font(10);
    const std::vector<std::string> transfers = report.transferLines();
    for (std::size_t i = 0; i < transfers.size(); ++i)
        s.text({left + width / 2, top + static_cast<double>(i) * line, width / 2, line},
               transfers[i], DT_LEFT | DT_VCENTER);
}

// Height of the settlement block, so that the rows can take the rest.
double settlementHeight(const Sheet& s, const PadSheet& sheet) {
    const std::size_t lines =
        sheet.settlement.error.empty()
            ? std::max(sheet.settlement.names.size(), sheet.settlement.transferLines().size())
            : 3;
    return s.mm(2.5 + 5.8 + 4.8 * static_cast<double>(lines));
}

// White paper; returns the area within the margins.
Box paperArea(Sheet& s, const RECT& page) {
    s.fill(
        {static_cast<double>(page.left), static_cast<double>(page.top),
         static_cast<double>(page.right - page.left), static_cast<double>(page.bottom - page.top)},
        RGB(255, 255, 255));
    return {page.left + s.mm(MARGIN_SIDE), page.top + s.mm(MARGIN_TOP),
            page.right - page.left - 2 * s.mm(MARGIN_SIDE),
            page.bottom - page.top - s.mm(MARGIN_TOP) - s.mm(MARGIN_BOTTOM)};
}

void paintFooter(Sheet& s, const Box& area, double height, const PadSheet& sheet) {
    s.colour(SOFT);
    s.font(7.5);
    s.text({area.left, area.top + area.height - height, area.width, height}, sheet.footer,
           DT_LEFT | DT_BOTTOM);
}

// The house rules, one small line each, just above the footer of height `footer`.
void paintRules(Sheet& s, const Box& area, double footer, const PadSheet& sheet) {
    s.colour(INK);
    s.font(7.5);
    double top = area.top + area.height - footer;
    for (const std::string& line : sheet.rules) {
        s.text({area.left, top, area.width, s.mm(RULES_LINE_MM)}, line, DT_LEFT | DT_VCENTER);
        top += s.mm(RULES_LINE_MM);
    }
}

// One page of the print job: the whole paper, whose origin the device puts
// at the corner of its printable area.
bool printPage(HDC dc, const std::function<void(const RECT&)>& paint) {
    if (StartPage(dc) <= 0) return false;
    const int offsetX = GetDeviceCaps(dc, PHYSICALOFFSETX);
    const int offsetY = GetDeviceCaps(dc, PHYSICALOFFSETY);
    SetViewportOrgEx(dc, -offsetX, -offsetY, nullptr);
    paint({0, 0, GetDeviceCaps(dc, PHYSICALWIDTH), GetDeviceCaps(dc, PHYSICALHEIGHT)});
    return EndPage(dc) > 0;
}

}  // namespace

void paintSheet(HDC dc, const RECT& page, int dpi, const PadSheet& sheet) {
    Sheet s(dc, dpi);
    const Box area = paperArea(s, page);
    const double bottom = area.top + area.height;
    const std::size_t n = std::max<std::size_t>(1, sheet.names.size());
    const double fixed = s.mm(LABEL_W + PLAYERS_W + POINTS_W);
    const double player =
        std::min(s.mm(PLAYER_MAX_W), (area.width - fixed) / static_cast<double>(n));
    const double tableWidth = fixed + player * static_cast<double>(n);
    const Columns c{area.left + (area.width - tableWidth) / 2, s.mm(LABEL_W), s.mm(PLAYERS_W),
                    s.mm(POINTS_W), player};
    const double tableRight = c.right(sheet.names.size());

    // The heading spans the table, which stands centred on narrower tables.
    double top =
        paintHeading(s, {c.left, area.top, tableRight - c.left, area.height}, sheet.title, sheet);
    const double namesTop = top;
    top = paintNames(s, c, top, sheet);
    const double footer = s.mm(6);
    const double rules = s.mm(RULES_LINE_MM) * static_cast<double>(sheet.rules.size());
    const double gap = sheet.rules.empty() ? 0 : s.mm(3);  // between settlement and rules
    const double rest = bottom - top - s.mm(17) - settlementHeight(s, sheet) - footer - rules - gap;
    const double rowH =
        std::clamp(rest / static_cast<double>(std::max<std::size_t>(1, sheet.rows.size())), s.mm(4),
                   s.mm(6.5));
    const double rowsEnd = paintRows(s, c, top, rowH, sheet);
    // Column rules from the names down to the totals.
    for (std::size_t k = 0; k <= sheet.names.size(); ++k)
        s.line(c.playerLeft(k), namesTop + s.mm(1), c.playerLeft(k), rowsEnd, RULE, 0.15);
    s.line(c.left + c.label, namesTop + s.mm(1), c.left + c.label, rowsEnd, RULE, 0.15);
    s.line(c.left + c.label + c.players, namesTop + s.mm(1), c.left + c.label + c.players, rowsEnd,
           RULE, 0.15);
    top = paintTotals(s, c, rowsEnd, sheet);
    paintSettlement(s, c.left, tableRight - c.left, top, sheet);
    paintRules(s, area, footer + rules, sheet);
    paintFooter(s, area, footer, sheet);
}

void paintJournalPage(HDC dc, const RECT& page, int dpi, const PadSheet& sheet,
                      const SheetPage& journal) {
    Sheet s(dc, dpi);
    const Box area = paperArea(s, page);
    double top = paintHeading(s, area, journal.title, sheet);
    s.line(area.left, top - s.mm(2), area.left + area.width, top - s.mm(2), RULE, 0.2);
    s.colour(INK);
    s.font(9.5);
    const double line = s.mm(JOURNAL_LINE_MM);
    for (const std::string& entry : journal.lines) {
        s.text({area.left, top, area.width, line}, entry, DT_LEFT | DT_VCENTER);
        top += line;
    }
    paintFooter(s, area, s.mm(6), sheet);
}

PrintResult printSheet(HWND owner, const PadSheet& sheet) {
    // The default printer's settings first, set to A4 portrait, then the dialog.
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    // Without a printer Windows would warn in its own words; the caller says it in German.
    dialog.Flags = PD_RETURNDEFAULT | PD_NOWARNING;
    if (!PrintDlgW(&dialog)) {
        const DWORD error = CommDlgExtendedError();
        if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES) return PrintResult::NoPrinter;
    }
    if (dialog.hDevMode) {
        if (auto* mode = static_cast<DEVMODEW*>(GlobalLock(dialog.hDevMode))) {
            mode->dmFields |= DM_PAPERSIZE | DM_ORIENTATION;
            mode->dmPaperSize = DMPAPER_A4;
            mode->dmOrientation = DMORIENT_PORTRAIT;
            GlobalUnlock(dialog.hDevMode);
        }
    }
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIESANDCOLLATE;
    const BOOL chosen = PrintDlgW(&dialog);
    const DWORD error = chosen ? 0 : CommDlgExtendedError();
    if (dialog.hDevMode) GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames) GlobalFree(dialog.hDevNames);
    if (!chosen) {
        if (error == 0) return PrintResult::Cancelled;
        return error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES ? PrintResult::NoPrinter
                                                                       : PrintResult::Failed;
    }
    const HDC dc = dialog.hDC;
    const std::wstring name = widen(sheet.title);
    DOCINFOW document{};
    document.cbSize = sizeof document;
    document.lpszDocName = name.c_str();
    bool printed = StartDocW(dc, &document) > 0;
    if (printed) {
        const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
        printed = printPage(dc, [&](const RECT& paper) { paintSheet(dc, paper, dpi, sheet); });
        for (std::size_t k = 0; printed && k < sheet.journalPages.size(); ++k)
            printed = printPage(dc, [&](const RECT& paper) {
                paintJournalPage(dc, paper, dpi, sheet, sheet.journalPages[k]);
            });
        if (printed)
            printed = EndDoc(dc) > 0;
        else
            AbortDoc(dc);
    }
    DeleteDC(dc);
    return printed ? PrintResult::Printed : PrintResult::Failed;
}

}  // namespace kx::win
