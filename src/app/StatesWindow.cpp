#include "StatesWindow.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ExtrasWindows.h"
#include "QtServices.h"

namespace kx {

namespace {

QTableWidget* statesTable(QWidget* parent, const StatesWindow& model) {
    auto* table = new QTableWidget(static_cast<int>(model.rows.size()), 4, parent);
    table->setObjectName(QStringLiteral("staende_table"));
    QStringList headings;
    for (const char* column : STATES_COLUMNS)
        headings << qstr(column);
    table->setHorizontalHeaderLabels(headings);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->verticalHeader()->hide();
    for (std::size_t i = 0; i < model.rows.size(); ++i) {
        const StateRow& row = model.rows[i];
        const std::string cells[] = {row.time, row.players, row.games, row.totals};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(qstr(cells[c]));
            if (!row.problem.empty()) item->setToolTip(qstr(row.problem));
            if (c == 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(static_cast<int>(i), c, item);
        }
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    return table;
}

QPlainTextEdit* previewView(QWidget* parent) {
    auto* view = new QPlainTextEdit(parent);
    view->setObjectName(QStringLiteral("staende_preview"));
    view->setReadOnly(true);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    return view;
}

}  // namespace

void showStatesWindow(QWidget* parent, Program& p, StatesWindow& model) {
    auto* dialog = new QDialog(parent);
    dialog->setObjectName(QStringLiteral("fruehere_staende"));
    dialog->setWindowTitle(qstr(STATES_TITLE));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(dialog);
    auto* splitter = new QSplitter(Qt::Vertical, dialog);
    QTableWidget* table = statesTable(splitter, model);
    QPlainTextEdit* preview = previewView(splitter);
    layout->addWidget(splitter, 1);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    box->button(QDialogButtonBox::Close)->setText(QStringLiteral("Schlie\u00dfen"));
    QPushButton* restore = box->addButton(qstr(STATES_RESTORE), QDialogButtonBox::ActionRole);
    restore->setObjectName(QStringLiteral("staende_restore"));
    layout->addWidget(box);

    const auto show = [&p, &model, preview, restore](int index) {
        selectState(p, model, index);
        QString text;
        for (const std::string& line : model.preview)
            text += qstr(line) + u'\n';
        preview->setPlainText(text.trimmed());
        restore->setEnabled(model.canRestore());
    };
    show(model.selected);
    if (model.selected >= 0) table->selectRow(model.selected);
    QObject::connect(table, &QTableWidget::currentCellChanged, dialog,
                     [show](int row) { show(row); });
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    QObject::connect(restore, &QPushButton::clicked, dialog, [&p, &model, dialog] {
        if (restoreState(p, model)) dialog->accept();
    });
    dialog->resize(760, 560);
    dialog->exec();
}

bool QtExtras::showEarlierStates(Program& p, StatesWindow& window) {
    showStatesWindow(parent_, p, window);
    return true;
}

}  // namespace kx
