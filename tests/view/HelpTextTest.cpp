// The help page as plain text for the Windows program's own help window.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "view/HelpText.h"

namespace kx {
namespace {

TEST(HelpText, LeavesOutTheHeadAndKeepsTheTextInLines) {
    const std::string page =
        "<!DOCTYPE html><html><head><title>Hilfe</title><style>h1 { color: red; }</style></head>"
        "<body><!-- a note --><h1 id=\"top\">Kartotrix &ndash; Hilfe</h1>\n"
        "<p>Ein   Block\n  f\xC3\xBCr den <b>Abend</b>.<br>Zweite Zeile</p>"
        "<ul><li>Erstens</li>\n<li>Zweitens &amp; mehr</li></ul>"
        "<table><tr><th>Taste</th><th>Befehl</th></tr><tr><td>F2</td><td>Schnelleingabe</td></tr>"
        "</table><pre>1 2 3\n  s 3 6</pre><script>var x = '<p>';</script></body></html>";
    EXPECT_EQ(helpPlainText(page),
              "Kartotrix \xE2\x80\x93 Hilfe\n\n"
              "Ein Block f\xC3\xBCr den Abend.\nZweite Zeile\n\n"
              "\xE2\x80\xA2 Erstens\n\xE2\x80\xA2 Zweitens & mehr\n\n"
              "Taste | Befehl\nF2 | Schnelleingabe\n\n"
              "1 2 3\n  s 3 6\n");
}

TEST(HelpText, DecodesNumberedEntitiesAndKeepsUnknownOnes) {
    EXPECT_EQ(helpPlainText("&#8222;Laden&#x201C; &lt;a&gt; &copy; &#0; a & b"),
              "\xE2\x80\x9ELaden\xE2\x80\x9C <a> &copy; &#0; a & b\n");
    EXPECT_EQ(helpPlainText(""), "");
    EXPECT_EQ(helpPlainText("<p>offen"), "offen\n");
    EXPECT_EQ(helpPlainText("Text <b"), "Text\n");  // a tag cut off at the end
}

TEST(HelpText, TheProgramsHelpPageBecomesReadableText) {
    std::ifstream in(KARTOTRIX_SOURCE_DIR "/data/KartotrixHilfe.html", std::ios::binary);
    ASSERT_TRUE(in) << "the help page is missing";
    const std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string text = helpPlainText(page);
    EXPECT_EQ(text.find('<'), std::string::npos);
    EXPECT_EQ(text.find("font-family"), std::string::npos);
    EXPECT_EQ(text.find("&amp;"), std::string::npos);
    EXPECT_EQ(text.find("\n\n\n"), std::string::npos);
    EXPECT_NE(text.find("Schnelleingabe"), std::string::npos);
    EXPECT_EQ(text.rfind("Kartotrix", 0), 0u) << text.substr(0, 80);
}

}  // namespace
}  // namespace kx
