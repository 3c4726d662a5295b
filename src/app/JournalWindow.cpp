// The Qt window "Protokoll": the journal's lines in a list, a status line
// and "Zurücknehmen"; everything it shows comes from view/JournalWindow.
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ExtrasWindows.h"
#include "MainWindow.h"
#include "QtServices.h"
#include "view/JournalWindow.h"

namespace kx {

namespace {

struct JournalWidgets {
    QListWidget* list;
    QLabel* status;
    QPushButton* takeBack;
};

// The model into the widgets; then the main window, whose pad shows the
// highlighted row and any change "Zurücknehmen" made.
void mirrorJournal(const JournalWindow& w, const JournalWidgets& ui, QWidget* main) {
    {
        const QSignalBlocker quiet(ui.list);
        if (ui.list->count() != static_cast<int>(w.lines.size())) {
            ui.list->clear();
            for (const std::string& line : w.lines)
                ui.list->addItem(qstr(line));
        }
        ui.list->setCurrentRow(w.selected);
    }
    if (QListWidgetItem* item = ui.list->currentItem()) ui.list->scrollToItem(item);
    ui.status->setText(qstr(w.status));
    ui.takeBack->setEnabled(w.canTakeBack);
    ui.takeBack->setToolTip(w.canTakeBack ? QString() : qstr(w.status));
    if (auto* window = qobject_cast<MainWindow*>(main)) window->mirror();
}

void placeBeside(QDialog* dialog, QWidget* main) {
    dialog->resize(JOURNAL_WIDTH, JOURNAL_HEIGHT);
    if (!main || !main->screen()) return;
    const QRect frame = main->frameGeometry();
    const QRect work = main->screen()->availableGeometry();
    const Rect place =
        journalWindowPlace({frame.x(), frame.y(), frame.width(), frame.height()}, JOURNAL_WIDTH,
                           JOURNAL_HEIGHT, {work.x(), work.y(), work.width(), work.height()});
    dialog->move(place.left, place.top);
}

}  // namespace

bool QtExtras::showJournal(Program& p, JournalWindow& w) {
    auto* dialog = new QDialog(parent_);
    dialog->setObjectName(QStringLiteral("protokoll"));
    dialog->setWindowTitle(qstr(JOURNAL_TITLE));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(dialog);
    JournalWidgets ui{new QListWidget(dialog), new QLabel(dialog), nullptr};
    ui.list->setObjectName(QStringLiteral("protokoll_list"));
    ui.list->setUniformItemSizes(true);
    ui.list->setAccessibleName(qstr(JOURNAL_TITLE));
    layout->addWidget(ui.list, 1);
    ui.status->setObjectName(QStringLiteral("protokoll_status"));
    ui.status->setWordWrap(true);
    ui.status->setTextFormat(Qt::PlainText);
    ui.status->setMinimumHeight(2 * ui.status->fontMetrics().lineSpacing());
    ui.status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(ui.status);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    box->button(QDialogButtonBox::Close)->setText(QStringLiteral("Schlie\u00dfen"));
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    ui.takeBack = box->addButton(QStringLiteral("&Zur\u00fc"
                                                "cknehmen"),
                                 QDialogButtonBox::ActionRole);
    ui.takeBack->setObjectName(QStringLiteral("protokoll_zuruecknehmen"));
    ui.takeBack->setAutoDefault(false);
    layout->addWidget(box);

    QWidget* main = parent_;
    QObject::connect(ui.list, &QListWidget::currentRowChanged, dialog, [&p, &w, ui, main](int row) {
        selectJournalLine(p, w, row);
        mirrorJournal(w, ui, main);
    });
    QObject::connect(ui.takeBack, &QPushButton::clicked, dialog, [&p, &w, ui, main] {
        takeBackSelected(p, w);
        mirrorJournal(w, ui, main);
    });
    mirrorJournal(w, ui, main);
    placeBeside(dialog, main);
    ui.list->setFocus();
    dialog->exec();
    return true;
}

}  // namespace kx
