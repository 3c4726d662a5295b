#include "ExtrasWindows.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "ChartPainter.h"
#include "ExtrasWindow.h"
#include "SheetPainter.h"
#include "core/Program.h"
#include "io/Statistics.h"
#include "platform/WinText.h"
#include "view/PadSheet.h"
#include "view/ScoreChart.h"

namespace kx::win {

namespace {

constexpr int COPY_ID = 100, SAVE_ID = 101, RATE_ID = 102, SPIN_ID = 103, TEXT_ID = 104,
              LIST_ID = 105, SEATS_ID = 106;

// The settlement: the rate in cents per point, the report and "Kopieren".
class SettlementWindow : public ExtrasWindow {
  public:
    SettlementWindow(HWND owner, Program& p) : ExtrasWindow(owner), p_(p) {}

  private:
    void build() override {
        label_ = add(L"STATIC", "Wert eines Punktes:", SS_NOPREFIX | SS_CENTERIMAGE);
        rate_ = add(WC_EDITW, std::to_string(p_.shell.centsPerPoint),
                    ES_NUMBER | ES_RIGHT | WS_TABSTOP, RATE_ID, WS_EX_CLIENTEDGE);
        SendMessageW(rate_, EM_LIMITTEXT, 4, 0);
        spin_ = add(UPDOWN_CLASSW, "",
                    UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS | UDS_NOTHOUSANDS, SPIN_ID);
        SendMessageW(spin_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(rate_), 0);
        SendMessageW(spin_, UDM_SETRANGE32, 1, MAX_CENTS_PER_POINT);
        SendMessageW(spin_, UDM_SETPOS32, 0, p_.shell.centsPerPoint);
        unit_ = add(L"STATIC", "ct", SS_NOPREFIX | SS_CENTERIMAGE);
        add(WC_EDITW, "",
            ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
            TEXT_ID, WS_EX_CLIENTEDGE, monoFont_);
        button("Kopieren", COPY_ID);
        button(
            "Schlie\xC3\x9F"
            "en",
            IDCANCEL);
        show();
    }

    void layout(int width, int height) override {
        const int m = px(10), row = px(24);
        place(label_, m, m, px(130), row);
        place(rate_, m + px(134), m, px(70), row);
        SendMessageW(spin_, UDM_SETBUDDY, reinterpret_cast<WPARAM>(rate_), 0);  // sits at its right
        place(unit_, m + px(210), m, px(40), row);
        const int buttons = placeButtons(width, height, {{COPY_ID, 96}});
        place(TEXT_ID, m, m + row + px(8), width - 2 * m, buttons - px(8) - (m + row + px(8)));
    }

    void command(int id, int code) override {
        if (id == RATE_ID && code == EN_CHANGE) show();
        if (id == COPY_ID && !copyToClipboard(window_, shown_))
            MessageBoxW(window_, L"Der Text konnte nicht in die Zwischenablage kopiert werden.",
                        L"Abrechnung", MB_OK | MB_ICONWARNING);
    }

    void focusFirst() override { SetFocus(rate_); }

    // The report for the rate in the field, kept for the pad; a rate that is
    // no whole number of cents in range is named and the last one stays.
    void show() {
        std::wstring typed(16, L'\0');
        typed.resize(static_cast<std::size_t>(
            GetWindowTextW(rate_, typed.data(), static_cast<int>(typed.size()))));
        const std::optional<int> cents = parseCentsPerPoint(narrow(typed));
        if (!cents) {
            shown_.clear();
            const std::string range = "(1 bis " + std::to_string(MAX_CENTS_PER_POINT) + ").";
            setText(TEXT_ID, typed.empty()
                                 ? "Bitte den Wert eines Punktes in Cent eingeben " + range
                                 : "\xE2\x80\x9E" + narrow(typed) +
                                       "\xE2\x80\x9C ist kein Betrag in Cent je Punkt " + range);
        } else {
            p_.shell.centsPerPoint = *cents;
            shown_ = settlementReport(playerNames(p_), overallScores(p_), *cents).text();
            setText(TEXT_ID, shown_);
        }
        EnableWindow(GetDlgItem(window_, COPY_ID), !shown_.empty());
    }

    Program& p_;
    HWND label_ = nullptr, rate_ = nullptr, spin_ = nullptr, unit_ = nullptr;
    std::string shown_;
};

// The chart, drawn as the PNG file is, and "Als Bild speichern…".
class ChartWindow : public ExtrasWindow {
  public:
    ChartWindow(HWND owner, Program& p, ScoreChart chart)
        : ExtrasWindow(owner), p_(p), chart_(std::move(chart)) {}

