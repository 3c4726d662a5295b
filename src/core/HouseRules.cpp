#include "core/HouseRules.h"

namespace kx {

namespace {

std::string onOff(bool on) {
    return on ? "ja" : "nein";
}

void describeValues(const GameValueRules& v, std::vector<std::string>& out) {
    out.push_back(std::string("Re/Kontra: ") +
                  (v.announcementsDouble ? "verdoppeln den Spielwert" : "je +2 (Turnier)"));
    out.push_back("Punkt f\xC3\xBCr unter 120: " + onOff(v.below120Point));
    out.push_back("Sonderpunkte gegen die Alten: " + onOff(v.againstQueens) +
                  ", Doppelkopf: " + onOff(v.doppelkopf) +
                  ", Fuchs gefangen: " + onOff(v.foxCaught) + ", Karlchen: " + onOff(v.karlchen));
    out.push_back("Karlchen gefangen: " + onOff(v.karlchenCaught) + ", Dulle gefangen: " +
                  onOff(v.dulleCaught) + ", Fuchs im letzten Stich: " + onOff(v.foxLastTrick));
}

void describeBock(const BockRules& b, std::vector<std::string>& out) {
    if (!b.triggers.any()) {
        out.push_back("Bockrunden: keine");
        return;
    }
    std::string after;
    const auto add = [&after](bool on, const char* text) {
        if (on) after += (after.empty() ? "" : ", ") + std::string(text);
    };
    add(b.triggers.tie120, "120:120");
    add(b.triggers.lostSolo, "verlorenem Solo");
    add(b.triggers.lostAnnouncement, "verlorener Ansage");
    add(b.triggers.zeroGame, "0-Punkte-Spiel");
    add(b.triggers.byHand, "von Hand markiert");
    out.push_back("Bockrunden nach: " + after);
    out.push_back(std::string("Bockspiel: ") +
                  (b.effect == BockEffect::Double ? "doppelter Wert je Stufe" : "+2 je Stufe"));
    switch (b.stacking) {
        case BockStacking::Stack:
            out.push_back("Bock im Bock: stapeln bis " + bockName(b.maxLevel));
            break;
        case BockStacking::Extend:
            out.push_back("Bock im Bock: Runde anh\xC3\xA4ngen");
            break;
        case BockStacking::Ignore:
            out.push_back("Bock im Bock: z\xC3\xA4hlt nicht");
            break;
    }
}

}  // namespace

std::string bockName(int level) {
    switch (level) {
        case 1:
            return "Bock";
        case 2:
            return "Doppelbock";
        case 3:
            return "Dreifachbock";
        default:
            return std::to_string(level) + "-fach-Bock";
    }
}

std::vector<std::string> describeRules(const HouseRules& rules) {
    std::vector<std::string> out{rules.isDefault() ? "Hausregeln: Turnierregeln, ohne Bock"
                                                   : "Hausregeln:"};
    describeValues(rules.values, out);
    describeBock(rules.bock, out);
    return out;
}

}  // namespace kx
