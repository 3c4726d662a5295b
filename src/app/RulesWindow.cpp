#include "RulesWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHash>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "ExtrasWindows.h"
#include "QtServices.h"

namespace kx {

namespace {

class RulesDialog : public QDialog {
  public:
    RulesDialog(QWidget* parent, Program& p, RulesWindowModel& model)
        : QDialog(parent), p_(p), model_(model) {
        setObjectName(QStringLiteral("hausregeln"));
        setWindowTitle(qstr(RULES_WINDOW_TITLE));
        const ValueWindowView view = rulesWindowView(p_, model_);
        for (const ValueField& field : view.fields)
            create(field);
        setFixedSize(view.width, view.height);
        mirror();
    }

  private:
    void create(const ValueField& field) {
        QWidget* widget = nullptr;
        const QString name = qstr(field.name);
        switch (field.kind) {
            case FieldKind::Choice: {
                // The model keeps one choice of each row; the widgets only show it.
                auto* choice = new QRadioButton(this);
                choice->setAutoExclusive(false);
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
            case FieldKind::Button: {
                auto* button = new QPushButton(qstr(field.text), this);
                const bool ok = field.name == "ok";
                button->setDefault(ok);
                button->setAutoDefault(ok);
                if (ok)
                    connect(button, &QPushButton::clicked, this, [this] {
                        if (rulesWindowOk(p_, model_)) accept();
                    });
                else
                    connect(button, &QPushButton::clicked, this, &QDialog::reject);
                widget = button;
                break;
            }
            default:
                widget = new QLabel(this);
                break;
        }
        widget->setObjectName(name);
        if (field.kind == FieldKind::List) widget->setAccessibleName(qstr(field.text));
        widget->setGeometry(field.rect.left, field.rect.top, field.rect.width, field.rect.height);
        widgets_.insert(name, widget);
    }

    void input(const QString& name, int value) {
        rulesWindowInput(model_, stdstr(name), value);
        mirror();
    }

    void mirror() {
        for (const ValueField& field : rulesWindowView(p_, model_).fields) {
            QWidget* widget = widgets_.value(qstr(field.name));
            if (!widget) continue;
            const QSignalBlocker quiet(widget);
            widget->setVisible(field.visible);
            widget->setEnabled(field.enabled);
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                label->setText(qstr(field.text));
            } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                button->setText(qstr(field.text));
                if (button->isCheckable()) button->setChecked(field.value != 0);
            } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
                if (list->count() == 0)
                    for (const std::string& item : field.items)
                        list->addItem(qstr(item));
                list->setCurrentIndex(field.value);
            } else if (auto* text = qobject_cast<QPlainTextEdit*>(widget)) {
                if (text->toPlainText() != qstr(field.text)) text->setPlainText(qstr(field.text));
            }
        }
    }

    Program& p_;
    RulesWindowModel& model_;
    QHash<QString, QWidget*> widgets_;
};

}  // namespace

void showRulesWindow(QWidget* parent, Program& p, RulesWindowModel& model) {
    RulesDialog dialog(parent, p, model);
    dialog.exec();
}

bool QtExtras::showHouseRules(Program& p, RulesWindowModel& window) {
    showRulesWindow(parent_, p, window);
    return true;
}

}  // namespace kx
