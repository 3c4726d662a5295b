#include "io/CsvExport.h"

namespace kx {

namespace {

constexpr const char* BOM = "\xEF\xBB\xBF";
constexpr const char* SIT_OUT = "xxx";

std::string line(const std::vector<std::string>& fields) {
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i)
        text += (i ? ";" : "") + fields[i];
    return text + "\r\n";
}

std::string text(const std::string& t) {
    return csvField(t, true);
}

}  // namespace

std::string csvField(const std::string& value, bool isText) {
    std::string field = value;
    if (isText && !field.empty() && std::string("=+-@").find(field.front()) != std::string::npos)
        field = "'" + field;
    if (field.find_first_of(";\"\r\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (char c : field)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

Bytes csvBytes(const PadSheet& sheet) {
    const std::size_t n = sheet.names.size();
    std::string out = BOM;
    std::vector<std::string> head{"Zeile", "Sp", "Pk"};
    for (const std::string& name : sheet.names)
        head.push_back(text(name));
    head.push_back("Setzt aus");
    out += line(head);
    for (const SheetRow& row : sheet.rows) {
        std::vector<std::string> fields{text(row.label), text(row.players),
                                        csvField(row.points, false)};
        std::string sitOut;
        for (std::size_t k = 0; k < n; ++k) {
            const bool marked = row.cells[k] == SIT_OUT;
            fields.push_back(marked ? "" : csvField(row.cells[k], false));
            if (marked) sitOut += (sitOut.empty() ? "" : ", ") + sheet.names[k];
        }
        fields.push_back(text(sitOut));
        out += line(fields);
    }
    std::vector<std::string> totals{"Summe", "", ""};
    for (const std::string& total : sheet.totals)
        totals.push_back(csvField(total, false));
    totals.push_back("");
    out += line(totals);
    const std::string prefix = "Umsatz: ";
    std::vector<std::string> turnover(n + 4);
    turnover[0] = "Umsatz";
    turnover[2] =
        sheet.turnover.starts_with(prefix) ? text(sheet.turnover.substr(prefix.size())) : "";
    out += line(turnover);
    return Bytes(out.begin(), out.end());
}

}  // namespace kx
