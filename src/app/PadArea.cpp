#include "PadArea.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QToolTip>
#include <algorithm>
#include <cmath>
#include <tuple>

#include "QtServices.h"
#include "core/Program.h"
#include "view/Accessibility.h"
#include "view/PadLayout.h"
#include "view/PadRender.h"
#include "view/RowMenu.h"
#include "view/WindowFit.h"

namespace kx {

// The desktop's style with the sizes that belong to a control's drawing
// (indicators, spacings, frames) scaled like the drawing area, so that a
// choice and its caption shrink together.
class ScaledStyle : public QProxyStyle {
  public:
    double scale = 1.0;

    // A choice's caption stands close to its indicator, as in the dialogs the
    // layout was made for, which leaves its caption the room it needs.
    static int captionSpacing(int base) { return std::min(base, 4); }

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        int base = QProxyStyle::pixelMetric(metric, option, widget);
        if (metric == PM_RadioButtonLabelSpacing) base = captionSpacing(base);
        switch (metric) {
            case PM_ExclusiveIndicatorWidth:
            case PM_ExclusiveIndicatorHeight:
            case PM_IndicatorWidth:
            case PM_IndicatorHeight:
            case PM_RadioButtonLabelSpacing:
            case PM_CheckBoxLabelSpacing:
            case PM_ButtonMargin:
            case PM_DefaultFrameWidth:
            case PM_ComboBoxFrameWidth:
            case PM_FocusFrameHMargin:
            case PM_FocusFrameVMargin:
                return base <= 0 ? base : std::max(1, static_cast<int>(std::lround(base * scale)));
            default:
                return base;
        }
    }
};

namespace {

QColor colour(const Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// Ink on paper: the colours of the painted labels, on padBackColour or a place colour.
const QColor INK(0x1a, 0x1a, 0x1a);
const QColor ROW_LABEL_INK(0x5a, 0x64, 0x70);
const QColor ROW_INFO_INK(0x1f, 0x3a, 0x5f);
const QColor RULE(0xd5, 0xdd, 0xe5);
const QColor TOTAL_RULE(0x22, 0x22, 0x22);
const QColor DISABLED_INK(0x6b, 0x6b, 0x6b);

// The pad was laid out for a 10-point dialog font at 96 dots per inch.
constexpr int DESIGN_PIXEL_SIZE = 13;
constexpr int SMALLEST_PIXEL_SIZE = 8;
constexpr int SMALLEST_ROW = 16;  // the rows of a six-player pad

bool boldLook(Look look) {
    return look == Look::Total || look == Look::Heading;
}

QColor inkOf(Look look) {
    switch (look) {
        case Look::RowLabel:
            return ROW_LABEL_INK;
        case Look::RowInfo:
        case Look::Heading:
            return ROW_INFO_INK;
        default:
            return INK;
    }
}

Qt::Alignment alignmentOf(Look look) {
    switch (look) {
        case Look::PlayerCell:
        case Look::Total:
            return Qt::AlignRight | Qt::AlignVCenter;
        case Look::Panel:
            return Qt::AlignLeft | Qt::AlignVCenter;
        default:
            return Qt::AlignCenter;
    }
}

int scaledPixels(int length, double s) {
    return std::max(1, static_cast<int>(std::lround(length * s)));
}

// One painted label, as assistive technology sees it.
class LabelInterface : public QAccessibleInterface {
  public:
    LabelInterface(PadArea* area, int label) : area_(area), label_(label) {}

    const Control& control() const { return *area_->labels()[static_cast<std::size_t>(label_)]; }

    bool isValid() const override { return !area_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return area_ ? area_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(area_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        if (!area_ || t != QAccessible::Name) return QString();
        return qstr(accessibleName(area_->program(), control()));
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!area_) return QRect();
        const QRect local = area_->placeOf(control().rect);
        return QRect(area_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::StaticText; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.invisible = !control().visible || !area_->isVisible();
        s.readOnly = true;
        return s;
    }

  private:
    QPointer<PadArea> area_;
    int label_;
};

// The drawing area: its child widgets first, then the painted labels.
class PadAreaInterface : public QAccessibleWidget {
  public:
    explicit PadAreaInterface(PadArea* area) : QAccessibleWidget(area, QAccessible::Pane) {}

    PadArea* area() const { return static_cast<PadArea*>(widget()); }
    int widgetCount() const { return QAccessibleWidget::childCount(); }

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? QStringLiteral("Block") : QAccessibleWidget::text(t);
    }
    int childCount() const override {
        return widgetCount() + static_cast<int>(area()->labels().size());
    }
    QAccessibleInterface* child(int index) const override {
        const int widgets = widgetCount();
        if (index < widgets) return QAccessibleWidget::child(index);
        return area()->labelInterface(index - widgets);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const int label = area()->labelIndexOf(child);
        return label >= 0 ? widgetCount() + label : QAccessibleWidget::indexOfChild(child);
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        if (QAccessibleInterface* widget = QAccessibleWidget::childAt(x, y)) return widget;
        const QPoint local = area()->mapFromGlobal(QPoint(x, y));
        const auto& labels = area()->labels();
        for (std::size_t i = labels.size(); i-- > 0;) {
            if (labels[i]->visible && area()->placeOf(labels[i]->rect).contains(local))
                return area()->labelInterface(static_cast<int>(i));
        }
        return nullptr;
    }
};

QAccessibleInterface* padAreaFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("kx::PadArea") && object && object->isWidgetType())
        return new PadAreaInterface(static_cast<PadArea*>(object));
    return nullptr;
}

}  // namespace

