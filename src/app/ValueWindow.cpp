#include "ValueWindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHash>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSpinBox>

#include "QtServices.h"
#include "core/Program.h"

namespace kx {

// The dialog itself: creates the widgets from the model's first view and
// mirrors every later view into them.
class ValueDialog : public QDialog {
  public:
    ValueDialog(Program& program, QWidget* parent, std::function<void()> panelChanged)
        : QDialog(parent),
          program_(program),
          panelChanged_(std::move(panelChanged)),
          inputs_(valueWindowOpened(program)) {
        setObjectName(QStringLiteral("spielwert"));
        setWindowTitle(qstr(VALUE_WINDOW_TITLE));
        choices_ = new QButtonGroup(this);
        const ValueWindowView view = valueWindowView(program_, inputs_);
        for (const ValueField& field : view.fields)
            create(field);
        setFixedSize(view.width, view.height);
        mirror();
    }

    void refresh() {
        valueWindowFollowPad(program_, inputs_);
        mirror();
    }

  private:
    void create(const ValueField& field) {
        QWidget* widget = nullptr;
        const QString name = qstr(field.name);
        switch (field.kind) {
            case FieldKind::Label: {
                auto* label = new QLabel(this);
                const bool lines = field.rect.height > 24;
                label->setWordWrap(lines);
                label->setAlignment(Qt::AlignLeft | (lines ? Qt::AlignTop : Qt::AlignVCenter));
                widget = label;
                break;
            }
            case FieldKind::Choice: {
                auto* choice = new QRadioButton(qstr(field.text), this);
                choices_->addButton(choice);
                connect(choice, &QRadioButton::clicked, this, [this, name] { input(name, 1); });
                widget = choice;
                break;
            }
            case FieldKind::Check: {
                auto* check = new QCheckBox(this);
                connect(check, &QCheckBox::clicked, this,
                        [this, name](bool on) { input(name, on ? 1 : 0); });
                widget = check;
                break;
            }
            case FieldKind::Number: {
                auto* number = new QSpinBox(this);
                number->setRange(field.minimum, field.maximum);
                connect(number, &QSpinBox::valueChanged, this, [this, name](int v) {
                    if (!mirroring_) input(name, v);
                });
                widget = number;
                break;
            }
            case FieldKind::List: {
                auto* list = new QComboBox(this);
                connect(list, &QComboBox::activated, this, [this, name](int v) { input(name, v); });
                widget = list;
                break;
            }
            case FieldKind::Text: {
                auto* text = new QPlainTextEdit(this);
                text->setReadOnly(true);
                text->setFocusPolicy(Qt::NoFocus);
                widget = text;
                break;
            }
            case FieldKind::Button:
                widget = button(field);
                break;
        }
        widget->setObjectName(name);
        // A number or a list says with its name what it is for.
        if (field.kind == FieldKind::Number || field.kind == FieldKind::List)
            widget->setAccessibleName(qstr(field.text));
        widget->setGeometry(field.rect.left, field.rect.top, field.rect.width, field.rect.height);
        widgets_.insert(name, widget);
    }

    QPushButton* button(const ValueField& field) {
        auto* button = new QPushButton(qstr(field.text), this);
        if (field.name == "uebernehmen") {
            button->setDefault(true);
            connect(button, &QPushButton::clicked, this, [this] {
                if (takeOverValue(program_, inputs_)) panelChanged_();
            });
        } else {
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, &QDialog::close);
        }
        return button;
    }

    void input(const QString& name, int value) {
        valueWindowInput(program_, inputs_, stdstr(name), value);
        mirror();
    }

    void mirror() {
        mirroring_ = true;
        const ValueWindowView view = valueWindowView(program_, inputs_);
        for (const ValueField& field : view.fields) {
            QWidget* widget = widgets_.value(qstr(field.name));
            if (!widget) continue;
            // Rows of the house rules' extra points come and go with the rules.
            widget->setGeometry(field.rect.left, field.rect.top, field.rect.width,
                                field.rect.height);
            widget->setVisible(field.visible);
            widget->setEnabled(field.enabled);
            showField(field, widget);
        }
        setFixedSize(view.width, view.height);
        mirroring_ = false;
    }

    static void showField(const ValueField& field, QWidget* widget) {
        const QSignalBlocker quiet(widget);
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setText(qstr(field.text));
            label->setStyleSheet(field.warning ? QStringLiteral("color: #b00000;") : QString());
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            button->setText(qstr(field.text));
            if (button->isCheckable()) button->setChecked(field.value != 0);
        } else if (auto* number = qobject_cast<QSpinBox*>(widget)) {
            if (number->value() != field.value) number->setValue(field.value);
        } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
            showItems(field, list);
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
            if (text->toPlainText() != qstr(field.text)) text->setPlainText(qstr(field.text));
        }
    }

    static void showItems(const ValueField& field, QComboBox* list) {
        QStringList items;
        for (const std::string& item : field.items)
            items << qstr(item);
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->itemText(i);
        if (shown != items) {
            list->clear();
            list->addItems(items);
        }
        list->setCurrentIndex(field.value);
    }

    Program& program_;
    std::function<void()> panelChanged_;
    ValueInputs inputs_;
    QButtonGroup* choices_ = nullptr;
    QHash<QString, QWidget*> widgets_;
    bool mirroring_ = false;
};

QtValueWindow::QtValueWindow(QWidget* mainWindow, std::function<void()> panelChanged)
    : mainWindow_(mainWindow), panelChanged_(std::move(panelChanged)) {}

void QtValueWindow::showValueWindow(Program& p) {
    if (!dialog_) {
        dialog_ = new ValueDialog(p, mainWindow_, panelChanged_);
        // Beside the main window, frame included; the frame's size is taken
        // from the main window's.
        const QRect main = mainWindow_->frameGeometry();
        const QSize frame = main.size() - mainWindow_->geometry().size();
        const QSize outer = dialog_->size() + frame;
        ScreenMetrics m;
        if (const QScreen* s = mainWindow_->screen()) {
            const QRect work = s->availableGeometry();
            m.screenWidth = s->geometry().width();
            m.workLeft = work.left(), m.workTop = work.top();
            m.workWidth = work.width(), m.workHeight = work.height();
        }
        const Rect place = valueWindowPlace({main.left(), main.top(), main.width(), main.height()},
                                            outer.width(), outer.height(), m);
        dialog_->move(place.left, place.top);
    } else {
        dialog_->refresh();
    }
    dialog_->show();
    dialog_->raise();
    dialog_->activateWindow();
}

void QtValueWindow::refresh() {
    if (dialog_ && dialog_->isVisible()) dialog_->refresh();
}

QDialog* QtValueWindow::window() const {
    return dialog_;
}

}  // namespace kx
