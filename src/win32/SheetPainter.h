#pragma once

#include <windows.h>

#include "view/PadSheet.h"

namespace kx::win {

// The pad as a printed score sheet, drawn with GDI: heading, names, rows,
// totals in their place colours, turnover, settlement and footer, laid out
// in millimetres on a page of the given size in device pixels.
void paintSheet(HDC dc, const RECT& page, int dpi, const PadSheet& sheet);

// A page of the journal after the sheet: its title and the date as the
// sheet's heading, its lines, the footer.
void paintJournalPage(HDC dc, const RECT& page, int dpi, const PadSheet& sheet,
                      const SheetPage& journal);

enum class PrintResult { Printed, Cancelled, NoPrinter, Failed };

// The print dialog (A4 portrait preset), then the sheet on one page of the
// chosen printer and the journal's pages, if any, after it.
PrintResult printSheet(HWND owner, const PadSheet& sheet);

}  // namespace kx::win