struct PadArea::Plan {
    PaintPlan plan;
};

Rect widgetRect(const Control& c) {
    const bool playerChoice = c.kind == ControlKind::OptionButton && c.name != "MDS";
    return {c.rect.left, c.rect.top, playerChoice ? std::max(c.rect.width, 49) : c.rect.width,
            c.rect.height};
}

PadArea::PadArea(Program& program, QWidget* parent)
    : QWidget(parent), program_(program), plan_(std::make_unique<Plan>()) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(padAreaFactory);
        return true;
    }();
    (void)factoryInstalled;
    setObjectName(QStringLiteral("frm0"));
    setAccessibleName(QStringLiteral("Block"));
    setPalette(paperPalette());
    setAttribute(Qt::WA_OpaquePaintEvent);
    style_ = new ScaledStyle;
    refitFont();
}

PadArea::~PadArea() {
    // The child widgets draw with the scaled style; they go first.
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
    delete style_;
    for (unsigned id : accessibleIds_)
        if (id) QAccessible::deleteAccessibleInterface(id);
}

const Program& PadArea::program() const {
    return program_;
}

QPalette PadArea::paperPalette() {
    static const QPalette paper = makePaperPalette();
    return paper;
}

QPalette PadArea::makePaperPalette() {
    QPalette pal(QColor(0xee, 0xee, 0xee), colour(padBackColour));
    // Every role is set, so that no desktop palette reaches the paper.
    for (int g = 0; g < QPalette::NColorGroups; ++g) {
        const auto group = static_cast<QPalette::ColorGroup>(g);
        for (int r = 0; r < QPalette::NColorRoles; ++r) {
            const auto role = static_cast<QPalette::ColorRole>(r);
            pal.setColor(group, role, pal.color(group, role));
        }
        const bool disabled = group == QPalette::Disabled;
        const QColor text = disabled ? DISABLED_INK : INK;
        pal.setColor(group, QPalette::Window, colour(padBackColour));
        pal.setColor(group, QPalette::Base, colour(padBackColour));
        pal.setColor(group, QPalette::AlternateBase, QColor(0xf4, 0xf4, 0xf4));
        pal.setColor(group, QPalette::WindowText, text);
        pal.setColor(group, QPalette::Text, text);
        pal.setColor(group, QPalette::ButtonText, text);
        pal.setColor(group, QPalette::Button,
                     disabled ? QColor(0xf4, 0xf4, 0xf4) : QColor(0xee, 0xee, 0xee));
        pal.setColor(group, QPalette::PlaceholderText, DISABLED_INK);
        pal.setColor(group, QPalette::Highlight, QColor(0x2a, 0x5d, 0xa0));
        pal.setColor(group, QPalette::HighlightedText, Qt::white);
        pal.setColor(group, QPalette::ToolTipBase, QColor(0xff, 0xff, 0xdc));
        pal.setColor(group, QPalette::ToolTipText, INK);
        pal.setColor(group, QPalette::Link, QColor(0x1a, 0x55, 0xa0));
    }
    return pal;
}

