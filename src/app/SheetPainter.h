#pragma once

#include <QByteArray>
#include <QRectF>

#include "view/PadSheet.h"

class QPainter;
class QWidget;

namespace kx {

// The pad as one A4 score sheet: the date, the names, every row with "Sp",
// "Pk", the running totals and "xxx", the totals in the place colours, the
// turnover and the settlement at the foot. `page` is the whole sheet in the
// device's pixels, `dpi` the device's resolution.
void paintSheet(QPainter& painter, const QRectF& page, qreal dpi, const PadSheet& sheet);

// A page of the journal after the sheet: its title and the date as the
// sheet's heading, its lines, the footer.
void paintJournalPage(QPainter& painter, const QRectF& page, qreal dpi, const PadSheet& sheet,
                      const SheetPage& journal);

// The sheet, followed by the journal's pages when it has any, as a PDF document in memory
// (QPdfWriter to a buffer); empty on failure.
QByteArray sheetPdf(const PadSheet& sheet);

enum class PrintResult { Printed, Cancelled, Failed };
// Qt's print dialog, then the sheet and the journal's pages on the chosen printer.
PrintResult printSheet(QWidget* parent, const PadSheet& sheet);

}  // namespace kx
