// Earlier states and the interrupted evening on the real window. The window
// "Frühere Stände" is modal; the test acts in it from a timer. For the
// interrupted evening an evening is played in a process of its own with the
// program's real start-up and files, killed with SIGKILL; the next start asks
// once and "Ja" gives the pad as autosaved; after a normal quit the start
// after it asks nothing. The processes are this test program, linked into a
// folder of its own so that the start-up puts the program's files there, and
// started with "--abend MODE".
#include <unistd.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "AppFixture.h"
#include "Startup.h"
#include "io/Batch.h"
#include "io/TextExport.h"
#include "view/Commands.h"

using namespace kx;
using namespace kx::test;

namespace {

constexpr const char* READY = "bereit";
constexpr const char* NO_QUESTION = "keine Frage";

void say(const QString& line) {
    std::printf("%s\n", line.toUtf8().constData());
    std::fflush(stdout);
}

// Three games through the quick entry, then waits to be killed.
void play(MainWindow& window) {
    window.findChild<QAction*>(QStringLiteral("menu_10"))->trigger();  // "4 Spieler"
    window.findChild<QAction*>(QStringLiteral("menu_29"))->trigger();  // "Schnelleingabe"
    auto* field = window.findChild<QLineEdit*>(QStringLiteral("quickEntryText"));
    for (const char* game : {"1 2 3", "3 4 1", "1 3 2"}) {
        QTest::keyClicks(field, QString::fromLatin1(game));
        QTest::keyClick(field, Qt::Key_Return);
    }
    say(QString::fromLatin1(READY));
}

// Says what the start asks, answers "Ja", writes the text export of the pad
// it then holds, and quits through the close box.
void playOn(MainWindow& window) {
    auto* timer = new QTimer(&window);
    QObject::connect(timer, &QTimer::timeout, &window, [timer, &window] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            say(box->text());
            box->button(QMessageBox::Yes)->click();
            return;
        }
        timer->stop();
        window.findChild<QAction*>(QStringLiteral("menu_5"))->trigger();  // "Textexport"
        window.close();
    });
    timer->start(10);
}

// Says whether the start asks anything, then quits.
void startOnly(MainWindow& window) {
    QTimer::singleShot(0, &window, [&window] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        say(box ? box->text() : QString::fromLatin1(NO_QUESTION));
        if (box) box->button(QMessageBox::No)->click();
        window.close();
    });
}

int runMode(QApplication& app, const QString& mode) {
    if (mode == QLatin1String("spielen")) return runWindow(app, QString(), play);
    if (mode == QLatin1String("weiter")) return runWindow(app, QString(), playOn);
    return runWindow(app, QString(), startOnly);
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
        QTimer::singleShot(0, [&] {
            QWidget* window = QApplication::activeModalWidget();
            if (!window || window->objectName() != QLatin1String("fruehere_staende")) return;
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
        QVERIFY(firstPreview.contains(QStringLiteral("\n2     3 / 4     5")));
        QVERIFY(!secondPreview.contains(QStringLiteral("3 / 4")));
        // The older state is the pad again, and the window has closed.
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(app.text("SPL_1"), QStringLiteral("1 / 2"));
        QCOMPARE(app.text("SPL_2"), QString());
        QVERIFY(app.caption(CMD_UNDO).startsWith(QStringLiteral("Rückgängig: Laden\t")));
    }

    void killedEveningIsOfferedOnceAndANormalQuitAsksNothing() {
        QTemporaryDir dir(QCoreApplication::applicationDirPath() + QStringLiteral("/abend-XXXXXX"));
        QVERIFY(dir.isValid());
        const QString program = dir.filePath(QStringLiteral("kartotrix"));
        const QByteArray self = QCoreApplication::applicationFilePath().toLocal8Bit();
        QVERIFY(::link(self.constData(), program.toLocal8Bit().constData()) == 0 ||
                QFile::copy(QString::fromLocal8Bit(self), program));

        QProcess evening;
        evening.start(program, {QStringLiteral("--abend"), QStringLiteral("spielen")});
        while (!evening.readAllStandardOutput().contains(READY))
            QVERIFY2(evening.waitForReadyRead(60000), "the evening did not start");
        const QString marker = dir.filePath(QStringLiteral("autosave.offen"));
        const QString autosave = dir.filePath(QStringLiteral("autosave.hsc"));
        QVERIFY(QFileInfo::exists(marker));
        evening.kill();  // SIGKILL: nothing of the program runs any more
        QVERIFY(evening.waitForFinished(60000));
        QCOMPARE(evening.exitStatus(), QProcess::CrashExit);
        QVERIFY(QFileInfo::exists(marker));

        const QString last = QFileInfo(autosave).lastModified().toString(QStringLiteral("H:mm"));
        QCOMPARE(run(program, QStringLiteral("weiter")),
                 QStringLiteral("Der letzte Abend wurde nicht ordentlich beendet (3 Spiele, "
                                "zuletzt um %1). Weiterspielen?\n")
                     .arg(last));
        QVERIFY(!QFileInfo::exists(marker));  // the close box is a normal quit
        QCOMPARE(exported(dir.filePath(QStringLiteral("autosave.txt"))), exportOf(autosave));

        QCOMPARE(run(program, QStringLiteral("start")), QString::fromLatin1(NO_QUESTION) + u'\n');
    }

  private:
    static QString run(const QString& program, const QString& mode) {
        QProcess process;
        process.start(program, {QStringLiteral("--abend"), mode});
        if (!process.waitForFinished(60000) || process.exitCode() != 0) return QString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    static QByteArray exported(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The text export of a pad file as the logic makes it.
    static QByteArray exportOf(const QString& padFile) {
        const std::unique_ptr<FileSystem> files = makePlatformFileSystem();
        Program p;
        if (!loadPadForBatch(p, *files, stdstr(padFile), stderr)) return "nicht ladbar";
        const Bytes bytes = exportBytes(p);
        return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                          static_cast<qsizetype>(bytes.size()));
    }
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--abend")
        return runMode(app, QString::fromLatin1(argv[2]));
    StatesTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "states_test.moc"