void PadArea::adoptLabels() {
    labels_.clear();
    for (Control* c : program_.ui.controls())
        if (c->kind == ControlKind::Label) labels_.push_back(c);
    painted_.assign(labels_.size(), Painted{});
    laidOut_.assign(labels_.size(), LaidOut{});
    accessibleIds_.assign(labels_.size(), 0);
    basePixelSize_ = fittingPixelSize();
    setScale(scale_);
    sync();
}

QStyle* PadArea::controlStyle() const {
    return style_;
}

QRect PadArea::placeOf(const Rect& r) const {
    const Rect s = scaledRect(r, scale_);
    return QRect(s.left, s.top, s.width, s.height);
}

QFont PadArea::padFontAt(double s) const {
    QFont font(family_);
    font.setPixelSize(
        std::max(SMALLEST_PIXEL_SIZE / 2, static_cast<int>(basePixelSize_ * s + 1e-6)));
    return font;
}

QFont PadArea::padFont(bool bold) const {
    QFont font = padFontAt(scale_);
    font.setBold(bold);
    return font;
}

void PadArea::refitFont() {
    family_ = QApplication::font().family();
    forgetLayouts();
    if (!labels_.empty()) basePixelSize_ = fittingPixelSize();
    setFont(padFont());
    update();
}

// The largest font up to the design size whose captions fit their controls
// and whose lines fit the smallest row, measured with the desktop's font family.
int PadArea::fittingPixelSize() const {
    // Each text once, with the room it has: the narrowest for a text that
    // stands in several places; of a list only its longest item.
    struct Caption {
        QString text;
        int room;
        bool bold;
    };
    std::vector<Caption> captions;
    const QStyle* base = style_->baseStyle();
    const int indicator =
        base->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
        ScaledStyle::captionSpacing(base->pixelMetric(QStyle::PM_RadioButtonLabelSpacing));
    for (const Control* c : program_.ui.controls()) {
        const int room = widgetRect(*c).width;
        const bool button =
            c->kind == ControlKind::OptionButton || c->kind == ControlKind::CheckBox;
        if (button && !c->text.empty()) {
            captions.push_back({qstr(c->text), room - indicator, false});
        } else if (c->kind == ControlKind::Label && !c->text.empty()) {
            captions.push_back({qstr(c->text), room - 4, boldLook(c->look)});
        } else if (c->kind == ControlKind::DropDown && !c->items.empty()) {
            const auto longest =
                std::max_element(c->items.begin(), c->items.end(),
                                 [](const auto& a, const auto& b) { return a.size() < b.size(); });
            captions.push_back({qstr(*longest), room - 30, false});
        }
    }
    std::sort(captions.begin(), captions.end(), [](const Caption& a, const Caption& b) {
        return std::tie(a.text, a.bold, a.room) < std::tie(b.text, b.bold, b.room);
    });
    captions.erase(std::unique(captions.begin(), captions.end(),
                               [](const Caption& a, const Caption& b) {
                                   return a.text == b.text && a.bold == b.bold;
                               }),
                   captions.end());
    for (int px = DESIGN_PIXEL_SIZE; px > SMALLEST_PIXEL_SIZE; --px) {
        QFont normal(family_);
        normal.setPixelSize(px);
        QFont bold = normal;
        bold.setBold(true);
        const QFontMetrics fm(normal), fmBold(bold);
        bool fits = fm.height() <= SMALLEST_ROW && fmBold.height() <= SMALLEST_ROW;
        for (std::size_t i = 0; fits && i < captions.size(); ++i)
            fits = (captions[i].bold ? fmBold : fm).horizontalAdvance(captions[i].text) <=
                   captions[i].room;
        if (fits) return px;
    }
    return SMALLEST_PIXEL_SIZE;
}

void PadArea::setScale(double s) {
    scale_ = s;
    forgetLayouts();
    style_->scale = s;
    setFont(padFont());
    updateGeometry();
    update();
}

void PadArea::forgetLayouts() {
    for (LaidOut& text : laidOut_)
        text = LaidOut{};
    for (auto& layouts : layouts_)
        layouts.clear();
}

