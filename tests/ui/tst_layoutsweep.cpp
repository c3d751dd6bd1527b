// Every screen, panel and box in every theme: nothing clipped, nothing overlapping, every
// child inside its parent. ctest runs this program once per display scale factor.

#include "app/Frm1.h"
#include "appearance/ClinicPanel.h"
#include "appearance/SettingsMenu.h"
#include "appearance/ThemePanel.h"
#include "enrolment/EnrolmentPanel.h"
#include "support/LayoutSweep.h"
#include "support/ScreenCatalogue.h"
#include "support/TestSupport.h"

#include <QtTest>

class TestLayoutSweep : public QObject
{
    Q_OBJECT

  private slots:
    void initTestCase();
    void nothingClippedNorOverlapping_data();
    void nothingClippedNorOverlapping();
    void panelsAreOpaque_data();
    void panelsAreOpaque();

  private:
    std::unique_ptr<TestHome> home_;
};

void TestLayoutSweep::initTestCase()
{
    home_ = ScreenCatalogue::seededHome();
}

void TestLayoutSweep::nothingClippedNorOverlapping_data()
{
    ScreenCatalogue::addRowsForEveryTheme();
}

void TestLayoutSweep::nothingClippedNorOverlapping()
{
    QFETCH(int, theme);
    QFETCH(int, entry);
    QStringList faults;
    bool visited = false;
    ScreenCatalogue::runRow(theme, entry,
                            [&](QWidget* window, const ScreenCatalogue::Entry& screen) {
                                visited = true;
                                faults = LayoutSweep::faults(window, screen.byDesign);
                            });
    QVERIFY(visited);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

void TestLayoutSweep::panelsAreOpaque_data()
{
    QTest::addColumn<int>("theme");
    for (int theme = 1; theme <= 11; ++theme)
        QTest::addRow("theme %d", theme) << theme;
}

// A panel covers what lies behind it in the main window (the banner, the help strip): inside
// its rounded border, nothing of that may show through.
void TestLayoutSweep::panelsAreOpaque()
{
    QFETCH(int, theme);
    Fixture::setSetting(QStringLiteral("TH"), QString::number(theme));
    Frm1 window;
    window.show();
    const QList<std::pair<QWidget*, std::function<void()>>> panels{
        {window.enrolmentPanel(), [&] { window.enrolmentPanel()->open(); }},
        {window.settingsMenu(), [&] { window.settingsMenu()->open(); }},
        {window.clinicPanel(), [&] { window.clinicPanel()->open(); }},
        {window.themePanel(), [&] { window.themePanel()->open(); }},
    };
    constexpr int corner = 16; // beyond the widest rounded corner of the themes
    for (const auto& [panel, open] : panels) {
        window.HidePanels();
        open();
        QVERIFY(panel->isVisible());
        const QImage picture =
            panel->grab().toImage().convertToFormat(QImage::Format_ARGB32).scaled(panel->size());
        for (int y = corner; y < picture.height() - corner; ++y) {
            for (int x = corner; x < picture.width() - corner; ++x) {
                if (qAlpha(picture.pixel(x, y)) != 255)
                    QFAIL(qPrintable(QStringLiteral("%1 lets the window show through at %2,%3")
                                         .arg(panel->objectName())
                                         .arg(x)
                                         .arg(y)));
            }
        }
    }
}

QTEST_MAIN(TestLayoutSweep)
#include "tst_layoutsweep.moc"
