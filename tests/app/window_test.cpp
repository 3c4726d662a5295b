// Plays on the real window as a user would: menu, option buttons, lists, "OK".
#include <QAbstractItemView>
#include <QClipboard>
#include <QCompleter>
#include <QDateTime>
#include <QFile>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolTip>

#include "AppFixture.h"
#include "StatusStrip.h"
#include "io/PadFile.h"
#include "view/PadLayout.h"
#include "view/UserActions.h"

using namespace kx;
using namespace kx::test;

namespace {

// Types text character by character, umlauts included.
void typeText(QWidget* field, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(field, &press);
    }
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void startsWithoutPad() {
        AppFixture app;
        QCOMPARE(app.window->windowTitle(), QStringLiteral("  Kartotrix  "));
        QVERIFY(!app.widget("MDS_1")->isEnabled());
        QVERIFY(!app.widget("WER1_1")->isVisible());
        QVERIFY(!app.shown("CNT_1"));
        QVERIFY(!app.menu(2)->isEnabled());
        QVERIFY(app.menu(18)->isChecked());
        QCOMPARE(app.text("STB_1"), QStringLiteral("Kartotrix v1.0.2.5"));
        QCOMPARE(app.widget<QLineEdit>("NMS_4")->text(), QStringLiteral("4"));
        QCOMPARE(app.window->centralWidget()->size(), QSize(660, 680));
    }

    void playsFivePlayerGames() {
        AppFixture app;
        app.menu(11)->trigger();  // "Block" → "5 Spieler"
        QCOMPARE(app.window->centralWidget()->width(), 740);
        QVERIFY(app.widget("NMS_5")->isVisible());
        QCOMPARE(app.text("SP1_1"), QStringLiteral("xxx"));
        QCOMPARE(app.text("CNT_26"), QStringLiteral("S1"));

        typeText(app.widget("NMS_2"), QStringLiteral("ä"));
        app.widget<QLineEdit>("NMS_1")->setFocus();
        QTest::keyClick(app.widget("NMS_1"), Qt::Key_Backspace);
        typeText(app.widget("NMS_1"), QStringLiteral("Jörg"));
        QCOMPARE(app.text("STB_2"), QStringLiteral("Geber: Jörg"));
        QCOMPARE(app.program.pad.playerNames[2], std::string("2\xC3\xA4"));

        // Dealer 1 sits out: the choices with player 1 cannot be clicked.
        QVERIFY(!app.widget("WER1_1")->isEnabled());
        app.click("WER1_6");  // "3 / 4"
        QVERIFY(app.widget<QRadioButton>("WER1_6")->isChecked());
        app.choose("WAS1", QStringLiteral("2"));
        app.click("OKB");

        QCOMPARE(app.text("SPL_1"), QStringLiteral("3 / 4"));
        QCOMPARE(app.text("PKT_1"), QStringLiteral("2"));
        const QStringList row1{app.text("SP1_1"), app.text("SP2_1"), app.text("SP3_1"),
                               app.text("SP4_1"), app.text("SP5_1")};
        QCOMPARE(row1, (QStringList{"xxx", "-2", "2", "2", "-2"}));
        QCOMPARE(app.text("SPsum_3"), QStringLiteral("2"));
        QCOMPARE(app.text("STB_2"), QStringLiteral("Geber: 2ä"));
        QCOMPARE(app.text("STB_4"), QStringLiteral("Umsatz: 4"));
        QCOMPARE(app.text("STB_5"), QStringLiteral("Gespielt: 1"));
        QVERIFY(!app.widget<QRadioButton>("WER1_6")->isChecked());  // the panel is cleared
        QVERIFY(app.widget("WER1_2")->isEnabled());                 // "1 / 3": player 1 plays again
        QVERIFY(!app.widget("WER1_4")->isEnabled());                // player 2 deals

        // Winners light green, losers light red, the dealer's 0 in between.
        QCOMPARE(app.paintedColour("SPsum_3"), QColor(140, 255, 140));
        QCOMPARE(app.paintedColour("NMS_4"), QColor(140, 255, 140));
        QCOMPARE(app.paintedColour("SPsum_2"), QColor(255, 140, 140));
        QCOMPARE(app.paintedColour("SPsum_1"), QColor(210, 255, 140));

        // A mandatory solo with its dealer; the soloist's single-player choice appears.
        QVERIFY(!app.widget("WER1_18")->isVisible());
        app.click("MDS_2");
        app.click("WER2_3");
        app.choose("WAS2", QStringLiteral("-6"));
        app.choose("WIE2", QStringLiteral("5"));
        app.click("OKB");
        QCOMPARE(app.text("SPL_26"), QStringLiteral("3"));
        QCOMPARE(app.text("SP5_26"), QStringLiteral("xxx"));
        QCOMPARE(app.text("SP1_26"), QStringLiteral("2"));
        QCOMPARE(app.text("STB_6"), QStringLiteral("Soli: 1"));
        QVERIFY(!app.widget("WER2_3")->isVisible());
        QVERIFY(app.widget("WER1_18")->isVisible());
    }

