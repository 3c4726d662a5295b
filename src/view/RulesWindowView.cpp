// The fields of the window "Hausregeln": where each stands, what it shows and
// whether it can be used, and what a change of one does to the rules.
#include <algorithm>

#include "core/Program.h"
#include "view/RulesWindow.h"

namespace kx {

namespace {

constexpr int MARGIN = 10;
constexpr int SECOND_COLUMN = 245;  // the right column of the check boxes
constexpr int CHOICES_LEFT = 130;   // right of a row's caption
constexpr int WIDTH = 480;
constexpr int LINE = 22;
constexpr int BOX = 24;
constexpr int SUMMARY_HEIGHT = 190;

// One switch of the rules: its field, its caption and the rule it sets.
struct Switch {
    const char* name;
    const char* text;
    bool& (*of)(HouseRules&);
};

// clang-format off
constexpr Switch EXTRA_POINTS[] = {
    {"gegen_die_alten", "Gegen die Alten", [](HouseRules& r) -> bool& { return r.values.againstQueens; }},
    {"doppelkopf", "Doppelkopf", [](HouseRules& r) -> bool& { return r.values.doppelkopf; }},
    {"fuchs", "Fuchs gefangen", [](HouseRules& r) -> bool& { return r.values.foxCaught; }},
    {"karlchen", "Karlchen (letzter Stich)", [](HouseRules& r) -> bool& { return r.values.karlchen; }},
    {"karlchen_gefangen", "Karlchen gefangen", [](HouseRules& r) -> bool& { return r.values.karlchenCaught; }},
    {"dulle_gefangen", "Dulle gefangen", [](HouseRules& r) -> bool& { return r.values.dulleCaught; }},
    {"fuchs_letzter_stich", "Fuchs im letzten Stich", [](HouseRules& r) -> bool& { return r.values.foxLastTrick; }},
};
constexpr Switch BELOW_120 =
    {"keine_120", "Punkt f\xC3\xBCr \xE2\x80\x9Ekeine 120\xE2\x80\x9C (Verlierer unter 120 Augen)",
     [](HouseRules& r) -> bool& { return r.values.below120Point; }};
constexpr Switch BOCK_TRIGGERS[] = {
    {"bock_120", "120:120", [](HouseRules& r) -> bool& { return r.bock.triggers.tie120; }},
    {"bock_solo", "verlorenem Solo", [](HouseRules& r) -> bool& { return r.bock.triggers.lostSolo; }},
    {"bock_ansage", "verlorener Ansage", [](HouseRules& r) -> bool& { return r.bock.triggers.lostAnnouncement; }},
    {"bock_null", "0-Punkte-Spiel", [](HouseRules& r) -> bool& { return r.bock.triggers.zeroGame; }},
    {"bock_hand", "von Hand (\xE2\x80\x9E" "Bock\xE2\x80\x9C am Spiel)", [](HouseRules& r) -> bool& { return r.bock.triggers.byHand; }},
};
// clang-format on

const Switch* switchOf(const std::string& name) {
    if (name == BELOW_120.name) return &BELOW_120;
    for (const Switch& s : EXTRA_POINTS) {
        if (name == s.name) return &s;
    }
    for (const Switch& s : BOCK_TRIGGERS) {
        if (name == s.name) return &s;
    }
    return nullptr;
}

// A row of choices right of its caption, in the order of the rule's values.
struct Choice {
    const char* name;
    const char* text;
};
constexpr Choice ANNOUNCEMENT[] = {{"ansage_plus2", "je +2 (Turnier)"},
                                   {"ansage_doppelt", "verdoppeln den Wert"}};
constexpr Choice EFFECT[] = {{"bock_mal2",
                              "\xC3\x97"
                              "2 je Stufe"},
                             {"bock_plus2", "+2 je Stufe"}};
constexpr Choice STACKING[] = {{"bock_stapeln", "stapeln"},
                               {"bock_verlaengern", "verl\xC3\xA4ngern"},
                               {"bock_ignorieren", "ignorieren"}};

class Builder {
  public:
    Builder(ValueWindowView& view, const HouseRules& rules) : view_(view), rules_(rules) {}
    ValueField& add(std::string name, FieldKind kind, std::string text, Rect rect) {
        ValueField& f = view_.fields.emplace_back();
        f.name = std::move(name);
        f.kind = kind;
        f.text = std::move(text);
        f.rect = rect;
        return f;
    }
    ValueField& caption(const std::string& name, std::string text, int top, int width) {
        return add("lb_" + name, FieldKind::Label, std::move(text),
                   {MARGIN, top + 2, width, LINE - 2});
    }
    ValueField& check(const Switch& s, int left, int top, int width) {
        HouseRules copy = rules_;
        ValueField& f = add(s.name, FieldKind::Check, s.text, {left, top, width, LINE});
        f.value = s.of(copy) ? 1 : 0;
        f.maximum = 1;
        return f;
    }
    template <std::size_t N>
    void choices(const Choice (&row)[N], int chosen, int top, bool enabled) {
        const int width = (WIDTH - MARGIN - CHOICES_LEFT) / static_cast<int>(N);
        for (std::size_t i = 0; i < N; ++i) {
            ValueField& f = add(row[i].name, FieldKind::Choice, row[i].text,
                                {CHOICES_LEFT + width * static_cast<int>(i), top, width - 4, LINE});
            f.value = static_cast<int>(i) == chosen ? 1 : 0;
            f.maximum = 1;
            f.enabled = enabled;
        }
    }

