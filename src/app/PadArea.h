#pragma once

#include <QFont>
#include <QHash>
#include <QPalette>
#include <QStaticText>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "view/WindowModel.h"

class QAccessibleInterface;
class QProxyStyle;

namespace kx {

struct Program;
class ScaledStyle;

// Where a control's widget goes at scale 1. The player choices sit in columns
// 50 pixels apart; their widgets take the whole column so that "1 / 2" is not
// cut off.
Rect widgetRect(const Control& c);

// The drawing area of the main window, like a sheet of paper: one fixed light
// palette with dark text whatever the desktop's theme, a font of its own sized
// to the controls' rectangles, and one scale (the zoom) for controls, fonts
// and lines. It paints the background, the separator lines and every label of
// the window model itself (the pad's cells, headings and captions), repaints
// only the labels whose model changed, hit-tests clicks on them by the model's
// rectangles and offers them to assistive technology as accessible children.
// The entry panel's choices, lists, button and the name fields are child
// widgets placed by the main window.
class PadArea : public QWidget {
    Q_OBJECT
  public:
    PadArea(Program& program, QWidget* parent);
    ~PadArea() override;

    // Takes the labels to paint from the window model (once, after buildControls).
    void adoptLabels();
    const std::vector<Control*>& labels() const { return labels_; }
    const Program& program() const;

    double scale() const { return scale_; }
    // Font, lines, pixel metrics of the child widgets and label places follow s.
    void setScale(double s);
    // Where a rectangle of the model stands at the current scale.
    QRect placeOf(const Rect& r) const;
    // The pad's own font at the current scale; bold for totals and headings.
    QFont padFont(bool bold = false) const;
    // The pad's font at scale s.
    QFont padFontAt(double s) const;
    // The style the child widgets draw with (the desktop's, scaled).
    QStyle* controlStyle() const;
    static QPalette paperPalette();

    // Compares the model's labels and lines with what was painted last and
    // schedules a repaint of what changed only.
    void sync();
    // The desktop font changed: choose the pad's font again.
    void refitFont();

    // A mouse button went down on a visible label (for corrections); x and y
    // are relative to the label's rectangle at scale 1.
    std::function<void(Control&, int button, int shift, int x, int y)> onLabelPressed;
    // The context menu of a pad row was asked for, by the mouse on one of the
    // row's labels or by the context-menu key; `at` is where it opens, in
    // screen coordinates.
    std::function<void(int row, QPoint at)> onRowMenu;
    // The drawing area got a new size.
    std::function<void()> onResized;

    // Accessible children for the painted labels, created when first asked for.
    QAccessibleInterface* labelInterface(int label) const;
    int labelIndexOf(const QAccessibleInterface* iface) const;

    QSize sizeHint() const override;

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    struct Painted {
        Rect rect;
        std::string text;
        std::string mark;
        bool visible = false;
        std::optional<Rgb> background;
    };
    void paintLabel(QPainter& painter, std::size_t label, const QRect& r) const;
    int fittingPixelSize() const;
    static QPalette makePaperPalette();
    QRect dirtyRect(const Rect& r) const;
    // The visible label at a point of the drawing area, or nullptr.
    Control* labelAtPoint(const QPointF& at) const;

    Program& program_;
    std::vector<Control*> labels_;
    std::vector<Painted> painted_;
    // Each label's text laid out once for the current font, until it changes.
    struct LaidOut {
        std::string text;
        QStaticText layout;
    };
    mutable std::vector<LaidOut> laidOut_;
    // The same texts ("xxx", "0", "-3") stand in many cells: laid out once per font.
    mutable QHash<QString, QStaticText> layouts_[2];
    void forgetLayouts();
    struct Plan;
    std::unique_ptr<Plan> plan_;  // the lines last painted
    double scale_ = 1.0;
    int basePixelSize_ = 13;
    QString family_;
    ScaledStyle* style_ = nullptr;
    mutable std::vector<unsigned> accessibleIds_;
};

}  // namespace kx
