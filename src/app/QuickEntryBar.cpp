#include "QuickEntryBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>

#include "QtServices.h"
#include "core/Program.h"
#include "view/QuickEntry.h"

namespace kx {

QuickEntryBar::QuickEntryBar(Program& program, QWidget* parent)
    : QWidget(parent), program_(program) {
    setObjectName(QStringLiteral("quickEntry"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(2, 0, 2, 0);
    row->setSpacing(6);
    auto* title = new QLabel(QStringLiteral("Schnelleingabe"), this);
    title->setStyleSheet(QStringLiteral("font-weight: bold; color: #1f3a5f;"));
    field_ = new QLineEdit(this);
    field_->setObjectName(QStringLiteral("quickEntryText"));
    field_->setPlaceholderText(QStringLiteral("z. B. 1 2 3"));
    field_->setToolTip(QStringLiteral("Enter tr\u00e4gt ein, Esc schlie\u00dft"));
    field_->setMaxLength(200);
    field_->setFixedWidth(150);
    field_->installEventFilter(this);
    preview_ = new QLabel(this);
    preview_->setObjectName(QStringLiteral("quickEntryPreview"));
    // The preview never widens the window: it takes the room that is left.
    preview_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    preview_->installEventFilter(this);
    auto* close = new QToolButton(this);
    close->setObjectName(QStringLiteral("quickEntryClose"));
    close->setText(QStringLiteral("\u00d7"));
    close->setAutoRaise(true);
    close->setToolTip(QStringLiteral("Schnelleingabe schlie\u00dfen (Esc)"));
    row->addWidget(title);
    row->addWidget(field_);
    row->addWidget(preview_, 1);
    row->addWidget(close);

    connect(field_, &QLineEdit::textEdited, this, [this](const QString& text) {
        quickEntryEdited(program_, stdstr(text));
        showPreview();
    });
    connect(field_, &QLineEdit::returnPressed, this, [this] {
        quickEntryEnter(program_);
        emit modelChanged();
    });
    connect(close, &QToolButton::clicked, this, [this] {
        closeQuickEntry(program_);
        emit modelChanged();
    });
}

bool QuickEntryBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == preview_ && event->type() == QEvent::Resize) fitPreview();
    if (watched == field_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        closeQuickEntry(program_);
        emit modelChanged();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void QuickEntryBar::mirror() {
    const QuickEntryField& model = program_.ui.quickEntry;
    const QString text = qstr(model.text);
    if (field_->text() != text) field_->setText(text);
    if (model.open) showPreview();
}

void QuickEntryBar::showPreview() {
    const std::string& text = program_.ui.quickEntry.text;
    const QuickPreview preview = previewQuickEntry(program_, text);
    const bool empty = text.find_first_not_of(" \t/") == std::string::npos;
    const QString colour = empty                ? QStringLiteral("#5a6470")
                           : preview.admissible ? QStringLiteral("#1d6b2f")
                                                : QStringLiteral("#a01c1c");
    const QString shown =
        (preview.admissible ? QStringLiteral("\u21b5 ") : QString()) + qstr(preview.text);
    preview_->setStyleSheet(QStringLiteral("color: %1;").arg(colour));
    previewText_ = shown;
    fitPreview();
}

// Long reasons are cut at the bar's end; the tooltip holds them whole.
void QuickEntryBar::fitPreview() {
    const QString elided =
        preview_->fontMetrics().elidedText(previewText_, Qt::ElideRight, preview_->width());
    preview_->setText(elided);
    preview_->setToolTip(elided == previewText_ ? QString() : previewText_);
}

}  // namespace kx
