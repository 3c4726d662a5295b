// About, the quit confirmation and help on the real window. The secondary
// windows run in a nested event loop; the test acts in them from a timer.
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>
#include <functional>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>

#include <sys/stat.h>

#include "AppFixture.h"
#include "HelpBrowser.h"
#include "view/SecondaryWindows.h"

using namespace kx;
using namespace kx::test;

namespace {

// Once a secondary window is on screen, runs `act` on it (once).
void whenShown(AppFixture& app, std::function<void(QDialog*)> act) {
    auto* timer = new QTimer(app.window.get());
    QObject::connect(timer, &QTimer::timeout, timer, [&app, timer, act] {
        QDialog* dialog = app.window->secondaryWindow();
        if (!dialog || !dialog->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start(5);
}

// Once a popup menu is on screen, runs `act` on it (once).
void whenMenuShown(QObject* owner, std::function<void(QMenu*)> act) {
    auto* timer = new QTimer(owner);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu || !menu->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        act(menu);
    });
    timer->start(5);
}

QList<bool> enabledStates(QMenu* menu) {
    QList<bool> states;
    for (QAction* action : menu->actions())
        states.append(action->isEnabled());
    return states;
}

// A right-click on a painted label: the press, then the context menu it asks for.
void rightClick(AppFixture& app, const char* label, Qt::KeyboardModifiers modifiers = {}) {
    app.clickLabel(label, Qt::RightButton, modifiers);
    const QPoint at = app.place(label).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, app.pad()->mapToGlobal(at), modifiers);
    QApplication::sendEvent(app.pad(), &event);
}

void press(QDialog* dialog, const char* button) {
    dialog->findChild<QPushButton*>(QString::fromLatin1(button))->click();
}

}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void cancelledQuitKeepsTheWindowAndAsksAgain() {
        AppFixture app;
        int asked = 0;
        bool disabledMeanwhile = false;
        const auto cancel = [&](QDialog* dialog) {
            ++asked;
            disabledMeanwhile = !app.window->isEnabled();
            QCOMPARE(dialog->objectName(), QStringLiteral("frm3"));
            press(dialog, "clse_cc");
        };
        whenShown(app, cancel);
        app.menu(7)->trigger();
        QCOMPARE(asked, 1);
        QVERIFY(disabledMeanwhile);
        QVERIFY(app.window->isVisible());
        QVERIFY(app.window->isEnabled());

        whenShown(app, cancel);
        QTest::keyClick(app.window.get(), Qt::Key_Q, Qt::ControlModifier);
        QCOMPARE(asked, 2);
        QVERIFY(app.window->isVisible());

        whenShown(app, [](QDialog* dialog) { press(dialog, "clse_ok"); });
        app.menu(7)->trigger();
        QVERIFY(!app.window->isVisible());
    }

    void closingTheConfirmationByItsCloseBoxConfirms() {
        AppFixture app;
        whenShown(app, [](QDialog* dialog) { dialog->close(); });
        app.menu(7)->trigger();
        QVERIFY(!app.window->isVisible());
    }

    void quitWithoutConfirmationClosesAtOnce() {
        AppFixture app;
        app.menu(19)->trigger();  // "Beenden Abfrage" off
        QVERIFY(!app.menu(19)->isChecked());
        app.menu(7)->trigger();
        QVERIFY(app.window->secondaryWindow() == nullptr);
        QVERIFY(!app.window->isVisible());
    }

    void closeBoxNeverAsks() {
        AppFixture app;
        QVERIFY(app.program.pad.confirmQuit);
        app.window->close();
        QVERIFY(!app.window->isVisible());
    }

    void aboutDisablesTheMainWindowUntilClosed() {
        AppFixture app;
        bool disabled = false;
        QString version;
        int secondAbout = 0;
        whenShown(app, [&](QDialog* dialog) {
            disabled = !app.window->isEnabled();
            version = dialog->findChild<QLabel*>(QStringLiteral("lbl1"))->text();
            // Ctrl+V again reaches nothing while About is open.
            QTest::keyClick(app.window.get(), Qt::Key_V, Qt::ControlModifier);
            secondAbout = app.window->secondaryWindow() == dialog ? 0 : 1;
            press(dialog, "about_href");
            press(dialog, "about_ok");
        });
        QTest::keyClick(app.widget("OKB"), Qt::Key_V, Qt::ControlModifier);
        QVERIFY(disabled);
        QCOMPARE(version, QStringLiteral("Kartotrix v1.0.2.5"));
        QCOMPARE(secondAbout, 0);
        QVERIFY(app.window->isEnabled());
        QVERIFY(app.window->secondaryWindow() == nullptr);
        QCOMPARE(app.desktop.opened,
                 std::vector<std::string>{"https://www.example.org/PAGES/pc_progr.htm"});
    }

    // Right-click on an entered row offers the Ctrl+click corrections, greyed
    // on a penalty row; the context-menu key offers them for the last entry.
    void rowMenuRunsTheCorrections() {
        AppFixture app;
        app.menu(10)->trigger();
        QVERIFY(enterPair(app.program, 1, 2, 2));
        QVERIFY(enterPenalty(app.program, 3));
        app.window->mirror();

        QStringList captions;
        QList<bool> states;
        whenMenuShown(app.window.get(), [&](QMenu* menu) {
            for (QAction* action : menu->actions())
                captions.append(action->text());
            states = enabledStates(menu);
            menu->setActiveAction(menu->actions().value(0));
            QTest::keyClick(menu, Qt::Key_Return);
        });
        app.dialogs.inputAnswers = {"5"};
        rightClick(app, "SP3_1");
        QCOMPARE(captions, (QStringList{QStringLiteral("Punkte \u00e4ndern\u2026"),
                                        QStringLiteral("Spieler \u00e4ndern\u2026")}));
        QCOMPARE(states, (QList<bool>{true, true}));
        QCOMPARE(app.text("PKT_1"), QStringLiteral("5"));
        QCOMPARE(app.text("SPsum_1"), QStringLiteral("9"));  // 5, and 4 from the penalty

        whenMenuShown(app.window.get(), [&](QMenu* menu) {
            states = enabledStates(menu);
            QTest::keyClick(menu, Qt::Key_Escape);
        });
        rightClick(app, "PKT_25");
        QCOMPARE(states, (QList<bool>{false, false}));
        const QPoint onRow = app.place("PKT_1").center();
        QHelpEvent help(QEvent::ToolTip, onRow, app.pad()->mapToGlobal(onRow));
        QApplication::sendEvent(app.pad(), &help);
        QCOMPARE(QToolTip::text(), QStringLiteral("Strg+Klick oder Rechtsklick: korrigieren"));

        // Ctrl+right-click corrects at once, as any Ctrl+click does.
        app.dialogs.inputAnswers = {"3", "4"};
        rightClick(app, "SPL_1", Qt::ControlModifier);
        QCOMPARE(app.text("SPL_1"), QStringLiteral("3 / 4"));
        QVERIFY(!QApplication::activePopupWidget());

        app.menu(17)->trigger();  // "Zeile ändern" off
        whenMenuShown(app.window.get(), [&](QMenu* menu) {
            captions.clear();
            for (QAction* action : menu->actions())
                captions.append(action->text());
            states = enabledStates(menu);
            QTest::keyClick(menu, Qt::Key_Escape);
        });
        QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(5, 5),
                              app.pad()->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(app.pad(), &key);
        QCOMPARE(captions.size(), 2);
        QCOMPARE(states, (QList<bool>{false, false}));
    }

    void helpOpensTheHelpFileAddress() {
        AppFixture app;
        QTest::keyClick(app.window.get(), Qt::Key_H, Qt::ControlModifier);
        app.menu(22)->trigger();
        const std::string expected = "file://" + stdstr(app.dir.path()) + "/KartotrixHilfe.html";
        QCOMPARE(app.desktop.opened, (std::vector<std::string>{expected, expected}));
    }

    // The help page is a file anyone can edit: only regular files of its own
    // folder are shown, never a FIFO (which would stall), a device (which
    // would fill the memory) or a file elsewhere.
    void helpPageLoadsOnlyRegularFilesOfItsFolder() {
        QTemporaryDir dir;
        const QString root = dir.path();
        QDir(root).mkdir(QStringLiteral("hilfe"));
        const QString folder = root + QStringLiteral("/hilfe/");
        const auto put = [](const QString& path, const QByteArray& bytes) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        };
        put(folder + QStringLiteral("bild.png"), QByteArrayLiteral("PNG"));
        put(root + QStringLiteral("/fremd.png"), QByteArrayLiteral("PNG"));
        put(folder + QStringLiteral("seite.html"), QByteArrayLiteral("<p>Hilfe</p>"));
        QCOMPARE(::mkfifo(QFile::encodeName(folder + QStringLiteral("rohr.png")).constData(), 0600),
                 0);
        QFile::link(QStringLiteral("/dev/zero"), folder + QStringLiteral("null.png"));
        HelpBrowser browser;
        browser.setPageFolder(folder);
        browser.setSource(QUrl::fromLocalFile(folder + QStringLiteral("seite.html")));
        QVERIFY(browser.toPlainText().contains(QStringLiteral("Hilfe")));
        const auto load = [&](const QString& name) {
            return browser.loadResource(QTextDocument::ImageResource, QUrl(name));
        };
        QCOMPARE(load(QStringLiteral("bild.png")).toByteArray(), QByteArrayLiteral("PNG"));
        for (const QString& refused :
             {QStringLiteral("rohr.png"), QStringLiteral("null.png"),
              QStringLiteral("../fremd.png"), QStringLiteral("file:///dev/zero"),
              QStringLiteral("/etc/passwd")})
            QVERIFY2(load(refused).isNull(), qPrintable(refused));
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
