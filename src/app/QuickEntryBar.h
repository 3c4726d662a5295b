#pragma once

#include <QLineEdit>
#include <QWidget>

class QLabel;

namespace kx {

struct Program;

// The quick-entry field ("Schnelleingabe") with its live preview. It takes
// the place of the status bar while it is open, so no control of the pad or
// the entry panel moves. What it shows and what Enter and Escape do come from
// view/QuickEntry.h; the bar only mirrors the window model.
class QuickEntryBar : public QWidget {
    Q_OBJECT
  public:
    QuickEntryBar(Program& program, QWidget* parent);

    // Shows the model's field: open or not, its text and the preview.
    void mirror();
    QLineEdit* field() const { return field_; }
    // The whole preview line, also when the bar shows it cut.
    const QString& previewText() const { return previewText_; }

  signals:
    // The pad or the field changed; the main window mirrors the model.
    void modelChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showPreview();
    void fitPreview();

    Program& program_;
    QLineEdit* field_ = nullptr;
    QLabel* preview_ = nullptr;
    QString previewText_;  // the whole preview, before it is cut to the bar
};

}  // namespace kx
