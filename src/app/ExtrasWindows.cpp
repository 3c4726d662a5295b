#include "ExtrasWindows.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ChartPainter.h"
#include "QtServices.h"
#include "SheetPainter.h"
#include "io/Statistics.h"
#include "view/PadSheet.h"

namespace kx {

namespace {

QDialog* newWindow(QWidget* parent, const char* name, const QString& title) {
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowTitle(title);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    return dialog;
}

// "Schließen" and, when given, buttons of the window's own on its left.
QDialogButtonBox* buttons(QDialog* dialog) {
    auto* box = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    box->button(QDialogButtonBox::Close)->setText(QStringLiteral("Schlie\u00dfen"));
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}

QPushButton* addButton(QDialogButtonBox* box, const char* name, const QString& text) {
    QPushButton* button = box->addButton(text, QDialogButtonBox::ActionRole);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QPlainTextEdit* textView(QWidget* parent, const char* name) {
    auto* view = new QPlainTextEdit(parent);
    view->setObjectName(QString::fromLatin1(name));
    view->setReadOnly(true);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    return view;
}

// A table cell that sorts by its number, not by its text.
class NumberItem : public QTableWidgetItem {
  public:
    NumberItem(const std::string& text, double value) : QTableWidgetItem(qstr(text)) {
        setData(Qt::UserRole, value);
        setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    bool operator<(const QTableWidgetItem& other) const override {
        return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
    }
};

std::string signedText(long long v) {
    return v > 0 ? "+" + std::to_string(v) : std::to_string(v);
}

void fillStatisticsRow(QTableWidget* table, int row, const PlayerStatistics& s) {
    table->setItem(row, 0, new QTableWidgetItem(qstr(s.name)));
    const double perGame = s.games ? static_cast<double>(s.points) / s.games : 0;
    table->setItem(row, 1, new NumberItem(std::to_string(s.evenings), s.evenings));
    table->setItem(row, 2, new NumberItem(std::to_string(s.won), s.won));
    table->setItem(row, 3, new NumberItem(signedText(s.points), static_cast<double>(s.points)));
    table->setItem(row, 4, new NumberItem(std::to_string(s.games), s.games));
    table->setItem(row, 5, new NumberItem(s.pointsPerGame(), perGame));
    auto* best = new NumberItem(signedText(s.best), s.best);
    best->setToolTip(qstr(s.bestFile));
    table->setItem(row, 6, best);
    auto* worst = new NumberItem(signedText(s.worst), s.worst);
    worst->setToolTip(qstr(s.worstFile));
    table->setItem(row, 7, worst);
    if (table->columnCount() > 8)
        table->setItem(row, 8,
                       new NumberItem(signedText(s.pointsWithoutBock),
                                      static_cast<double>(s.pointsWithoutBock)));
}

// The players' table ("statistik_table") or, apart from it, the seats'
// without a name ("statistik_seats").
// With `bock` a last column holds the points without Bock.
QTableWidget* statisticsTable(QWidget* parent, const std::vector<PlayerStatistics>& rows,
                              const char* objectName, bool bock) {
    QStringList headings{QStringLiteral("Spieler"),      QStringLiteral("Abende"),
                         QStringLiteral("gewonnen"),     QStringLiteral("Punkte"),
                         QStringLiteral("Spiele"),       QStringLiteral("je Spiel"),
                         QStringLiteral("bester Abend"), QStringLiteral("schlechtester Abend")};
    if (bock) headings.append(qstr(WITHOUT_BOCK_HEADING));
    auto* table =
        new QTableWidget(static_cast<int>(rows.size()), static_cast<int>(headings.size()), parent);
    table->setObjectName(QString::fromLatin1(objectName));
    table->setHorizontalHeaderLabels(headings);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    for (std::size_t i = 0; i < rows.size(); ++i)
        fillStatisticsRow(table, static_cast<int>(i), rows[i]);
    table->setSortingEnabled(true);
    table->horizontalHeader()->setSortIndicator(3, Qt::DescendingOrder);
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    return table;
}

}  // namespace

bool QtExtras::showSettlement(Program& p) {
    QDialog* dialog = newWindow(parent_, "abrechnung", QStringLiteral("Abrechnung"));
    auto* layout = new QVBoxLayout(dialog);
    auto* rateRow = new QHBoxLayout;
    auto* rate = new QSpinBox(dialog);
    rate->setObjectName(QStringLiteral("abrechnung_cent"));
    rate->setRange(1, MAX_CENTS_PER_POINT);
    rate->setSuffix(QStringLiteral(" ct"));
    rate->setValue(p.shell.centsPerPoint);
    auto* rateLabel = new QLabel(QStringLiteral("Wert eines Punktes:"), dialog);
    rateLabel->setBuddy(rate);
    rateRow->addWidget(rateLabel);
    rateRow->addWidget(rate);
    rateRow->addStretch();
    layout->addLayout(rateRow);
    QPlainTextEdit* view = textView(dialog, "abrechnung_text");
    layout->addWidget(view);
    QDialogButtonBox* box = buttons(dialog);
    QPushButton* copy = addButton(box, "abrechnung_copy", QStringLiteral("Kopieren"));
    layout->addWidget(box);

    const auto show = [&p, view](int cents) {
        p.shell.centsPerPoint = cents;
        view->setPlainText(qstr(settlementReport(playerNames(p), overallScores(p), cents).text()));
    };
    show(p.shell.centsPerPoint);
    QObject::connect(rate, &QSpinBox::valueChanged, dialog, show);
    QObject::connect(copy, &QPushButton::clicked, dialog,
                     [view] { QGuiApplication::clipboard()->setText(view->toPlainText()); });
    const QFontMetrics metrics(view->font());
    dialog->resize(std::max(420, metrics.horizontalAdvance(QLatin1Char('0')) * 56),
                   metrics.lineSpacing() * (2 * p.pad.playerCount + 6) + 110);
    dialog->exec();
    return true;
}

bool QtExtras::showChart(Program& p, const ScoreChart& chart) {
    QDialog* dialog = newWindow(parent_, "verlauf", QStringLiteral("Verlauf"));
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(new ScoreChartWidget(chart, dialog), 1);
    QDialogButtonBox* box = buttons(dialog);
    QPushButton* save = addButton(box, "verlauf_save", QStringLiteral("Als Bild speichern\u2026"));
    layout->addWidget(box);
    QObject::connect(save, &QPushButton::clicked, dialog, [&p, chart] {
        const QByteArray png = chartPng(chart);
        saveExtrasFile(p, "Bildexport", "verlauf.png", "PNG-Bild", "png",
                       Bytes(png.begin(), png.end()));
    });
    dialog->resize(960, 600);
    dialog->exec();
    return true;
}

bool QtExtras::printSheet(const PadSheet& sheet) {
    if (kx::printSheet(parent_, sheet) == PrintResult::Failed)
        QMessageBox::warning(
            parent_, QStringLiteral("Kartotrix"),
            QStringLiteral(
                "Der Block konnte nicht gedruckt werden. Bitte den Drucker pr\u00fcfen."));
    return true;
}

std::optional<Bytes> QtExtras::sheetPdf(const PadSheet& sheet) {
    const QByteArray pdf = kx::sheetPdf(sheet);
    if (pdf.isEmpty()) return std::nullopt;
    return Bytes(pdf.begin(), pdf.end());
}

bool QtExtras::showStatistics(const Statistics& statistics) {
    QDialog* dialog = newWindow(parent_, "statistik", QStringLiteral("Statistik"));
    auto* layout = new QVBoxLayout(dialog);
    const QString heading =
        QStringLiteral("%1 %2 aus \u201E%3\u201C")
            .arg(statistics.evenings)
            .arg(statistics.evenings == 1 ? QStringLiteral("Abend") : QStringLiteral("Abende"),
                 qstr(statistics.folder));
    auto* title = new QLabel(heading, dialog);
    title->setStyleSheet(QStringLiteral("font-weight: bold;"));
    layout->addWidget(title);
    QTableWidget* table =
        statisticsTable(dialog, statistics.players, "statistik_table", statistics.bock);
    layout->addWidget(table, 3);
    int rows = table->verticalHeader()->length() + table->horizontalHeader()->height();
    if (!statistics.seats.empty()) {
        layout->addWidget(new QLabel(qstr(SEATS_HEADING), dialog));
        QTableWidget* seats =
            statisticsTable(dialog, statistics.seats, "statistik_seats", statistics.bock);
        const int height = seats->verticalHeader()->length() + seats->horizontalHeader()->height() +
                           2 * seats->frameWidth();
        seats->setMaximumHeight(height);
        layout->addWidget(seats, 1);
        rows += height + 30;
    }
    if (!statistics.skipped.empty()) {
        layout->addWidget(new QLabel(
            QStringLiteral("Nicht gez\u00e4hlt (%1):").arg(statistics.skipped.size()), dialog));
        QString lines;
        for (const SkippedPad& pad : statistics.skipped)
            lines += qstr(pad.file + ": " + pad.reason) + u'\n';
        QPlainTextEdit* skipped = textView(dialog, "statistik_skipped");
        skipped->setPlainText(lines.trimmed());
        layout->addWidget(skipped, 1);
    }
    QDialogButtonBox* box = buttons(dialog);
    QPushButton* copy = addButton(box, "statistik_copy", QStringLiteral("Kopieren"));
    layout->addWidget(box);
    const QString text = qstr(statisticsText(statistics));
    QObject::connect(copy, &QPushButton::clicked, dialog,
                     [text] { QGuiApplication::clipboard()->setText(text); });
    // As tall as the tables need, within reason.
    dialog->resize(760, std::clamp(rows + 150 + (statistics.skipped.empty() ? 0 : 120), 300, 640));
    dialog->exec();
    return true;
}

}  // namespace kx
