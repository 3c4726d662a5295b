#include "StatusStrip.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>

namespace kx {

void StatusPanelLabel::setPanelText(const QString& text) {
    if (text == this->text()) return;
    setText(text);
    updateTip();
}

void StatusPanelLabel::setFitsText(bool fits) {
    fitsText_ = fits;
    updateTip();
    update();
}

QFont StatusPanelLabel::shownFont() const {
    const int room = contentsRect().width();
    QFont shown = font();
    if (!fitsText_ || QFontMetrics(shown).horizontalAdvance(text()) <= room) return shown;
    constexpr int STRETCHES[] = {92, 85};
    constexpr int SMALLEST_PIXELS = 8;
    for (int stretch : STRETCHES) {
        shown.setStretch(stretch);
        if (QFontMetrics(shown).horizontalAdvance(text()) <= room) return shown;
    }
    const int size = QFontInfo(font()).pixelSize();
    for (int px = size - 1; px >= std::min(size, SMALLEST_PIXELS); --px) {
        shown.setPixelSize(px);
        if (QFontMetrics(shown).horizontalAdvance(text()) <= room) break;
    }
    return shown;
}

bool StatusPanelLabel::elided() const {
    return QFontMetrics(shownFont()).horizontalAdvance(text()) > contentsRect().width();
}

void StatusPanelLabel::updateTip() {
    const QString tip = elided() ? text() : QString();
    if (toolTip() != tip) setToolTip(tip);
}

void StatusPanelLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);  // the sunken frame
    QPainter painter(this);
    painter.setPen(palette().color(foregroundRole()));
    const QFont shown = shownFont();
    painter.setFont(shown);
    const QRect room = contentsRect();
    painter.drawText(room, static_cast<int>(alignment()),
                     QFontMetrics(shown).elidedText(text(), Qt::ElideRight, room.width()));
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
