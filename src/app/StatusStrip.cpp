#include "StatusStrip.h"

#include <QEvent>
#include <QPainter>

namespace kx {

void StatusPanelLabel::setPanelText(const QString& text) {
    if (text == this->text()) return;
    setText(text);
    updateTip();
}

bool StatusPanelLabel::elided() const {
    return fontMetrics().horizontalAdvance(text()) > contentsRect().width();
}

void StatusPanelLabel::updateTip() {
    const QString tip = elided() ? text() : QString();
    if (toolTip() != tip) setToolTip(tip);
}

void StatusPanelLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);  // the sunken frame
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QRect room = contentsRect();
    painter.drawText(room, static_cast<int>(alignment()),
                     fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
}

void StatusPanelLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    updateTip();
}

void StatusPanelLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange) updateTip();
}

StatusStrip::StatusStrip(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
}

void StatusStrip::setPanelFont(const QFont& font) {
    setFont(font);
    for (StatusPanelLabel* panel : panels_)
        panel->setFont(font);
    setFixedHeight(QFontMetrics(font).height() + 8);
    placePanels();
}

void StatusStrip::placePanels() {
    if (!places) return;
    const bool covered = overlay_ && !overlay_->isHidden();
    if (overlay_) overlay_->setGeometry(rect());
    const std::vector<PanelPlace> at = places(width());
    for (std::size_t k = 0; k < panels_.size() && k < at.size(); ++k) {
        const QRect rect(at[k].left, 0, at[k].width, height());
        if (panels_[k]->geometry() != rect) panels_[k]->setGeometry(rect);
        panels_[k]->setVisible(at[k].width > 0 && !covered);
    }
}

void StatusStrip::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    placePanels();
}

}  // namespace kx
