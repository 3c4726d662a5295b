#pragma once

#include <QLabel>
#include <QStatusBar>
#include <functional>
#include <vector>

#include "view/WindowFit.h"

namespace kx {

// A status panel: its text whole when it fits, otherwise cut with "…" and
// shown whole in the panel's tooltip. text() is always the whole text. A
// panel that fits its text narrows the font first (letters a little
// condensed, then smaller) and cuts only what even the smallest cannot hold.
class StatusPanelLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;
    void setPanelText(const QString& text);
    void setFitsText(bool fits);
    // Whether the text is shown cut.
    bool elided() const;
    // The font the text is drawn with.
    QFont shownFont() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void updateTip();
    bool fitsText_ = false;
};

// The status bar with its eight panels placed side by side at the widths the
// window model gives them, with no spacing of its own: each fixed panel keeps
// its width, the filling panel takes the rest.
class StatusStrip : public QStatusBar {
    Q_OBJECT
  public:
    explicit StatusStrip(QWidget* parent);
    void addPanel(StatusPanelLabel* panel) { panels_.push_back(panel); }
    // Gives the panels' places for a bar of the given width.
    std::function<std::vector<PanelPlace>(int width)> places;
    // The panels' font; the bar's height follows it.
    void setPanelFont(const QFont& font);
    // A widget that takes the whole bar while it is shown (quick entry); the
    // panels step aside meanwhile.
    void setOverlay(QWidget* overlay) { overlay_ = overlay; }
    void placePanels();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    std::vector<StatusPanelLabel*> panels_;
    QWidget* overlay_ = nullptr;
};

}  // namespace kx