QSize PadArea::sizeHint() const {
    return QSize(scaledLength(program_.shell.padWidth, program_.shell.zoom),
                 scaledLength(PAD_HEIGHT, program_.shell.zoom));
}

QRect PadArea::dirtyRect(const Rect& r) const {
    return placeOf(r).adjusted(-1, -1, 1, 1);
}

void PadArea::sync() {
    const PaintPlan plan = frm0_Paint(program_);
    const bool linesChanged =
        plan.background != plan_->plan.background ||
        plan.lines.size() != plan_->plan.lines.size() ||
        !std::equal(plan.lines.begin(), plan.lines.end(), plan_->plan.lines.begin(),
                    [](const Line& a, const Line& b) {
                        return a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2;
                    });
    if (linesChanged) {
        plan_->plan = plan;
        update();
    }
    // A few changed labels are repainted one by one; many (a new pad, a
    // correction) as the one rectangle around them.
    constexpr std::size_t FEW = 32;
    std::vector<QRect> dirty;
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        const Control& c = *labels_[i];
        Painted& was = painted_[i];
        const std::optional<Rgb> background = shownBackground(program_.ui, c);
        if (was.visible == c.visible && was.rect == c.rect && was.text == c.text &&
            was.mark == c.mark && was.background == background)
            continue;
        if (!linesChanged) {
            if (was.visible) dirty.push_back(dirtyRect(was.rect));
            if (c.visible) dirty.push_back(dirtyRect(c.rect));
        }
        was = {c.rect, c.text, c.mark, c.visible, background};
    }
    if (dirty.empty()) return;
    if (dirty.size() > FEW) {
        QRect around;
        for (const QRect& r : dirty)
            around |= r;
        update(around);
    } else {
        QRegion region;
        region.setRects(dirty.data(), static_cast<int>(dirty.size()));
        update(region);
    }
}

void PadArea::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), colour(plan_->plan.backColour));
    painter.setPen(QPen(Qt::black, scaledPixels(1, scale_), Qt::SolidLine, Qt::FlatCap));
    for (const Line& line : plan_->plan.lines) {
        const int y = scaledLength(line.y1, scale_);
        painter.drawLine(scaledLength(line.x1, scale_), y, scaledLength(line.x2, scale_), y);
    }
    const QRegion& region = event->region();
    const QRect bounds = region.boundingRect();
    const QFont fonts[2] = {padFont(false), padFont(true)};
    int fontInUse = -1;
    for (std::size_t i = 0; i < labels_.size(); ++i) {
        const Control* c = labels_[i];
        if (!c->visible) continue;
        const QRect r = placeOf(c->rect);
        if (!bounds.intersects(r) || !region.intersects(r)) continue;
        const int font = boldLook(c->look) ? 1 : 0;
        if (font != fontInUse) painter.setFont(fonts[fontInUse = font]);
        paintLabel(painter, i, r);
    }
}

void PadArea::paintLabel(QPainter& painter, std::size_t label, const QRect& r) const {
    const Control& c = *labels_[label];
    if (const std::optional<Rgb> background = shownBackground(program_.ui, c))
        painter.fillRect(r, colour(*background));
    const int rule = scaledPixels(1, scale_);
    const bool leftRule =
        c.look == Look::RowInfo || c.look == Look::PlayerCell || c.look == Look::Total;
    if (leftRule) painter.fillRect(r.left(), r.top(), rule, r.height(), RULE);
    if (c.look == Look::RowLabel || c.look == Look::RowInfo || c.look == Look::PlayerCell)
        painter.fillRect(r.left(), r.bottom() - rule + 1, r.width(), rule, RULE);
    if (c.look == Look::Total)
        painter.fillRect(r.left(), r.top(), r.width(), scaledPixels(2, scale_), TOTAL_RULE);
    if (!c.mark.empty()) {
        // The place beside a total or the mark of a Bock game, in the regular weight.
        const QFont bold = painter.font();
        painter.setFont(padFont(false));
        painter.setPen(INK);
        painter.drawText(r.adjusted(scaledPixels(5, scale_), 0, 0, 0),
                         Qt::AlignLeft | Qt::AlignVCenter, qstr(c.mark));
        painter.setFont(bold);
    }
    if (c.text.empty()) return;
    QRect textRect = r;
    if (c.look == Look::PlayerCell || c.look == Look::Total)
        textRect.setRight(r.right() - scaledPixels(6, scale_));
    LaidOut& text = laidOut_[label];
    if (text.text != c.text || text.layout.text().isEmpty()) {
        text.text = c.text;
        const QString shown = qstr(c.text);
        auto& layouts = layouts_[boldLook(c.look) ? 1 : 0];
        auto known = layouts.find(shown);
        if (known == layouts.end()) {
            QStaticText layout(shown);
            layout.setTextFormat(Qt::PlainText);
            layout.prepare(QTransform(), painter.font());
            known = layouts.insert(shown, layout);
        }
        text.layout = *known;
    }
    const QSizeF size = text.layout.size();
    const Qt::Alignment align = alignmentOf(c.look);
    qreal x = textRect.left();
    if (align & Qt::AlignRight)
        x = textRect.left() + textRect.width() - size.width();
    else if (align & Qt::AlignHCenter)
        x = textRect.left() + (textRect.width() - size.width()) / 2;
    const qreal y = textRect.top() + (textRect.height() - size.height()) / 2;
    painter.setPen(inkOf(c.look));
    painter.drawStaticText(QPointF(std::round(x), std::round(y)), text.layout);
}

