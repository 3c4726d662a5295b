// The statistics' points without Bock: the same evening played without Bock.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "io/PadFile.h"
#include "io/Statistics.h"
#include "support/TestProgram.h"
#include "view/PadLayout.h"
#include "view/QuickEntry.h"
#include "view/RulesWindow.h"
#include "view/UserActions.h"

namespace kx {
namespace {

const std::vector<std::string> NAMES{"Anna", "Bert", "Carla", "Dirk"};

// Quick-entry lines; " bock" marks a game where the rules allow it.
void writeEvening(const std::string& path, const HouseRules& rules,
                  const std::vector<std::string>& lines) {
    test::TestProgram t;
    t.p.pad.autosaveEnabled = false;
    newPad(t.p, 4);
    for (int k = 1; k <= 4; ++k)
        ASSERT_TRUE(editName(t.p, k, NAMES[static_cast<std::size_t>(k - 1)]));
    if (!rules.isDefault()) {
        ASSERT_TRUE(changeHouseRules(t.p, rules));
    }
    for (std::string line : lines) {
        if (!rules.bock.triggers.byHand && line.ends_with(" bock")) line.resize(line.size() - 5);
        ASSERT_TRUE(enterQuickEntry(t.p, line)) << line;
    }
    ASSERT_TRUE(writePadFile(t.p, path));
}

Statistics statisticsOf(test::TestProgram& t, const std::string& name, const HouseRules& rules) {
    const std::string folder = t.file(name);
    std::filesystem::create_directory(folder);
    writeEvening(
        folder + "/a.hsc", rules,
        {"s 2 6", "1 2 3 bock", "1 3 2", "2 -9", "3 4 1 bock", "2 4 4", "1 2 2", "s 1 -9"});
    writeEvening(folder + "/b.hsc", {}, {"1 2 1", "3 4 2"});
    return collectStatistics(*t.files, folder);
}

TEST(BockStatistics, PointsWithoutBockAreThoseOfTheEveningWithoutIt) {
    HouseRules doubled;
    doubled.bock.triggers.byHand = true;
    HouseRules plusTwo = doubled;
    plusTwo.bock.effect = BockEffect::PlusTwo;
    test::TestProgram t;
    const Statistics plain = statisticsOf(t, "ohne", {});
    EXPECT_FALSE(plain.bock);
    EXPECT_EQ(statisticsText(plain).find(WITHOUT_BOCK_HEADING), std::string::npos);
    for (const HouseRules& rules : {doubled, plusTwo}) {
        const Statistics s = statisticsOf(t, rules == doubled ? "doppelt" : "plus2", rules);
        EXPECT_TRUE(s.bock);
        EXPECT_NE(statisticsText(s).find(WITHOUT_BOCK_HEADING), std::string::npos);
        std::map<std::string, long long> with, without, played;
        for (const PlayerStatistics& player : s.players)
            with[player.name] = player.points, without[player.name] = player.pointsWithoutBock;
        for (const PlayerStatistics& player : plain.players)
            played[player.name] = player.points;
        EXPECT_EQ(without, played);
        EXPECT_NE(with, played);
    }
}

}  // namespace
}  // namespace kx
