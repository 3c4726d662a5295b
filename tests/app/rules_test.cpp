// The window "Hausregeln" on the real main window, offscreen: it waits for a
// pad, greys what does not apply, and "OK" changes the pad's rules after the
// question that names the games that change.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "AppFixture.h"
#include "view/Commands.h"

using namespace kx;
using namespace kx::test;

class RulesWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void okPutsTheRulesIntoThePad() {
        AppFixture app;
        QVERIFY(!app.menu(CMD_HOUSE_RULES)->isEnabled());
        app.menu(CMD_PAD4)->trigger();
        QCOMPARE(app.caption(CMD_HOUSE_RULES), QStringLiteral("Hausregeln\u2026"));
        QVERIFY(app.menu(CMD_HOUSE_RULES)->isEnabled());
        QVERIFY(enterPair(app.program, 1, 2, 0));
        QVERIFY(enterPair(app.program, 1, 3, 2));

        bool acted = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog && dialog->objectName() == QStringLiteral("hausregeln"));
            const auto field = [dialog](const char* name) {
                return dialog->findChild<QAbstractButton*>(QString::fromLatin1(name));
            };
            QVERIFY(!field("bock_stapeln")->isEnabled());
            field("bock_null")->click();
            QVERIFY(field("bock_null")->isChecked());
            QVERIFY(field("bock_stapeln")->isEnabled());
            field("bock_verlaengern")->click();
            QVERIFY(!field("bock_stapeln")->isChecked());
            QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("wirkung"))->text(),
                     QStringLiteral("\u00c4ndert 1 Spiel."));
            field("ok")->click();
            acted = true;
        });
        app.menu(CMD_HOUSE_RULES)->trigger();
        QVERIFY(acted);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(app.dialogs.messages.size(), std::size_t{1});  // the question, answered "Ja"
        QVERIFY(app.program.pad.houseRules.bock.triggers.zeroGame);
        QCOMPARE(app.program.pad.houseRules.bock.stacking, BockStacking::Extend);
        QCOMPARE(app.text("PKT_2"), QStringLiteral("4"));
    }
};

QTEST_MAIN(RulesWindowTest)
#include "rules_test.moc"