  private:
    void build() override {
        button("Als Bild speichern\xE2\x80\xA6", SAVE_ID);
        button(
            "Schlie\xC3\x9F"
            "en",
            IDCANCEL);
    }

    void layout(int width, int height) override {
        buttonsTop_ = placeButtons(width, height, {{SAVE_ID, 150}});
        InvalidateRect(window_, nullptr, FALSE);
    }

    // Drawn at 96 dpi and scaled, through a bitmap so that resizing does not flicker.
    bool paint(HDC dc, const RECT& client) override {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        const int m = px(10);
        const int width = client.right - 2 * m, height = buttonsTop_ - px(10) - m;
        if (width <= 0 || height <= 0 || !gdiPlus_.started()) return true;
        const HDC memory = CreateCompatibleDC(dc);
        const HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
        const HGDIOBJ old = SelectObject(memory, bitmap);
        {
            Gdiplus::Graphics graphics(memory);
            const float scale = static_cast<float>(dpi_) / 96.0f;
            graphics.ScaleTransform(scale, scale);
            paintScoreChart(graphics, static_cast<int>(static_cast<float>(width) / scale),
                            static_cast<int>(static_cast<float>(height) / scale), chart_);
        }
        BitBlt(dc, m, m, width, height, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        return true;
    }

    void command(int id, int) override {
        if (id != SAVE_ID) return;
        const std::optional<Bytes> png = chartPng(chart_);
        if (!png) {
            MessageBoxW(window_, L"Fehler beim Bildexport. Das Bild konnte nicht erstellt werden.",
                        L"Kartotrix", MB_OK | MB_ICONWARNING);
            return;
        }
        saveExtrasFile(p_, "Bildexport", "verlauf.png", "PNG-Bild", "png", *png);
        keepOwnerDisabled();
    }

    Program& p_;
    ScoreChart chart_;
    GdiPlusSession gdiPlus_;
    int buttonsTop_ = 0;
};

// Names as a German reader sorts them: "Cäcilie" before "Carla", case aside.
int germanOrder(const std::string& a, const std::string& b) {
    const std::wstring x = widen(a), y = widen(b);
    const int result =
        CompareStringEx(L"de-DE", LINGUISTIC_IGNORECASE, x.c_str(), static_cast<int>(x.size()),
                        y.c_str(), static_cast<int>(y.size()), nullptr, nullptr, 0);
    if (result == 0) return foldedName(a).compare(foldedName(b));
    return result - CSTR_EQUAL;
}

std::string signedText(long long v) {
    return v > 0 ? "+" + std::to_string(v) : std::to_string(v);
}

// The statistics in a table that sorts by the column whose header is clicked;
// below it, apart, the seats that kept their default name.
class StatisticsWindow : public ExtrasWindow {
  public:
    StatisticsWindow(HWND owner, const Statistics& statistics)
        : ExtrasWindow(owner), statistics_(statistics) {
        for (const PlayerStatistics& s : statistics.players)
            rows_.push_back(&s);
    }

  private:
    // The last column, the points without Bock, only where there was Bock.
    static constexpr int COLUMNS = 9;
    int columns() const { return statistics_.bock ? COLUMNS : COLUMNS - 1; }

    void build() override {
        heading_ = add(L"STATIC",
                       std::to_string(statistics_.evenings) +
                           (statistics_.evenings == 1 ? " Abend" : " Abende") +
                           " aus \xE2\x80\x9E" + statistics_.folder + "\xE2\x80\x9C",
                       SS_NOPREFIX | SS_ENDELLIPSIS, 0, 0, boldFont_);
        list_ = table(LIST_ID);
        if (!statistics_.seats.empty()) {
            seatsLabel_ = add(L"STATIC", SEATS_HEADING, SS_NOPREFIX);
            seatList_ = table(SEATS_ID);
            fill(seatList_, seatRows());
        }
        if (!statistics_.skipped.empty()) {
            skippedLabel_ =
                add(L"STATIC",
                    "Nicht gez\xC3\xA4hlt (" + std::to_string(statistics_.skipped.size()) + "):",
                    SS_NOPREFIX);
            std::string lines;
            for (const SkippedPad& pad : statistics_.skipped)
                lines += (lines.empty() ? "" : "\n") + pad.file + ": " + pad.reason;
            add(WC_EDITW, "",
                ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_HSCROLL |
                    WS_VSCROLL | WS_TABSTOP,
                TEXT_ID, WS_EX_CLIENTEDGE, monoFont_);
            setText(TEXT_ID, lines);
        }
        button("Kopieren", COPY_ID);
        button(
            "Schlie\xC3\x9F"
            "en",
            IDCANCEL);
        sortBy(3, true);  // by points, best first
    }

