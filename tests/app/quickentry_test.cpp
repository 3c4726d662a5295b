// Quick entry and undo on the real window: F2, typing, Enter, Escape,
// Alt+Backspace, Ctrl+Y and the "Bearbeiten" menu.
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>

#include "AppFixture.h"
#include "QuickEntryBar.h"

using namespace kx;
using namespace kx::test;

namespace {

struct QuickApp : AppFixture {
    QuickApp() {
        window->activateWindow();
        QVERIFY2(QTest::qWaitForWindowActive(window.get()), "window not active");
    }
    QuickEntryBar* bar() const { return widget<QuickEntryBar>("quickEntry"); }
    QLineEdit* field() const { return widget<QLineEdit>("quickEntryText"); }
    QString preview() const { return bar()->previewText(); }
    bool panelsShown() const { return widget("STB_2")->isVisible(); }
};

}  // namespace

class QuickEntryTest : public QObject {
    Q_OBJECT

  private slots:
    void f2TypingEnterAndEscape() {
        QuickApp app;
        app.menu(10)->trigger();
        QVERIFY(!app.bar()->isVisible());
        QTest::keyClick(app.widget("OKB"), Qt::Key_F2);
        QVERIFY(app.bar()->isVisible());
        QVERIFY(!app.panelsShown());  // in place of the status bar
        QVERIFY(app.field()->hasFocus());
        QCOMPARE(app.window->centralWidget()->size(), QSize(660, 680));  // the pad does not move

        QTest::keyClicks(app.field(), QStringLiteral("1 2 1x"));
        QCOMPARE(app.preview(), QStringLiteral("\u201e1x\u201c ist keine Punktzahl."));
        QTest::keyClick(app.field(), Qt::Key_Return);
        QCOMPARE(app.field()->text(), QStringLiteral("1 2 1x"));  // refused: nothing changes
        QCOMPARE(app.text("SPL_1"), QString());
        QTest::keyClick(app.field(), Qt::Key_Backspace);
        QCOMPARE(app.preview(), QStringLiteral("\u21b5 Spiel 1: 1 / 2 gewinnen 1"));
        QTest::keyClick(app.field(), Qt::Key_Enter);
        QCOMPARE(app.text("SPL_1"), QStringLiteral("1 / 2"));
        QCOMPARE(app.text("SPsum_3"), QStringLiteral("-1"));
        QVERIFY(app.field()->text().isEmpty());
        QVERIFY(app.bar()->isVisible());  // open for the next game
        // Its editing keys are the field's, as in the name fields.
        QTest::keyClicks(app.field(), QStringLiteral("2 3"));
        QTest::keyClick(app.field(), Qt::Key_A, Qt::ControlModifier);
        QVERIFY(app.program.pad.autosaveEnabled);
        QCOMPARE(app.field()->selectedText(), QStringLiteral("2 3"));
        app.field()->clear();

        QTest::keyClick(app.field(), Qt::Key_Escape);
        QVERIFY(!app.bar()->isVisible());
        QVERIFY(app.panelsShown());
        QCOMPARE(app.text("STB_5"), QStringLiteral("Gespielt: 1"));
    }

    void aLetterOrDigitOpensItOutsideTheNameFields() {
        QuickApp app;
        app.menu(11)->trigger();
        app.widget("WER1_4")->setFocus();
        QTest::keyClick(app.widget("WER1_4"), Qt::Key_3);
        QVERIFY(app.bar()->isVisible());
        QCOMPARE(app.field()->text(), QStringLiteral("3"));
        QTest::keyClicks(app.field(), QStringLiteral(" 1 4"));
        QCOMPARE(app.preview(), QStringLiteral("1 setzt in diesem Spiel aus."));
        QTest::keyClick(app.field(), Qt::Key_Escape);

        auto* name = app.widget<QLineEdit>("NMS_2");
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Bea"));
        QVERIFY(!app.bar()->isVisible());
        QCOMPARE(app.program.pad.playerNames[2], std::string("Bea"));
    }

    void undoRedoKeysAndMenu() {
        QuickApp app;
        QMenuBar* bar = app.window->menuBar();
        QStringList titles;
        for (QAction* title : bar->actions())
            titles << title->text().remove(QLatin1Char('&'));
        QCOMPARE(titles, (QStringList{"Datei", "Block", "Optionen", "Bearbeiten", "Ansicht",
                                      "Extras", "?"}));
        QCOMPARE(app.caption(26), QStringLiteral("R\u00fcckg\u00e4ngig\tAlt+R\u00fccktaste"));
        QVERIFY(!app.menu(26)->isEnabled());
        QCOMPARE(app.caption(27), QStringLiteral("Wiederherstellen\t^Y"));
        QVERIFY(!app.menu(27)->isEnabled());
        QCOMPARE(app.caption(29), QStringLiteral("Schnelleingabe\tF2"));

        app.menu(10)->trigger();
        app.click("WER1_6");
        app.choose("WAS1", QStringLiteral("5"));
        app.click("OKB");
        QCOMPARE(app.caption(26),
                 QStringLiteral("R\u00fcckg\u00e4ngig: Spiel 1\tAlt+R\u00fccktaste"));
        QVERIFY(app.menu(26)->isEnabled());

        QTest::keyClick(app.widget("OKB"), Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(app.text("SPL_1"), QString());
        QCOMPARE(app.text("SPsum_3"), QStringLiteral("0"));
        QVERIFY(
            app.widget<QRadioButton>("WER1_6")->isChecked());  // the panel as it was before "OK"
        QCOMPARE(app.caption(27), QStringLiteral("Wiederherstellen: Spiel 1\t^Y"));
        QVERIFY(app.menu(27)->isEnabled());
        QCOMPARE(app.caption(26),
                 QStringLiteral("R\u00fcckg\u00e4ngig: Neuer Block\tAlt+R\u00fccktaste"));

        QTest::keyClick(app.widget("OKB"), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(app.text("SPL_1"), QStringLiteral("3 / 4"));
        QVERIFY(!app.menu(27)->isEnabled());

        // A new pad for six players goes back to the four-player pad, window width included.
        app.menu(12)->trigger();
        QCOMPARE(app.window->centralWidget()->width(), 820);
        QTest::keyClick(app.widget("OKB"), Qt::Key_Backspace, Qt::AltModifier);
        QCOMPARE(app.window->centralWidget()->width(), 660);
        QCOMPARE(app.text("SPL_1"), QStringLiteral("3 / 4"));
        QVERIFY(!app.widget("NMS_5")->isVisible());

        // A rename is one step once the field is left.
        auto* name = app.widget<QLineEdit>("NMS_1");
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Ida"));
        app.widget("OKB")->setFocus();
        QCOMPARE(app.caption(26),
                 QStringLiteral("R\u00fcckg\u00e4ngig: Name 1\tAlt+R\u00fccktaste"));
        app.menu(26)->trigger();
        QCOMPARE(name->text(), QStringLiteral("1"));
        app.menu(27)->trigger();
        QCOMPARE(name->text(), QStringLiteral("Ida"));
    }
};

QTEST_MAIN(QuickEntryTest)
#include "quickentry_test.moc"
