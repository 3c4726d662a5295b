#include "view/PadSheet.h"

#include <cstdio>

#include "core/Program.h"
#include "io/Cp1252.h"
#include "io/FileIo.h"
#include "view/PadLayout.h"

namespace kx {

namespace {

// Day of the week, 0 Sunday (Sakamoto's method).
int weekday(int y, int m, int d) {
    static const int offset[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (m < 3) y -= 1;
    return (y + y / 4 - y / 100 + y / 400 + offset[(m - 1) % 12] + d) % 7;
}

bool validDate(int y, int m, int d) {
    return y >= 1900 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= 31;
}

std::vector<SheetPage> journalPages(const Journal& journal) {
    std::vector<SheetPage> pages;
    if (!hasCorrections(journal)) return pages;
    for (const JournalLine& line : journal) {
        if (pages.empty() || pages.back().lines.size() == JOURNAL_LINES_PER_PAGE)
            pages.push_back({pages.empty() ? "Protokoll" : "Protokoll (Fortsetzung)", {}});
        pages.back().lines.push_back(printableText(line.shown()));
    }
    return pages;
}

}  // namespace

std::string germanDate(const LocalTime& t) {
    static const char* days[] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                 "Donnerstag", "Freitag", "Samstag"};
    static const char* months[] = {"Januar",    "Februar", "M\xC3\xA4rz", "April",
                                   "Mai",       "Juni",    "Juli",        "August",
                                   "September", "Oktober", "November",    "Dezember"};
    if (!validDate(t.year, t.month, t.day)) return "";
    return std::string(days[weekday(t.year, t.month, t.day)]) + ", " + std::to_string(t.day) +
           ". " + months[t.month - 1] + " " + std::to_string(t.year);
}

LocalTime eveningDate(const std::string& fileName, const std::optional<LocalTime>& modified,
                      const LocalTime& today) {
    int d = 0, m = 0, y = 0, hour = 0, minute = 0;
    char tail[8] = {};
    const std::string name = fileNameOf(fileName);
    if (std::sscanf(name.c_str(), "save%2d-%2d-%4d_%d_%d%7s", &d, &m, &y, &hour, &minute, tail) ==
            6 &&
        std::string(tail) == ".hsc" && validDate(y, m, d))
        return {y, m, d, hour, minute, 0};
    return modified ? *modified : today;
}

std::vector<int> overallScores(const Program& p) {
    std::vector<int> scores;
    for (int k = 1; k <= p.pad.playerCount; ++k)
        scores.push_back(p.pad.overallScore(k));
    return scores;
}

std::vector<std::string> playerNames(const Program& p) {
    std::vector<std::string> names;
    for (int k = 1; k <= p.pad.playerCount; ++k)
        names.push_back(p.pad.shownName(k));
    return names;
}

PadSheet padSheet(const Program& p, const LocalTime& date) {
    const WindowModel& ui = p.ui;
    const int n = p.pad.playerCount;
    PadSheet sheet;
    sheet.title = "Doppelkopf-Abend";
    const int start = p.pad.padStartTime;
    char begin[32];
    std::snprintf(begin, sizeof begin, "Beginn %d:%02d Uhr", start / 3600 % 24, start / 60 % 60);
    const std::string day = germanDate(date);
    sheet.date = day.empty() ? begin : day + " \xC2\xB7 " + begin;
    for (int k = 1; k <= n; ++k)
        sheet.names.push_back(seatLabel(p.pad.shownName(k), k));
    const int rowCount = static_cast<int>(rowLayoutTable(n).rows.size());
    for (int i = 1; i <= rowCount; ++i) {
        SheetRow row;
        row.label = ui.CNT(i).text;
        row.players = ui.SPL(i).text;
        row.points = ui.PKT(i).text;
        for (int k = 1; k <= n; ++k)
            row.cells.push_back(ui.SP[static_cast<std::size_t>(k)](i).text);
        row.entered = p.pad.gameTable[static_cast<std::size_t>(i)][0] != EMPTY_CELL;
        row.blockEnd = i % n == 0 && i <= 6 * n;
        if (const auto found = p.pad.reckonings.find(i); found != p.pad.reckonings.end()) {
            row.reckoning = found->second;
            sheet.reckonings.push_back(rowReckoning(p.pad, i).front());
        }
        sheet.rows.push_back(row);
    }
    for (int k = 1; k <= n; ++k) {
        sheet.totals.push_back(ui.SPsum(k).text);
        sheet.totalColours.push_back(ui.SPsum(k).background.value_or(padBackColour));
        sheet.places.push_back(ui.SPsum(k).mark);
    }
    sheet.turnover = ui.status(4);
    sheet.settlement = settlementReport(playerNames(p), overallScores(p), p.shell.centsPerPoint);
    sheet.footer = p.shell.versionText;
    if (!p.pad.houseRules.isDefault()) sheet.rules = describeRules(p.pad.houseRules);
    sheet.journalPages = journalPages(journalOf(p));
    // How the calculated games' values came about, on pages after the sheet.
    for (std::size_t i = 0; i < sheet.reckonings.size(); ++i) {
        if (i % JOURNAL_LINES_PER_PAGE == 0)
            sheet.journalPages.push_back({i == 0 ? "Spielwerte" : "Spielwerte (Fortsetzung)", {}});
        sheet.journalPages.back().lines.push_back(printableText(sheet.reckonings[i]));
    }
    return sheet;
}

}  // namespace kx