    void layout(int width, int height) override {
        const int m = px(10), line = px(20);
        const int buttons = placeButtons(width, height, {{COPY_ID, 96}});
        place(heading_, m, m, width - 2 * m, line);
        int bottom = buttons - px(8);
        if (skippedLabel_) {
            place(TEXT_ID, m, bottom - px(96), width - 2 * m, px(96));
            place(skippedLabel_, m, bottom - px(96) - line, width - 2 * m, line);
            bottom -= px(96) + line + px(4);
        }
        if (seatList_) {
            const int rows = static_cast<int>(statistics_.seats.size());
            const int height = px(28 + 19 * rows);
            place(seatList_, m, bottom - height, width - 2 * m, height);
            place(seatsLabel_, m, bottom - height - line, width - 2 * m, line);
            bottom -= height + line + px(4);
        }
        const int top = m + line + px(6);
        place(list_, m, top, width - 2 * m, std::max(px(40), bottom - top));
    }

    void command(int id, int) override {
        if (id == COPY_ID && !copyToClipboard(window_, statisticsText(statistics_)))
            MessageBoxW(window_, L"Der Text konnte nicht in die Zwischenablage kopiert werden.",
                        L"Statistik", MB_OK | MB_ICONWARNING);
    }

    LRESULT notify(const NMHDR& note) override {
        if (note.idFrom == LIST_ID && note.code == LVN_COLUMNCLICK) {
            const int column = reinterpret_cast<const NMLISTVIEW&>(note).iSubItem;
            // Another click on the same column turns the order round; a new
            // column starts with names from A and numbers from the highest.
            sortBy(column, column == column_ ? !descending_ : column != 0);
        }
        if ((note.idFrom == LIST_ID || note.idFrom == SEATS_ID) && note.code == LVN_GETINFOTIPW) {
            // The list gives one tip per row: which files the best and the
            // worst evening come from.
            auto& tip =
                const_cast<NMLVGETINFOTIPW&>(reinterpret_cast<const NMLVGETINFOTIPW&>(note));
            const std::vector<const PlayerStatistics*> seats = seatRows();
            const auto& rows = note.idFrom == SEATS_ID ? seats : rows_;
            if (tip.iItem >= 0 && static_cast<std::size_t>(tip.iItem) < rows.size() &&
                tip.cchTextMax > 0) {
                const PlayerStatistics& s = *rows[static_cast<std::size_t>(tip.iItem)];
                std::string text =
                    "Bester Abend: " + s.bestFile + "\nSchlechtester Abend: " + s.worstFile;
                const std::wstring wide = widen(text);
                const std::size_t room = static_cast<std::size_t>(tip.cchTextMax) - 1;
                const std::size_t length = std::min(wide.size(), room);
                wide.copy(tip.pszText, length);
                tip.pszText[length] = L'\0';
            }
        }
        return 0;
    }

    void focusFirst() override { SetFocus(list_); }

    static double perGame(const PlayerStatistics& s) {
        return s.games ? static_cast<double>(s.points) / s.games : 0;
    }
    static double number(const PlayerStatistics& s, int column) {
        switch (column) {
            case 1:
                return s.evenings;
            case 2:
                return s.won;
            case 3:
                return static_cast<double>(s.points);
            case 4:
                return s.games;
            case 5:
                return perGame(s);
            case 6:
                return s.best;
            case 8:
                return static_cast<double>(s.pointsWithoutBock);
            default:
                return s.worst;
        }
    }

    void sortBy(int column, bool descending) {
        column_ = column;
        descending_ = descending;
        // Ties keep the order of the statistics (by points).
        std::vector<const PlayerStatistics*> order;
        for (const PlayerStatistics& s : statistics_.players)
            order.push_back(&s);
        std::stable_sort(order.begin(), order.end(), [&](const auto* a, const auto* b) {
            if (column == 0) {
                const int order = germanOrder(a->name, b->name);
                return descending ? order > 0 : order < 0;
            }
            return descending ? number(*b, column) < number(*a, column)
                              : number(*a, column) < number(*b, column);
        });
        rows_ = order;
        fill(list_, rows_);
        const HWND header = ListView_GetHeader(list_);
        for (int k = 0; k < columns(); ++k) {
            HDITEMW item{};
            item.mask = HDI_FORMAT;
            Header_GetItem(header, k, &item);
            item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
            if (k == column) item.fmt |= descending ? HDF_SORTDOWN : HDF_SORTUP;
            Header_SetItem(header, k, &item);
        }
    }