  private:
    ValueWindowView& view_;
    const HouseRules& rules_;
};

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\n") + line;
    return text;
}

// The extra points and "Re"/"Kontra"; returns the next top.
int addValues(Builder& b, const HouseRules& rules) {
    const int half = WIDTH - MARGIN - SECOND_COLUMN;
    b.caption("sonderpunkte", "Sonderpunkte (Turnier)", MARGIN, SECOND_COLUMN - MARGIN);
    b.add("lb_privat", FieldKind::Label, "Sonderpunkte (privat)",
          {SECOND_COLUMN, MARGIN + 2, half, LINE - 2});
    int top = MARGIN + LINE + 2;
    for (std::size_t i = 0; i < std::size(EXTRA_POINTS); ++i) {
        const bool tournament = i < 4;
        const int row = static_cast<int>(tournament ? i : i - 4);
        b.check(EXTRA_POINTS[i], tournament ? MARGIN : SECOND_COLUMN, top + row * LINE,
                tournament ? SECOND_COLUMN - MARGIN - 4 : half);
    }
    top += 4 * LINE + 10;
    b.caption("ansage", "Re und Kontra", top, CHOICES_LEFT - MARGIN - 4);
    b.choices(ANNOUNCEMENT, rules.values.announcementsDouble ? 1 : 0, top, true);
    top += LINE + 2;
    b.check(BELOW_120, MARGIN, top, WIDTH - 2 * MARGIN);
    return top + LINE + 12;
}

// The triggers and how Bock games count; returns the next top.
int addBock(Builder& b, const HouseRules& rules, int top) {
    const bool any = rules.bock.triggers.any();
    b.caption("bock", "Bockrunde nach", top, WIDTH - 2 * MARGIN);
    top += LINE + 2;
    for (std::size_t i = 0; i < std::size(BOCK_TRIGGERS); ++i) {
        const int column = static_cast<int>(i % 2), row = static_cast<int>(i / 2);
        b.check(BOCK_TRIGGERS[i], column == 0 ? MARGIN : SECOND_COLUMN, top + row * LINE,
                WIDTH - MARGIN - SECOND_COLUMN);
    }
    top += 3 * LINE + 8;
    b.caption("bock_wert", "Bockspiel", top, CHOICES_LEFT - MARGIN - 4).enabled = any;
    b.choices(EFFECT, rules.bock.effect == BockEffect::Double ? 0 : 1, top, any);
    top += LINE + 4;
    b.caption("bock_im_bock", "Bock im Bock", top, CHOICES_LEFT - MARGIN - 4).enabled = any;
    b.choices(STACKING, static_cast<int>(rules.bock.stacking), top, any);
    top += LINE + 4;
    const bool stack = any && rules.bock.stacking == BockStacking::Stack;
    b.caption("bock_stufe",
              "H\xC3\xB6"
              "chstens",
              top, CHOICES_LEFT - MARGIN - 4)
        .enabled = stack;
    ValueField& list = b.add("bock_stufe", FieldKind::List,
                             "H\xC3\xB6"
                             "chste Bockstufe",
                             {CHOICES_LEFT, top, 150, BOX});
    for (int level = 1; level <= MAX_BOCK_LEVEL; ++level)
        list.items.push_back(bockName(level));
    list.value = std::clamp(rules.bock.maxLevel, 1, MAX_BOCK_LEVEL) - 1;
    list.maximum = MAX_BOCK_LEVEL - 1;
    list.enabled = stack;
    return top + BOX + 12;
}

template <std::size_t N>
int chosenIndex(const Choice (&row)[N], const std::string& name) {
    for (std::size_t i = 0; i < N; ++i) {
        if (name == row[i].name) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

ValueWindowView rulesWindowView(const Program& p, const RulesWindowModel& w) {
    ValueWindowView view;
    Builder b(view, w.rules);
    int top = addValues(b, w.rules);
    top = addBock(b, w.rules, top);
    const int wide = WIDTH - 2 * MARGIN;
    b.add("zusammenfassung", FieldKind::Text, joined(describeRules(w.rules)),
          {MARGIN, top, wide, SUMMARY_HEIGHT});
    top += SUMMARY_HEIGHT + 6;
    b.add("wirkung", FieldKind::Label, w.effectText(p), {MARGIN, top, wide, LINE});
    top += LINE + 8;
    b.add("ok", FieldKind::Button, "OK", {WIDTH - MARGIN - 200, top, 100, 26}).enabled =
        p.pad.padOpen();
    b.add("abbrechen", FieldKind::Button, "Abbrechen", {WIDTH - MARGIN - 94, top, 94, 26});
    view.width = WIDTH;
    view.height = top + 26 + MARGIN;
    return view;
}

void rulesWindowInput(RulesWindowModel& w, const std::string& name, int value) {
    HouseRules& r = w.rules;
    const bool any = r.bock.triggers.any();
    if (const Switch* s = switchOf(name)) {
        s->of(r) = value != 0;
    } else if (const int i = chosenIndex(ANNOUNCEMENT, name); i >= 0) {
        if (value != 0) r.values.announcementsDouble = i == 1;
    } else if (const int e = chosenIndex(EFFECT, name); e >= 0 && any) {
        if (value != 0) r.bock.effect = e == 0 ? BockEffect::Double : BockEffect::PlusTwo;
    } else if (const int k = chosenIndex(STACKING, name); k >= 0 && any) {
        if (value != 0) r.bock.stacking = static_cast<BockStacking>(k);
    } else if (name == "bock_stufe" && any && r.bock.stacking == BockStacking::Stack) {
        if (value >= 0 && value < MAX_BOCK_LEVEL) r.bock.maxLevel = value + 1;
    }
}

}  // namespace kx
