// The window "Spielwert" on the real main window, offscreen: F3 opens it
// beside the panel, its inputs reckon as they change, "Übernehmen" fills the
// panel and "OK" enters the game.
#include <QCheckBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include "AppFixture.h"
#include "view/Commands.h"

using namespace kx;
using namespace kx::test;

namespace {

struct ValueApp : AppFixture {
    QDialog* dialog = nullptr;

    // F3 on the main window; the window "Spielwert" is then on screen.
    void open() {
        QTest::keyClick(widget("OKB"), Qt::Key_F3);
        dialog = window->valueWindow();
        QVERIFY(dialog && dialog->isVisible());
    }
    template <typename T = QWidget>
    T* field(const char* name) const {
        return dialog->findChild<T*>(QString::fromLatin1(name));
    }
    void tick(const char* name) const {
        QWidget* box = field(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    void type(const char* name, const QString& number) const {
        auto* spin = field<QSpinBox>(name);
        spin->selectAll();
        QTest::keyClicks(spin, number);
    }
    QString reckoning() const { return field<QPlainTextEdit>("abrechnung")->toPlainText(); }
    QString entry() const { return field<QLabel>("eintrag")->text(); }
};

}  // namespace

class ValueWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void besideThePanelAndReckoningAsInputsChange() {
        ValueApp app;
        app.menu(CMD_PAD5)->trigger();
        const QRect main = app.window->frameGeometry();
        QVERIFY(app.caption(CMD_VALUE_WINDOW).startsWith(QStringLiteral("Spielwert berechnen")));
        app.open();
        QCOMPARE(app.dialog->windowTitle(), QStringLiteral("Spielwert"));
        QCOMPARE(app.window->frameGeometry(), main);  // the pad stays where it is
        // Never over the entry panel with its "OK".
        const QRect ok(app.widget("OKB")->mapToGlobal(QPoint(0, 0)), app.widget("OKB")->size());
        QVERIFY(!app.dialog->frameGeometry().intersects(ok));

        QVERIFY(!app.field("re_1")->isEnabled());  // the dealer sits out
        QVERIFY(!app.field("re_6")->isVisible());
        QVERIFY(!app.field("uebernehmen")->isEnabled());
        app.tick("re_2");
        app.tick("re_4");
        QCOMPARE(app.field<QLabel>("kontra")->text(), QStringLiteral("3 und 5"));
        app.type("augen_kontra", QStringLiteral("160"));
        QCOMPARE(app.field<QSpinBox>("augen_re")->value(), 80);
        app.tick("ansage_kontra");
        QCOMPARE(app.reckoning(), QStringLiteral("gewonnen 1\nunter 90 gespielt 1\nKontra angesagt "
                                                 "2\ngegen die Alten 1\nSpielwert 5\n"
                                                 "Gewinner: Kontra"));
        QCOMPARE(app.entry(),
                 QStringLiteral("\u00dcbernehmen w\u00e4hlt Spiel 1: 3 / 5 gewinnen 5."));

        // An impossible game says why and cannot be taken over.
        app.tick("ohne_stich_kontra");
        QCOMPARE(app.field<QSpinBox>("augen_re")->value(), 240);
        app.type("augen_re", QStringLiteral("200"));
        QCOMPARE(app.entry(), QStringLiteral("Die Kontra-Partei hat keinen Stich, aber 40 Augen."));
        QVERIFY(!app.field("uebernehmen")->isEnabled());
    }

    void takeOverThenOkEntersTheGame() {
        ValueApp app;
        app.menu(CMD_PAD4)->trigger();
        app.open();
        app.tick("re_1");
        app.tick("re_3");
        app.type("augen_re", QStringLiteral("190"));
        app.tick("ansage_re");
        QVERIFY(app.field("uebernehmen")->isEnabled());
        app.field<QPushButton>("uebernehmen")->click();
        // The panel holds the choices; nothing is entered before "OK".
        QVERIFY(app.widget<QRadioButton>("WER1_2")->isChecked());
        QCOMPARE(app.widget<QComboBox>("WAS1")->currentText(), QStringLiteral("5"));
        QCOMPARE(app.text("SPL_1"), QString());
        app.click("OKB");
        QCOMPARE(app.text("SPL_1"), QStringLiteral("1 / 3"));
        QCOMPARE(app.text("PKT_1"), QStringLiteral("5"));
        // Ready for the next game.
        QVERIFY(!app.field<QCheckBox>("re_1")->isChecked());
        QVERIFY(!app.field<QCheckBox>("ansage_re")->isChecked());

        QTest::keyClick(app.field("augen_re"), Qt::Key_Escape);
        QVERIFY(!app.dialog->isVisible());
    }
};

QTEST_MAIN(ValueWindowTest)
#include "valuewindow_test.moc"
