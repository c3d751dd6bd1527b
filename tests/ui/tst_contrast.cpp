// Every text on every screen, panel and box, in every theme, stands out from what lies behind
// it by a contrast of at least 4.5 to 1 (the AA level of the web content guidelines), as the
// screen is drawn.

#include "support/ScreenCatalogue.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

#include <functional>
#include <optional>
#include <vector>

namespace {

constexpr double least = 4.5;

double luminance(QRgb colour)
{
    const auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour)) +
           0.0722 * channel(qBlue(colour));
}

double contrast(QRgb a, QRgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Hides the text of a widget (without any handler hearing of it) and shows it again.
class TextHider
{
  public:
    explicit TextHider(QWidget* w) : silent_(w)
    {
        if (auto* label = qobject_cast<QLabel*>(w); label && label->pixmap().isNull())
            swap(label->text(), [label](const QString& t) { label->setText(t); });
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            swap(button->text(), [button](const QString& t) { button->setText(t); });
        else if (auto* box = qobject_cast<QLineEdit*>(w))
            swap(box->text(), [box](const QString& t) { box->setText(t); });
    }
    ~TextHider()
    {
        if (restore_)
            restore_(text_);
    }
    bool hides() const { return !text_.trimmed().isEmpty(); }
    const QString& text() const { return text_; }

  private:
    void swap(const QString& text, std::function<void(const QString&)> set)
    {
        text_ = text;
        restore_ = std::move(set);
        restore_(QString());
    }

    QSignalBlocker silent_;
    QString text_;
    std::function<void(const QString&)> restore_;
};

QImage pictureOf(QWidget* window)
{
    return window->grab().toImage().scaled(window->size()).convertToFormat(QImage::Format_RGB32);
}

// The contrast of a widget's text: the pixels that its text changes, each against what lies
// there without the text; the glyphs' cores (the upper tenth) count, not their smoothed edges.
std::optional<double> textContrast(QWidget* window, const QImage& withText, QWidget* w)
{
    const QImage without = pictureOf(window);
    const QRect area = QRect(w->mapTo(window, QPoint()), w->size()) & withText.rect();
    std::vector<double> changed;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (withText.pixel(x, y) != without.pixel(x, y))
                changed.push_back(contrast(withText.pixel(x, y), without.pixel(x, y)));
        }
    }
    if (changed.size() < 8)
        return std::nullopt;
    const auto core = changed.begin() + static_cast<std::ptrdiff_t>(changed.size() * 9 / 10);
    std::nth_element(changed.begin(), core, changed.end());
    return *core;
}

QStringList lowContrast(QWidget* window)
{
    QStringList faults;
    const QImage withText = pictureOf(window);
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* w : std::as_const(widgets)) {
        if (!w->isVisible() || !w->isEnabled() || w->window() != window)
            continue;
        const TextHider hider(w);
        if (!hider.hides())
            continue;
        const QString& text = hider.text();
        const std::optional<double> measured = textContrast(window, withText, w);
        if (measured && *measured < least)
            faults << QStringLiteral("%1 \"%2\": %3 to 1")
                          .arg(w->objectName().isEmpty()
                                   ? QString::fromLatin1(w->metaObject()->className())
                                   : w->objectName(),
                               text)
                          .arg(*measured, 0, 'f', 2);
    }
    return faults;
}

} // namespace

class TestContrast : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void everyTextStandsOut_data();
    void everyTextStandsOut();

  private:
    std::unique_ptr<TestHome> home_;
};

void TestContrast::initTestCase()
{
    home_ = ScreenCatalogue::seededHome();
}

void TestContrast::everyTextStandsOut_data()
{
    ScreenCatalogue::addRowsForEveryTheme();
}

void TestContrast::everyTextStandsOut()
{
    QFETCH(int, theme);
    QFETCH(int, entry);
    QStringList faults;
    bool visited = false;
    ScreenCatalogue::runRow(theme, entry, [&](QWidget* window, const ScreenCatalogue::Entry&) {
        visited = true;
        faults = lowContrast(window);
    });
    QVERIFY(visited);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestContrast)
#include "tst_contrast.moc"
