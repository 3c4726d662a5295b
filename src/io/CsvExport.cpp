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

const char* const ABSAGEN[] = {"", "90", "60", "30", "schwarz"};

// "re,90,60": the announcement and the absagen, as the command line takes them.
std::string announcements(const PartyPlay& party, const char* name) {
    std::string text = party.announced || party.absage != Absage::None ? name : "";
    for (int a = 1; a <= static_cast<int>(party.absage); ++a)
        text += std::string(",") + ABSAGEN[a];
    return text;
}

// "fuchs,fuchs,doppelkopf": each extra point as often as made.
std::string extraPoints(const PartyPlay& party) {
    std::string text;
    const auto add = [&text](int times, const char* what) {
        for (int i = 0; i < times; ++i)
            text += (text.empty() ? "" : ",") + std::string(what);
    };
    add(party.foxesCaught, "fuchs");
    add(party.doppelkopfs, "doppelkopf");
    add(party.karlchen, "karlchen");
    return text;
}

const std::vector<std::string> RECKONING_HEAD{
    "Re",         "Augen Re",        "Ansagen Re",          "Ansagen Kontra",
    "ohne Stich", "Sonderpunkte Re", "Sonderpunkte Kontra", "Solo"};

// The value calculator's inputs of a row, in the columns of RECKONING_HEAD.
std::vector<std::string> reckoningFields(const std::optional<Reckoning>& r) {
    if (!r) return std::vector<std::string>(RECKONING_HEAD.size());
    const GamePlay& g = r->play;
    const std::string re = r->re1 == r->re2
                               ? std::to_string(r->re1)
                               : std::to_string(r->re1) + " / " + std::to_string(r->re2);
    const std::string noTrick = g.re.tookNoTrick ? "Re" : g.kontra.tookNoTrick ? "Kontra" : "";
    return {text(re),
            std::to_string(g.reCardPoints),
            text(announcements(g.re, "re")),
            text(announcements(g.kontra, "kontra")),
            text(noTrick),
            text(extraPoints(g.re)),
            text(extraPoints(g.kontra)),
            g.solo ? "ja" : ""};
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
    // The calculator's inputs, when any game was entered through it.
    const bool reckoned = !sheet.reckonings.empty();
    if (reckoned) head.insert(head.end(), RECKONING_HEAD.begin(), RECKONING_HEAD.end());
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
        if (reckoned) {
            const std::vector<std::string> inputs = reckoningFields(row.reckoning);
            fields.insert(fields.end(), inputs.begin(), inputs.end());
        }
        out += line(fields);
    }
    std::vector<std::string> totals{"Summe", "", ""};
    for (const std::string& total : sheet.totals)
        totals.push_back(csvField(total, false));
    totals.push_back("");
    if (reckoned) totals.resize(totals.size() + RECKONING_HEAD.size());
    out += line(totals);
    const std::string prefix = "Umsatz: ";
    std::vector<std::string> turnover(n + 4 + (reckoned ? RECKONING_HEAD.size() : 0));
    turnover[0] = "Umsatz";
    turnover[2] =
        sheet.turnover.starts_with(prefix) ? text(sheet.turnover.substr(prefix.size())) : "";
    out += line(turnover);
    return Bytes(out.begin(), out.end());
}

}  // namespace kx