Control* PadArea::labelAtPoint(const QPointF& at) const {
    if (scale_ <= 0) return nullptr;
    return labelAt(program_.ui, static_cast<int>(std::floor(at.x() / scale_)),
                   static_cast<int>(std::floor(at.y() / scale_)));
}

bool PadArea::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) return QWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const Control* label = labelAtPoint(help->pos());
    const QString tip = label ? qstr(padToolTip(program_, *label)) : QString();
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, this, placeOf(label->rect));
    }
    return true;
}

void PadArea::contextMenuEvent(QContextMenuEvent* event) {
    int row = 0;
    QPoint at = event->globalPos();
    if (event->reason() == QContextMenuEvent::Keyboard) {
        row = keyboardMenuRow(program_);
        if (row) at = mapToGlobal(placeOf(program_.ui.PKT(row).rect).bottomLeft());
    } else if (!(event->modifiers() & Qt::ControlModifier)) {
        // A Ctrl+click has corrected the row on the press already.
        if (const Control* label = labelAtPoint(event->pos())) row = padRowOf(*label);
    }
    if (!row || !onRowMenu || rowMenu(program_, row).empty()) return event->ignore();
    event->accept();
    onRowMenu(row, at);
}

void PadArea::mousePressEvent(QMouseEvent* event) {
    if (!onLabelPressed || scale_ <= 0) return QWidget::mousePressEvent(event);
    const QPointF at = event->position() / scale_;
    const int x = static_cast<int>(std::floor(at.x()));
    const int y = static_cast<int>(std::floor(at.y()));
    Control* label = labelAt(program_.ui, x, y);
    if (!label) return QWidget::mousePressEvent(event);
    int button = 0;
    switch (event->button()) {
        case Qt::LeftButton:
            button = 1;
            break;
        case Qt::RightButton:
            button = 2;
            break;
        case Qt::MiddleButton:
            button = 4;
            break;
        default:
            break;
    }
    int shift = 0;
    if (event->modifiers() & Qt::ShiftModifier) shift |= 1;
    if (event->modifiers() & Qt::ControlModifier) shift |= 2;
    if (event->modifiers() & Qt::AltModifier) shift |= 4;
    onLabelPressed(*label, button, shift, x - label->rect.left, y - label->rect.top);
}

void PadArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (onResized) onResized();
}

QAccessibleInterface* PadArea::labelInterface(int label) const {
    if (label < 0 || label >= static_cast<int>(labels_.size())) return nullptr;
    unsigned& id = accessibleIds_[static_cast<std::size_t>(label)];
    if (!id)
        id = QAccessible::registerAccessibleInterface(
            new LabelInterface(const_cast<PadArea*>(this), label));
    return QAccessible::accessibleInterface(id);
}

int PadArea::labelIndexOf(const QAccessibleInterface* iface) const {
    for (std::size_t i = 0; i < accessibleIds_.size(); ++i)
        if (accessibleIds_[i] && QAccessible::accessibleInterface(accessibleIds_[i]) == iface)
            return static_cast<int>(i);
    return -1;
}

}  // namespace kx
