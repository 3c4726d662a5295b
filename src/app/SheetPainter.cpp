#include "SheetPainter.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

#include "QtServices.h"

namespace kx {

namespace {

constexpr qreal MARGIN_SIDE = 15, MARGIN_TOP = 13, MARGIN_BOTTOM = 12;  // millimetres
constexpr qreal LABEL_W = 11, PLAYERS_W = 17, POINTS_W = 12, PLAYER_MAX_W = 28;
constexpr qreal JOURNAL_LINE_MM = 4.8;
constexpr qreal RULES_LINE_MM = 3.6;
const QColor INK(25, 25, 25), SOFT(110, 110, 110), RULE(200, 208, 216), HEADING(31, 58, 95);

// Millimetres and points on the sheet's device.
struct Units {
    qreal dpi;
    qreal mm(qreal v) const { return v * dpi / 25.4; }
};

QFont sheetFont(qreal points, bool bold = false) {
    QFont font;
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Where the table's columns lie, left to right.
struct Columns {
    qreal left, label, players, points, player;
    qreal playerLeft(std::size_t k) const {
        return left + label + players + points + static_cast<qreal>(k) * player;
    }
    qreal right(std::size_t n) const { return playerLeft(n); }
};

void text(QPainter& p, const QRectF& r, const std::string& t, Qt::Alignment a) {
    p.drawText(r, a, qstr(t));
}

// The title, and the date on a line of its own below it: the table of a
// four-player pad is too narrow for both side by side.
qreal paintHeading(QPainter& p, const Units& u, const QRectF& area, const std::string& title,
                   const PadSheet& sheet) {
    p.setPen(HEADING);
    p.setFont(sheetFont(17, true));
    text(p, QRectF(area.left(), area.top(), area.width(), u.mm(9)), title,
         Qt::AlignLeft | Qt::AlignBottom);
    p.setPen(INK);
    p.setFont(sheetFont(10.5));
    text(p, QRectF(area.left(), area.top() + u.mm(9.5), area.width(), u.mm(5)), sheet.date,
         Qt::AlignLeft | Qt::AlignVCenter);
    return area.top() + u.mm(17);
}

qreal paintNames(QPainter& p, const Units& u, const Columns& c, qreal top, const PadSheet& sheet) {
    const qreal h = u.mm(7);
    p.setPen(HEADING);
    p.setFont(sheetFont(9.5, true));
    text(p, QRectF(c.left + c.label, top, c.players, h), "Sp", Qt::AlignCenter);
    text(p, QRectF(c.left + c.label + c.players, top, c.points, h), "Pk", Qt::AlignCenter);
    p.setPen(INK);
    p.setFont(sheetFont(10, true));
    for (std::size_t k = 0; k < sheet.names.size(); ++k) {
        const QRectF cell(c.playerLeft(k) + u.mm(1), top, c.player - u.mm(2), h);
        p.drawText(cell, Qt::AlignCenter,
                   p.fontMetrics().elidedText(qstr(sheet.names[k]), Qt::ElideRight,
                                              static_cast<int>(cell.width())));
    }
    p.setPen(QPen(INK, u.mm(0.5)));
    p.drawLine(QPointF(c.left, top + h), QPointF(c.right(sheet.names.size()), top + h));
    return top + h;
}

qreal paintRows(QPainter& p, const Units& u, const Columns& c, qreal top, qreal rowH,
                const PadSheet& sheet) {
    const std::size_t n = sheet.names.size();
    const qreal pad = u.mm(1.6);
    p.setFont(sheetFont(std::min(10.0, rowH / u.mm(1) * 1.75)));
    for (const SheetRow& row : sheet.rows) {
        p.setPen(SOFT);
        text(p, QRectF(c.left, top, c.label, rowH), row.label, Qt::AlignCenter);
        p.setPen(INK);
        text(p, QRectF(c.left + c.label, top, c.players, rowH), row.players, Qt::AlignCenter);
        text(p, QRectF(c.left + c.label + c.players, top, c.points, rowH), row.points,
             Qt::AlignCenter);
        for (std::size_t k = 0; k < n; ++k) {
            const bool sitOut = row.cells[k] == "xxx";
            p.setPen(sitOut ? SOFT : INK);
            text(p, QRectF(c.playerLeft(k), top, c.player - pad, rowH), row.cells[k],
                 (sitOut ? Qt::AlignHCenter : Qt::AlignRight) | Qt::AlignVCenter);
        }
        top += rowH;
        p.setPen(row.blockEnd ? QPen(INK, u.mm(0.35)) : QPen(RULE, u.mm(0.15)));
        p.drawLine(QPointF(c.left, top), QPointF(c.right(n), top));
    }
    return top;
}

qreal paintTotals(QPainter& p, const Units& u, const Columns& c, qreal top, const PadSheet& sheet) {
    const std::size_t n = sheet.names.size();
    const qreal h = u.mm(7.5);
    top += u.mm(0.8);
    p.setPen(QPen(INK, u.mm(0.5)));
    p.drawLine(QPointF(c.left, top), QPointF(c.right(n), top));
    p.setFont(sheetFont(10.5, true));
    p.setPen(INK);
    text(p, QRectF(c.left, top, c.label + c.players + c.points - u.mm(2), h), "Summe",
         Qt::AlignRight | Qt::AlignVCenter);
    for (std::size_t k = 0; k < n; ++k) {
        const Rgb& colour = sheet.totalColours[k];
        const QRectF cell(c.playerLeft(k) + u.mm(0.4), top + u.mm(0.6), c.player - u.mm(0.8),
                          h - u.mm(1.2));
        p.fillRect(cell, QColor(colour.red, colour.green, colour.blue));
        p.drawText(cell.adjusted(0, 0, -u.mm(1.2), 0), Qt::AlignRight | Qt::AlignVCenter,
                   qstr(sheet.totals[k]));
        if (k < sheet.places.size())
            p.drawText(cell.adjusted(u.mm(1.2), 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                       qstr(sheet.places[k]));
    }
    top += h;
    p.setFont(sheetFont(10));
    text(p, QRectF(c.left, top + u.mm(1), c.right(n) - c.left, u.mm(6)), sheet.turnover,
         Qt::AlignRight | Qt::AlignVCenter);
    return top + u.mm(8);
}

void paintSettlement(QPainter& p, const Units& u, const QRectF& area, qreal top,
                     const PadSheet& sheet) {
    const SettlementReport& s = sheet.settlement;
    const qreal line = u.mm(4.8);
    p.setPen(QPen(RULE, u.mm(0.2)));
    p.drawLine(QPointF(area.left(), top), QPointF(area.right(), top));
    top += u.mm(2.5);
    p.setPen(HEADING);
    p.setFont(sheetFont(11, true));
    text(p, QRectF(area.left(), top, area.width(), line),
         s.error.empty() ? s.heading() : "Abrechnung", Qt::AlignLeft | Qt::AlignVCenter);
    top += line + u.mm(1);
    p.setPen(INK);
    if (!s.error.empty()) {
        p.setFont(sheetFont(9.5));
        p.drawText(QRectF(area.left(), top, area.width(), 3 * line), Qt::TextWordWrap,
                   qstr(s.error));
        return;
    }
    QFont mono = sheetFont(9.5);
    mono.setFamily(QStringLiteral("DejaVu Sans Mono"));
    mono.setStyleHint(QFont::Monospace);
    p.setFont(mono);
    const std::vector<std::string> balances = s.balanceLines();
    for (std::size_t i = 0; i < balances.size(); ++i)
        text(p, QRectF(area.left(), top + static_cast<qreal>(i) * line, area.width() / 2, line),
             balances[i], Qt::AlignLeft | Qt::AlignVCenter);
    p.setFont(sheetFont(10));
    const std::vector<std::string> transfers = s.transferLines();
    for (std::size_t i = 0; i < transfers.size(); ++i)
        text(p,
             QRectF(area.left() + area.width() / 2, top + static_cast<qreal>(i) * line,
                    area.width() / 2, line),
             transfers[i], Qt::AlignLeft | Qt::AlignVCenter);
}

// Height of the settlement block, so that the rows can take the rest.
qreal settlementHeight(const Units& u, const PadSheet& sheet) {
    const std::size_t lines =
        sheet.settlement.error.empty()
            ? std::max(sheet.settlement.names.size(), sheet.settlement.transferLines().size())
            : 3;
    return u.mm(2.5 + 5.8 + 4.8 * static_cast<qreal>(lines));
}

void paintFooter(QPainter& p, const QRectF& area, qreal height, const PadSheet& sheet) {
    p.setPen(SOFT);
    p.setFont(sheetFont(7.5));
    text(p, QRectF(area.left(), area.bottom() - height, area.width(), height), sheet.footer,
         Qt::AlignLeft | Qt::AlignBottom);
}

// The house rules, one small line each, just above the footer of height `footer`.
void paintRules(QPainter& p, const Units& u, const QRectF& area, qreal footer,
                const PadSheet& sheet) {
    p.setPen(INK);
    p.setFont(sheetFont(7.5));
    qreal top = area.bottom() - footer;
    for (const std::string& line : sheet.rules) {
        text(p, QRectF(area.left(), top, area.width(), u.mm(RULES_LINE_MM)), line,
             Qt::AlignLeft | Qt::AlignVCenter);
        top += u.mm(RULES_LINE_MM);
    }
}

// The sheet, then the journal's pages, each on a page of its own.
bool paintPages(QPainter& painter, QPagedPaintDevice& device, const QRectF& page, qreal dpi,
                const PadSheet& sheet) {
    paintSheet(painter, page, dpi, sheet);
    for (const SheetPage& journal : sheet.journalPages) {
        if (!device.newPage()) return false;
        paintJournalPage(painter, page, dpi, sheet, journal);
    }
    return true;
}

}  // namespace

void paintSheet(QPainter& p, const QRectF& page, qreal dpi, const PadSheet& sheet) {
    const Units u{dpi};
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(page, Qt::white);
    const QRectF area = page.adjusted(u.mm(MARGIN_SIDE), u.mm(MARGIN_TOP), -u.mm(MARGIN_SIDE),
                                      -u.mm(MARGIN_BOTTOM));
    const std::size_t n = std::max<std::size_t>(1, sheet.names.size());
    const qreal fixed = u.mm(LABEL_W + PLAYERS_W + POINTS_W);
    const qreal player =
        std::min(u.mm(PLAYER_MAX_W), (area.width() - fixed) / static_cast<qreal>(n));
    const qreal tableWidth = fixed + player * static_cast<qreal>(n);
    const Columns c{area.left() + (area.width() - tableWidth) / 2, u.mm(LABEL_W), u.mm(PLAYERS_W),
                    u.mm(POINTS_W), player};

    // The heading spans the table, which stands centred on narrower tables.
    qreal top = paintHeading(
        p, u, QRectF(c.left, area.top(), c.right(sheet.names.size()) - c.left, area.height()),
        sheet.title, sheet);
    const qreal namesTop = top;
    top = paintNames(p, u, c, top, sheet);
    const qreal footer = u.mm(6);
    const qreal rules = u.mm(RULES_LINE_MM) * static_cast<qreal>(sheet.rules.size());
    const qreal gap = sheet.rules.empty() ? 0 : u.mm(3);  // between settlement and rules
    const qreal rest =
        area.bottom() - top - u.mm(17) - settlementHeight(u, sheet) - footer - rules - gap;
    const qreal rowH = std::clamp(
        rest / static_cast<qreal>(std::max<std::size_t>(1, sheet.rows.size())), u.mm(4), u.mm(6.5));
    const qreal rowsEnd = paintRows(p, u, c, top, rowH, sheet);
    // Column rules from the names down to the totals.
    p.setPen(QPen(RULE, u.mm(0.15)));
    for (std::size_t k = 0; k <= sheet.names.size(); ++k)
        p.drawLine(QPointF(c.playerLeft(k), namesTop + u.mm(1)), QPointF(c.playerLeft(k), rowsEnd));
    p.drawLine(QPointF(c.left + c.label, namesTop + u.mm(1)), QPointF(c.left + c.label, rowsEnd));
    p.drawLine(QPointF(c.left + c.label + c.players, namesTop + u.mm(1)),
               QPointF(c.left + c.label + c.players, rowsEnd));
    top = paintTotals(p, u, c, rowsEnd, sheet);
    paintSettlement(p, u, QRectF(c.left, 0, c.right(sheet.names.size()) - c.left, 0), top, sheet);

    paintRules(p, u, area, footer + rules, sheet);
    paintFooter(p, area, footer, sheet);
}

void paintJournalPage(QPainter& p, const QRectF& page, qreal dpi, const PadSheet& sheet,
                      const SheetPage& journal) {
    const Units u{dpi};
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(page, Qt::white);
    const QRectF area = page.adjusted(u.mm(MARGIN_SIDE), u.mm(MARGIN_TOP), -u.mm(MARGIN_SIDE),
                                      -u.mm(MARGIN_BOTTOM));
    qreal top = paintHeading(p, u, area, journal.title, sheet);
    p.setPen(QPen(RULE, u.mm(0.2)));
    p.drawLine(QPointF(area.left(), top - u.mm(2)), QPointF(area.right(), top - u.mm(2)));
    p.setPen(INK);
    p.setFont(sheetFont(9.5));
    const qreal line = u.mm(JOURNAL_LINE_MM);
    for (const std::string& entry : journal.lines) {
        p.drawText(QRectF(area.left(), top, area.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(qstr(entry), Qt::ElideRight,
                                              static_cast<int>(area.width())));
        top += line;
    }
    paintFooter(p, area, u.mm(6), sheet);
}

QByteArray sheetPdf(const PadSheet& sheet) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly)) return {};
    QPdfWriter writer(&buffer);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));
    writer.setResolution(300);
    writer.setTitle(qstr(sheet.title + " " + sheet.date));
    writer.setCreator(qstr(sheet.footer));
    QPainter painter;
    if (!painter.begin(&writer)) return {};
    const bool painted = paintPages(painter, writer, QRectF(0, 0, writer.width(), writer.height()),
                                    writer.resolution(), sheet);
    if (!painter.end() || !painted) return {};
    buffer.close();
    return bytes;
}

PrintResult printSheet(QWidget* parent, const PadSheet& sheet) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setDocName(qstr(sheet.title));
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    if (dialog.exec() != QDialog::Accepted) return PrintResult::Cancelled;
    QPainter painter;
    if (!painter.begin(&printer)) return PrintResult::Failed;
    const bool painted =
        paintPages(painter, printer, printer.pageLayout().fullRectPixels(printer.resolution()),
                   printer.resolution(), sheet);
    return painter.end() && painted ? PrintResult::Printed : PrintResult::Failed;
}

}  // namespace kx
