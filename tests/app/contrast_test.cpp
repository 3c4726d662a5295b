// Every text of the window against its background, measured on the rendered
// window in a light, a dark and a high-contrast desktop palette: at least
// 4.5 : 1, the contrast that body text needs to be read easily.
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOptionComboBox>
#include <cmath>
#include <map>

#include "AppFixture.h"
#include "StatusStrip.h"

using namespace kx;
using namespace kx::test;

namespace {

double luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of the text inside `area` of the image: the commonest colour is
// the background, the colour farthest from it the ink (the full-strength core
// of the glyphs; their anti-aliased edges lie in between).
double textContrast(const QImage& image, const QRect& area) {
    std::map<QRgb, int> counts;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb background = 0;
    int most = -1;
    for (const auto& [rgb, n] : counts)
        if (n > most) most = n, background = rgb;
    double best = 1.0;
    for (const auto& [rgb, n] : counts)
        best = std::max(best, contrast(QColor(background), QColor(rgb)));
    return best;
}

QPalette darkPalette() {
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::WindowText, QColor(0xe8, 0xe8, 0xe8));
    p.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    p.setColor(QPalette::AlternateBase, QColor(0x42, 0x42, 0x42));
    p.setColor(QPalette::Text, QColor(0xe8, 0xe8, 0xe8));
    p.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::ButtonText, QColor(0xe8, 0xe8, 0xe8));
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    p.setColor(QPalette::HighlightedText, Qt::black);
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x9a, 0x9a, 0x9a));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x9a, 0x9a, 0x9a));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x9a, 0x9a, 0x9a));
    return p;
}

QPalette highContrastPalette() {
    QPalette p(Qt::white, Qt::black, Qt::white, Qt::white, Qt::white, Qt::white, Qt::white,
               Qt::black, Qt::black);
    p.setColor(QPalette::Highlight, Qt::yellow);
    p.setColor(QPalette::HighlightedText, Qt::black);
    return p;
}

// Where the caption of a widget is drawn, in the window's coordinates.
QRect captionArea(QWidget* w, QWidget* window) {
    QRect r = w->rect();
    if (auto* choice = qobject_cast<QRadioButton*>(w)) {
        const int indicator =
            choice->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, choice) +
            choice->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, choice);
        r.setLeft(indicator);
    } else if (auto* list = qobject_cast<QComboBox*>(w)) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        r = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                          QStyle::SC_ComboBoxEditField, list);
    } else if (qobject_cast<QPushButton*>(w)) {
        r = r.adjusted(8, 8, -8, -8);
    } else if (qobject_cast<QLineEdit*>(w)) {
        r = r.adjusted(2, 2, -2, -4);  // above the name's rule
    }
    return QRect(w->mapTo(window, r.topLeft()), r.size());
}

bool hasText(QWidget* w) {
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return !b->text().isEmpty();
    if (auto* l = qobject_cast<QComboBox*>(w)) return !l->currentText().isEmpty();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return !e->text().isEmpty();
    return false;
}

}  // namespace

class ContrastTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }

    void everyTextReadsInEveryPalette_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::newRow("hell") << QApplication::style()->standardPalette();
        QTest::newRow("dunkel") << darkPalette();
        QTest::newRow("hoher Kontrast") << highContrastPalette();
    }

    void everyTextReadsInEveryPalette() {
        QFETCH(QPalette, palette);
        QApplication::setPalette(palette);
        AppFixture app;
        app.menu(10)->trigger();
        // Place colours on names and totals; a chosen value in a list.
        QVERIFY(enterPair(app.program, 1, 2, 3));
        QVERIFY(enterPair(app.program, 1, 3, 1));
        QVERIFY(enterSolo(app.program, 4, 6));
        app.window->mirror();
        app.click("MDS_1");
        app.choose("WAS1", QStringLiteral("7"));
        QWidget* window = app.window.get();
        const QImage image = window->grab().toImage();

        int measured = 0;
        for (const Control* c : app.pad()->labels()) {
            if (!c->visible || c->text.empty()) continue;
            const QRect r = app.pad()->placeOf(c->rect).adjusted(3, 3, -3, -3);  // inside the rules
            const double ratio =
                textContrast(image, QRect(app.pad()->mapTo(window, r.topLeft()), r.size()));
            QVERIFY2(ratio >= 4.5,
                     qPrintable(QStringLiteral("%1: %2").arg(qstr(c->objectName())).arg(ratio)));
            ++measured;
        }
        for (QWidget* w :
             app.pad()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!w->isVisible() || !hasText(w)) continue;
            const double ratio = textContrast(image, captionArea(w, window));
            QVERIFY2(ratio >= 4.5,
                     qPrintable(QStringLiteral("%1: %2").arg(w->objectName()).arg(ratio)));
            ++measured;
        }
        for (auto* panel : window->findChildren<StatusPanelLabel*>()) {
            if (panel->text().isEmpty()) continue;
            const QRect r = panel->contentsRect();
            const double ratio =
                textContrast(image, QRect(panel->mapTo(window, r.topLeft()), r.size()));
            QVERIFY2(ratio >= 4.5,
                     qPrintable(QStringLiteral("%1: %2").arg(panel->objectName()).arg(ratio)));
            ++measured;
        }
        QMenuBar* bar = app.window->menuBar();
        for (QAction* title : bar->actions()) {
            const QRect r = bar->actionGeometry(title);
            const double ratio =
                textContrast(image, QRect(bar->mapTo(window, r.topLeft()), r.size()));
            QVERIFY2(ratio >= 4.5,
                     qPrintable(QStringLiteral("%1: %2").arg(title->text()).arg(ratio)));
            ++measured;
        }
        QVERIFY(measured >= 90);
        QApplication::setPalette(QApplication::style()->standardPalette());
    }
};

QTEST_MAIN(ContrastTest)
#include "contrast_test.moc"
