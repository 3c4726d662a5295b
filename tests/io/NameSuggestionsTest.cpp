// The names the name fields offer, read from the pad files the program keeps.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "io/NameSuggestions.h"
#include "io/PadFile.h"
#include "support/TestProgram.h"
#include "view/Commands.h"
#include "view/PadLayout.h"
#include "view/UserActions.h"

namespace kx {
namespace {

using test::TestProgram;
using Names = std::vector<std::string>;

// Writes a pad with one game and these names, changed `hoursAgo` hours ago.
void writePad(const std::string& path, const Names& names, int hoursAgo) {
    TestProgram t;
    t.p.pad.autosaveEnabled = false;
    newPad(t.p, static_cast<int>(names.size()));
    for (std::size_t k = 0; k < names.size(); ++k)
        ASSERT_TRUE(editName(t.p, static_cast<int>(k) + 1, names[k]));
    ASSERT_TRUE(test::enterPair(t.p, 2, 3, 1));
    ASSERT_TRUE(writePadFile(t.p, path));
    std::filesystem::last_write_time(
        path, std::filesystem::file_time_type::clock::now() - std::chrono::hours(hoursAgo));
}

TEST(NameSuggestions, FromThePadFilesMostRecentFirst) {
    TestProgram t;
    const std::string in = t.folder;
    writePad(in + "abend-alt.hsc", {"Anna", "Bert", "Carla", "4"}, 30);
    writePad(in + "autosave.hsc", {"anna", "Dora", "", " Emil "}, 1);
    writePad(in + "save01-12-2026_20_5.hsc", {"Bert", "Frieda", "3", "Gustav", "Hein"}, 5);
    test::putFile(in + "kaputt.hsc", "Kartotrix---kein Block");
    test::putFile(in + "namen.txt", "Zora");
    std::filesystem::create_directory(in + "ordner.hsc");
    EXPECT_EQ(nameSuggestions(*t.files, in),
              (Names{"anna", "Dora", "Emil", "Bert", "Frieda", "Gustav", "Hein", "Carla"}));

    // A new pad offers the names of the evening just left, which its autosave holds.
    t.p.pad.autosaveEnabled = true;
    frm0_MenuEvent(t.p, CMD_PAD4);
    ASSERT_TRUE(editName(t.p, 2, "Ida"));
    ASSERT_TRUE(test::enterPair(t.p, 1, 2, 1));
    frm0_MenuEvent(t.p, CMD_PAD4);
    ASSERT_FALSE(t.p.ui.nameSuggestions.empty());
    EXPECT_EQ(t.p.ui.nameSuggestions.front(), "Ida");
}

}  // namespace
}  // namespace kx
