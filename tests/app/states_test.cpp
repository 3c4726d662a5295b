// The window "Frühere Stände" on the real main window: its rows, the preview
// of the chosen state, and "Wiederherstellen". The window is modal; the test
// acts in it from a timer.
#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <functional>

#include "AppFixture.h"
#include "view/Commands.h"

using namespace kx;
using namespace kx::test;

namespace {

// Once the window is on screen, runs `act` on it (once).
void whenShown(std::function<void(QWidget*)> act) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window || window->objectName() != QLatin1String("fruehere_staende")) return;
        timer->stop();
        timer->deleteLater();
        act(window);
    });
    timer->start(5);
}

}  // namespace

class StatesTest : public QObject {
    Q_OBJECT

  private slots:
    void listsPreviewsAndRestoresAState() {
        AppFixture app;
        app.clock.setSeconds(20 * 3600);
        app.menu(10)->trigger();
        QVERIFY(enterPair(app.program, 1, 2, 3));
        app.clock.setSeconds(20 * 3600 + 90);
        QVERIFY(enterPair(app.program, 3, 4, 5));
        app.menu(CMD_CLEAR_PAD)->trigger();  // kept already: nothing new
        QCOMPARE(app.caption(CMD_EARLIER_STATES), QStringLiteral("Frühere Stände…"));

        int rows = 0;
        QString firstPreview, secondPreview;
        whenShown([&](QWidget* window) {
            auto* table = window->findChild<QTableWidget*>(QStringLiteral("staende_table"));
            auto* preview = window->findChild<QPlainTextEdit*>(QStringLiteral("staende_preview"));
            rows = table->rowCount();
            firstPreview = preview->toPlainText();
            table->setCurrentCell(1, 0);
            secondPreview = preview->toPlainText();
            window->findChild<QPushButton*>(QStringLiteral("staende_restore"))->click();
        });
        app.menu(CMD_EARLIER_STATES)->trigger();
        QCOMPARE(rows, 2);
        QVERIFY(firstPreview.contains(QStringLiteral("\n2   3 / 4     5")));
        QVERIFY(!secondPreview.contains(QStringLiteral("3 / 4")));
        // The older state is the pad again, and the window has closed.
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(app.text("SPL_1"), QStringLiteral("1 / 2"));
        QCOMPARE(app.text("SPL_2"), QString());
        QVERIFY(app.caption(CMD_UNDO).startsWith(QStringLiteral("Rückgängig: Laden\t")));
    }
};

QTEST_MAIN(StatesTest)
#include "states_test.moc"
