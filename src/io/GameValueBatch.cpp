#include "io/GameValueBatch.h"

#include <algorithm>
#include <cstdlib>

namespace kx {

const char* const GAME_VALUE_USAGE =
    "--spielwert --augen N [OPTIONEN]  Spielwert eines Spiels nach den Turnierregeln";

const char* const GAME_VALUE_OPTIONS_HELP =
    "Optionen zu --spielwert:\n"
    "  --augen N                    Augen der Re-Partei (0 bis 240)\n"
    "  --re-ansagen LISTE           re,90,60,30,schwarz: Ansage und Absagen der Re-Partei\n"
    "  --kontra-ansagen LISTE       kontra,90,60,30,schwarz: dasselbe f\xC3\xBCr Kontra\n"
    "  --re-ohne-stich              die Re-Partei hat keinen Stich gemacht\n"
    "  --kontra-ohne-stich          die Kontra-Partei hat keinen Stich gemacht\n"
    "  --re-sonderpunkte LISTE      fuchs,doppelkopf,karlchen, jeder so oft wie gemacht\n"
    "  --kontra-sonderpunkte LISTE  dasselbe f\xC3\xBCr Kontra\n"
    "  --solo                       Re ist ein Solist; sein Wert z\xC3\xA4hlt dreifach\n";

namespace {

const char* const AUGEN = "augen";
const char* const QUOTE_OPEN = "\xE2\x80\x9E";
const char* const QUOTE_CLOSE = "\xE2\x80\x9C";

std::string quoted(const std::string& text) {
    return QUOTE_OPEN + text + QUOTE_CLOSE;
}

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return text;
}

std::vector<std::string> listItems(const std::string& list) {
    std::vector<std::string> items;
    std::string item;
    for (const char c : list + ",") {
        if (c != ',') {
            if (c != ' ') item += c;
            continue;
        }
        items.push_back(lowered(item));
        item.clear();
    }
    return items;
}

// Reads the list of one option into the party; an empty error when all is well.
using ItemReader = std::string (*)(const std::string& item, Party party, PartyPlay& play);

std::string readAnnouncement(const std::string& item, Party party, PartyPlay& play) {
    const std::string own = lowered(partyName(party));
    if (item == own) {
        play.announced = true;
        return "";
    }
    const std::pair<const char*, Absage> absagen[] = {{"90", Absage::No90},
                                                      {"60", Absage::No60},
                                                      {"30", Absage::No30},
                                                      {"schwarz", Absage::Schwarz}};
    for (const auto& [name, absage] : absagen) {
        if (item == name) {
            play.absage = std::max(play.absage, absage);
            return "";
        }
    }
    return "ist keine Ansage: " + own + ", 90, 60, 30 oder schwarz.";
}

std::string readExtra(const std::string& item, Party, PartyPlay& play) {
    if (item == "fuchs")
        ++play.foxesCaught;
    else if (item == "doppelkopf")
        ++play.doppelkopfs;
    else if (item == "karlchen")
        ++play.karlchen;
    else
        return "ist kein Sonderpunkt: fuchs, doppelkopf oder karlchen.";
    return "";
}

std::string readList(const std::map<std::string, std::string>& options, const std::string& option,
                     Party party, PartyPlay& play, ItemReader read) {
    const auto given = options.find(option);
    if (given == options.end()) return "";
    for (const std::string& item : listItems(given->second)) {
        if (item.empty()) return "Kartotrix: --" + option + " hat eine leere Angabe.";
        const std::string problem = read(item, party, play);
        if (!problem.empty())
            return "Kartotrix: " + quoted(item) + " in --" + option + " " + problem;
    }
    return "";
}

std::string readCardPoints(const std::map<std::string, std::string>& options, int& points) {
    const auto given = options.find(AUGEN);
    if (given == options.end())
        return "Kartotrix: Zu --spielwert geh\xC3\xB6ren die Augen der Re-Partei: --augen N "
               "(0 bis 240).";
    const std::string& text = given->second;
    const std::size_t from = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    const bool digits = text.size() > from && text.size() - from <= 6 &&
                        std::all_of(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                                    [](char c) { return c >= '0' && c <= '9'; });
    if (!digits)
        return "Kartotrix: " + quoted(text) +
               " sind keine Augen: --augen nimmt eine Zahl von 0 "
               "bis 240.";
    points = std::atoi(text.c_str());
    return "";
}

}  // namespace

const std::vector<std::string>& gameValueValueOptions() {
    static const std::vector<std::string> names{AUGEN, "re-ansagen", "kontra-ansagen",
                                                "re-sonderpunkte", "kontra-sonderpunkte"};
    return names;
}

const std::vector<std::string>& gameValueFlags() {
    static const std::vector<std::string> names{"re-ohne-stich", "kontra-ohne-stich", "solo"};
    return names;
}

GameValueRequest parseGameValueOptions(const std::map<std::string, std::string>& options) {
    GameValueRequest request;
    GamePlay& play = request.play;
    std::string& error = request.error;
    error = readCardPoints(options, play.reCardPoints);
    if (error.empty())
        error = readList(options, "re-ansagen", Party::Re, play.re, readAnnouncement);
    if (error.empty())
        error = readList(options, "kontra-ansagen", Party::Kontra, play.kontra, readAnnouncement);
    if (error.empty()) error = readList(options, "re-sonderpunkte", Party::Re, play.re, readExtra);
    if (error.empty())
        error = readList(options, "kontra-sonderpunkte", Party::Kontra, play.kontra, readExtra);
    play.re.tookNoTrick = options.count("re-ohne-stich") > 0;
    play.kontra.tookNoTrick = options.count("kontra-ohne-stich") > 0;
    play.solo = options.count("solo") > 0;
    return request;
}

std::string gameValueText(const GameValue& value) {
    std::string text;
    for (const std::string& line : value.reckoning())
        text += line + "\n";
    const char* winner = value.winner == Winner::Re       ? "Re"
                         : value.winner == Winner::Kontra ? "Kontra"
                                                          : "keiner";
    text += std::string("Gewinner: ") + winner + "\n";
    return text + "Wert f\xC3\xBCr Re: " + std::to_string(value.padValue) + "\n";
}

int gameValueCommand(FileSystem& fs, const std::map<std::string, std::string>& options,
                     const BatchStreams& streams) {
    const GameValueRequest request = parseGameValueOptions(options);
    std::string error = request.error;
    GameValue value;
    if (error.empty()) {
        value = computeGameValue(request.play);
        if (!value.error.empty()) error = "Kartotrix: " + value.error;
    }
    if (!error.empty()) {
        std::fprintf(streams.err, "%s\n", error.c_str());
        return BATCH_REFUSED;
    }
    return deliverBatchOutput(fs, "", gameValueText(value), "Spielwert", streams);
}

}  // namespace kx