    void editingKeysBelongToTheNameFieldOtherKeysToTheWindow() {
        AppFixture app;
        app.menu(10)->trigger();
        auto* field = app.widget<QLineEdit>("NMS_2");
        field->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("Bea"));
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);  // selects the "2"
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);  // pastes over it
        QCOMPARE(field->text(), QStringLiteral("Bea"));
        QCOMPARE(app.program.pad.playerNames[2], std::string("Bea"));
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);  // undoes the paste
        QCOMPARE(field->text(), QStringLiteral("2"));
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(field, Qt::Key_Y, Qt::ControlModifier);
        for (Qt::Key key : {Qt::Key_C, Qt::Key_X})
            QTest::keyClick(field, key, Qt::ControlModifier);
        // No option changed and About did not open.
        for (int entry : {17, 18, 19})
            QVERIFY(app.menu(entry)->isChecked());
        QVERIFY(app.program.pad.autosaveEnabled && app.program.pad.rowChangeEnabled);
        QVERIFY(app.window->secondaryWindow() == nullptr);

        // Elsewhere Ctrl+Z is "Zeile ändern"; the other commands act in the field too.
        app.widget("WAS1")->setFocus();
        QTest::keyClick(app.widget("WAS1"), Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(!app.menu(17)->isChecked());
        field->setFocus();
        QTest::keyClick(field, Qt::Key_B, Qt::ControlModifier);
        QVERIFY(!app.menu(19)->isChecked());
        QTest::keyClick(field, Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!app.window->isVisible());
    }

    void enteringANameFieldSelectsTheName() {
        AppFixture app;
        app.menu(10)->trigger();
        QTest::mouseClick(app.widget("NMS_2"), Qt::LeftButton, Qt::NoModifier, QPoint(60, 10));
        QTest::keyClicks(app.widget("NMS_2"), QStringLiteral("Bea"));
        QCOMPARE(app.widget<QLineEdit>("NMS_2")->text(), QStringLiteral("Bea"));
        QCOMPARE(app.text("STB_2"), QStringLiteral("Geber: 1"));
        QTest::keyClick(app.widget("NMS_2"), Qt::Key_Tab);  // on to field 3
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Jo"));
        QCOMPARE(app.widget<QLineEdit>("NMS_3")->text(), QStringLiteral("Jo"));
    }

    void newPadForFewerPlayersHidesTheRest() {
        AppFixture app;
        app.menu(12)->trigger();
        QCOMPARE(app.window->centralWidget()->width(), 820);
        QVERIFY(app.shown("SP6_39"));
        app.menu(10)->trigger();
        QCOMPARE(app.window->centralWidget()->width(), 660);
        QVERIFY(!app.shown("SP6_39"));
        QVERIFY(!app.shown("SP5_1"));
        QVERIFY(!app.shown("CNT_28"));
        QVERIFY(!app.shown("NMS_5"));
        QVERIFY(!app.shown("SPsum_5"));
    }

    void mouseMovementShowsElapsedTime() {
        AppFixture app;
        app.clock.setSeconds(10 * 3600);
        app.menu(10)->trigger();
        app.clock.setSeconds(10 * 3600 + 185);
        QTest::mouseMove(app.pad(), app.place("CNT_1").topLeft() + QPoint(3, 3));
        QTest::mouseMove(app.window->centralWidget(), QPoint(300, 650));
        QCOMPARE(app.text("STB_7"), QStringLiteral("Zeit: 3 min"));
    }

    // Three digits of minutes show whole at scale 1, in the panel's own
    // width; a quick entry and a key bring the time up to date without the mouse.
    void elapsedTimeFitsItsPanelWithoutTheMouse() {
        AppFixture app;
        QCOMPARE(app.program.shell.zoom, 1.0);
        app.clock.setSeconds(10 * 3600);
        app.menu(10)->trigger();
        auto* panel = app.widget<StatusPanelLabel>("STB_7");
        const QRect place = panel->geometry();
        const int clockLeft = app.widget("STB_8")->x();
        QCOMPARE(place.width(), 80);

        app.clock.setSeconds(10 * 3600 + 165 * 60);
        QTest::keyClick(app.widget("OKB"), Qt::Key_F2);
        QTest::keyClicks(app.widget("quickEntryText"), QStringLiteral("1 2 1"));
        QTest::keyClick(app.widget("quickEntryText"), Qt::Key_Return);
        QCOMPARE(app.text("SPL_1"), QStringLiteral("1 / 2"));
        QTest::keyClick(app.widget("quickEntryText"), Qt::Key_Escape);
        QCOMPARE(app.text("STB_7"), QStringLiteral("Zeit: 165 min"));
        QVERIFY(panel->isVisible());
        QVERIFY(!panel->elided());

        app.clock.setSeconds(10 * 3600 + 999 * 60);
        QTest::keyClick(app.widget("OKB"), Qt::Key_Shift);
        QCOMPARE(app.text("STB_7"), QStringLiteral("Zeit: 999 min"));
        QVERIFY(!panel->elided());
        QVERIFY(panel->toolTip().isEmpty());
        QVERIFY(QFontInfo(panel->shownFont()).pixelSize() >= 8);
        QCOMPARE(panel->geometry(), place);
        QCOMPARE(app.widget("STB_8")->x(), clockLeft);
    }

    // A long name shows its beginning after editing, in the name field and in
    // the dealer's panel, and whole in their tooltips.
    void longNamesShowTheirBeginning() {
        AppFixture app;
        app.menu(10)->trigger();
        const QString name = QStringLiteral("D\u00f6rte J\u00fcrgen Stra\u00dfe");
        auto* field = app.widget<QLineEdit>("NMS_1");
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(60, 10));
        typeText(field, name);
        QTest::keyClick(field, Qt::Key_Tab);
        QVERIFY(!field->hasFocus());
        QCOMPARE(field->text(), name);
        QCOMPARE(field->cursorPosition(), 0);
        QHelpEvent help(QEvent::ToolTip, QPoint(10, 10), field->mapToGlobal(QPoint(10, 10)));
        QApplication::sendEvent(field, &help);
        QCOMPARE(QToolTip::text(), name);

        auto* dealer = app.widget<StatusPanelLabel>("STB_2");
        QCOMPARE(dealer->text(), QStringLiteral("Geber: ") + name);
        QVERIFY(dealer->elided());
        QCOMPARE(dealer->toolTip(), dealer->text());
    }

    // The name fields complete from the names of the pads in the program's
    // folder, the most recent evening first.
    void nameFieldsSuggestNamesOfEarlierEvenings() {
        AppFixture app;
        const auto writePad = [&](const char* file, std::vector<std::string> names, int hoursAgo) {
            TestProgram t;
            t.p.pad.autosaveEnabled = false;
            newPad(t.p, 4);
            for (int k = 1; k <= 4; ++k)
                QVERIFY(editName(t.p, k, names[static_cast<std::size_t>(k - 1)]));
            QVERIFY(enterPair(t.p, 1, 2, 1));
            const QString path = app.dir.filePath(QString::fromLatin1(file));
            QVERIFY(writePadFile(t.p, stdstr(path)));
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-3600 * hoursAgo),
                                  QFileDevice::FileModificationTime));
        };
        writePad("montag.hsc", {"Bernd", "Anna", "3", "Berta"}, 48);
        writePad("autosave.hsc", {"Bea", "Carl", "Dora", "Emil"}, 1);
        app.menu(10)->trigger();

        auto* field = app.widget<QLineEdit>("NMS_2");
        QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(60, 10));
        QTest::keyClicks(field, QStringLiteral("b"));
        QCompleter* completer = field->completer();
        QStringList offered;
        for (int row = 0; row < completer->completionCount(); ++row) {
            completer->setCurrentRow(row);
            offered << completer->currentCompletion();
        }
        QCOMPARE(offered, (QStringList{QStringLiteral("Bea"), QStringLiteral("Bernd"),
                                       QStringLiteral("Berta")}));
        QVERIFY(completer->popup()->isVisible());
        QTest::keyClick(completer->popup(), Qt::Key_Down);
        QTest::keyClick(completer->popup(), Qt::Key_Down);
        QTest::keyClick(completer->popup(), Qt::Key_Return);
        QCOMPARE(field->text(), QStringLiteral("Bernd"));
        QCOMPARE(app.program.pad.playerNames[2], std::string("Bernd"));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
