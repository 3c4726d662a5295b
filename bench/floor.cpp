// The floor for Kartotrix's start-up: the least a Qt desktop program of its
// kind does before its first frame. A main window with a menu bar, a status
// bar, 40 widgets and Qt's German translation.
#include <QComboBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTranslator>

#include "FirstFrame.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool idleMemory = bench::idleMemoryMode(argc, argv);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QTranslator translator;
    if (translator.load(QStringLiteral("qtbase_de"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Floor"));
    for (const char* title : {"&Datei", "&Block", "&Optionen", "&?"}) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromLatin1(title));
        for (int i = 1; i <= 5; ++i)
            menu->addAction(QStringLiteral("Eintrag %1\t^%1").arg(i));
    }
    for (int k = 1; k <= 8; ++k) {
        auto* panel = new QLabel(QStringLiteral("Feld %1").arg(k));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        window.statusBar()->addWidget(panel, k == 3 ? 1 : 0);
    }
    auto* area = new QWidget;
    for (int i = 0; i < 40; ++i) {
        QWidget* w = nullptr;
        switch (i % 5) {
            case 0:
                w = new QRadioButton(QStringLiteral("%1 / %2").arg(i % 6 + 1).arg(i % 5 + 1), area);
                break;
            case 1: {
                auto* list = new QComboBox(area);
                for (int v = 0; v <= 18; ++v)
                    list->addItem(QString::number(v));
                w = list;
                break;
            }
            case 2:
                w = new QLabel(QStringLiteral("Spieler"), area);
                break;
            case 3:
                w = new QLineEdit(QString::number(i), area);
                break;
            default:
                w = new QPushButton(QStringLiteral("OK"), area);
                break;
        }
        w->setGeometry(10 + 120 * (i % 5), 10 + 30 * (i / 5), 110, 24);
    }
    area->setFixedSize(660, 680);
    window.setCentralWidget(area);
    bench::FirstFrame first(area, idleMemory);
    window.show();
    return app.exec();
}