    // A list with the statistics' columns.
    HWND table(int id) {
        const HWND list =
            add(WC_LISTVIEWW, "", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, id,
                WS_EX_CLIENTEDGE);
        ListView_SetExtendedListViewStyle(
            list, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_GRIDLINES | LVS_EX_INFOTIP);
        const char* titles[COLUMNS] = {"Spieler",
                                       "Abende",
                                       "gewonnen",
                                       "Punkte",
                                       "Spiele",
                                       "je Spiel",
                                       "bester Abend",
                                       "schlechtester Abend",
                                       WITHOUT_BOCK_HEADING};
        const int widths[COLUMNS] = {170, 80, 92, 80, 76, 84, 112, 154, 90};
        for (int k = 0; k < columns(); ++k) {
            std::wstring title = widen(titles[k]);
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
            column.fmt = k == 0 ? LVCFMT_LEFT : LVCFMT_RIGHT;
            column.cx = px(widths[k]);
            column.pszText = title.data();
            column.iSubItem = k;
            ListView_InsertColumn(list, k, &column);
        }
        return list;
    }

    std::vector<const PlayerStatistics*> seatRows() const {
        std::vector<const PlayerStatistics*> rows;
        for (const PlayerStatistics& s : statistics_.seats)
            rows.push_back(&s);
        return rows;
    }

    void fill(HWND list, const std::vector<const PlayerStatistics*>& rows) const {
        SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        ListView_DeleteAllItems(list);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const PlayerStatistics& s = *rows[i];
            const std::string cells[COLUMNS] = {s.name,
                                                std::to_string(s.evenings),
                                                std::to_string(s.won),
                                                signedText(s.points),
                                                std::to_string(s.games),
                                                s.pointsPerGame(),
                                                signedText(s.best),
                                                signedText(s.worst),
                                                signedText(s.pointsWithoutBock)};
            for (int k = 0; k < columns(); ++k) {
                std::wstring textOfCell = widen(cells[k]);
                LVITEMW item{};
                item.mask = LVIF_TEXT;
                item.iItem = static_cast<int>(i);
                item.iSubItem = k;
                item.pszText = textOfCell.data();
                if (k == 0)
                    ListView_InsertItem(list, &item);
                else
                    ListView_SetItem(list, &item);
            }
        }
        SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
    }

    const Statistics& statistics_;
    std::vector<const PlayerStatistics*> rows_;
    HWND heading_ = nullptr, list_ = nullptr, seatsLabel_ = nullptr, seatList_ = nullptr,
         skippedLabel_ = nullptr;
    int column_ = -1;
    bool descending_ = false;
};

}  // namespace

bool Win32Extras::showSettlement(Program& p) {
    SettlementWindow window(owner_, p);
    window.run("Abrechnung", 480, 110 + 18 * (2 * p.pad.playerCount + 6), 340, 260);
    return true;
}

bool Win32Extras::showChart(Program& p, const ScoreChart& chart) {
    ChartWindow window(owner_, p, chart);
    window.run("Verlauf", 960, 600, 580, 420);
    return true;
}

bool Win32Extras::printSheet(const PadSheet& sheet) {
    switch (kx::win::printSheet(owner_, sheet)) {
        case PrintResult::NoPrinter:
            MessageBoxW(owner_,
                        L"Es ist kein Drucker eingerichtet. Bitte in den Windows-Einstellungen "
                        L"einen Drucker hinzuf\u00fcgen.",
                        L"Drucken", MB_OK | MB_ICONWARNING);
            break;
        case PrintResult::Failed:
            MessageBoxW(owner_,
                        L"Der Block konnte nicht gedruckt werden. Bitte den Drucker pr\u00fcfen.",
                        L"Kartotrix", MB_OK | MB_ICONWARNING);
            break;
        case PrintResult::Printed:
        case PrintResult::Cancelled:
            break;
    }
    return true;
}

std::optional<Bytes> Win32Extras::sheetPdf(const PadSheet&) {
    return std::nullopt;  // offersPdf() says so before anything is drawn
}

bool Win32Extras::showStatistics(const Statistics& statistics) {
    StatisticsWindow window(owner_, statistics);
    const int rows = static_cast<int>(statistics.players.size());
    const int seats =
        statistics.seats.empty() ? 0 : 50 + 19 * static_cast<int>(statistics.seats.size());
    window.run(
        "Statistik", 880,
        std::clamp(22 * rows + 140 + seats + (statistics.skipped.empty() ? 0 : 120), 300, 700), 480,
        260);
    return true;
}

}  // namespace kx::win
