#include "about/About.h"
#include "app/Frm1.h"
#include "support/TestSupport.h"
#include "ui/Twips.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QtTest>

class TestAbout : public QObject
{
    Q_OBJECT

  private slots:
    void linesRiseAndComeInTableOrder();
    void creditLineClosesUpThenOpensWords_data();
    void creditLineClosesUpThenOpensWords();
    void storedCreditIsSpreadOut();
    void label1ColourCarriesOverBetweenOpenings();
    void opensFromTheMainWindowAndClosesWithExit();

  private:
    static QLabel* label(About& screen, int n)
    {
        return screen.findChild<QLabel*>(QStringLiteral("Label%1").arg(n));
    }
    static QLineEdit* text1(About& screen) { return screen.findChild<QLineEdit*>("Text1"); }
    static QColor colourOf(QLabel* label) { return label->palette().color(QPalette::WindowText); }
    static void assemble(About& screen)
    {
        for (qsizetype tick = text1(screen)->text().size() + 2; tick > 0; --tick)
            screen.Timer3_Timer();
    }
};

void TestAbout::linesRiseAndComeInTableOrder()
{
    About screen;
    QCOMPARE(screen.line(0), QStringLiteral("نام نرم افزار:"));
    QCOMPARE(screen.line(1), QStringLiteral("Senvora"));
    const QStringList labels{QStringLiteral("برنامه نويس:"), QStringLiteral("تلفن :"),
                             QStringLiteral(" ايميل :"), QStringLiteral(" وب سايت :"),
                             QStringLiteral("فروشگاه :")};
    for (int slot = 2; slot <= 6; ++slot)
        QVERIFY2(screen.line(slot).startsWith(labels.at(slot - 2)), qPrintable(screen.line(slot)));
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(label(screen, n)->text(), screen.line(n - 1));
    const std::array<int, 4> tops{1920, 2640, 3240, 3840};
    for (int n = 1; n <= 4; ++n)
        QCOMPARE(label(screen, n)->y(), twips(tops[std::size_t(n - 1)]));

    for (int tick = 0; tick < 62; ++tick)
        screen.Timer10_Timer();
    QCOMPARE(label(screen, 1)->y(), twips(1920 - 62 * 15));
    QCOMPARE(label(screen, 1)->text(), screen.line(0));
    screen.Timer10_Timer();
    const int footTop = screen.frameGeometry().height() * 15 - 1500;
    QCOMPARE(label(screen, 1)->text(), screen.line(4));
    QCOMPARE(label(screen, 1)->y(), twips(footTop - 15));
    QCOMPARE(label(screen, 2)->y(), twips(2640 - 63 * 15));

    // Every later jump: one label at a time, taking the next line of the cycle.
    QStringList expected;
    for (int slot : {5, 6, 7, 8, 0, 1, 2, 3, 4, 5})
        expected << screen.line(slot);
    QStringList shown;
    std::array<int, 4> before{};
    while (shown.size() < expected.size()) {
        for (int n = 1; n <= 4; ++n)
            before[std::size_t(n - 1)] = label(screen, n)->y();
        screen.Timer10_Timer();
        int jumped = 0;
        for (int n = 1; n <= 4; ++n) {
            if (label(screen, n)->y() > before[std::size_t(n - 1)]) {
                ++jumped;
                QCOMPARE(label(screen, n)->y(), twips(footTop - 15));
                shown << label(screen, n)->text();
            }
        }
        QVERIFY(jumped <= 1);
    }
    QCOMPARE(shown, expected);
    QCOMPARE(screen.line(7), QString());
    QCOMPARE(screen.line(8), QString());
}

void TestAbout::creditLineClosesUpThenOpensWords_data()
{
    QTest::addColumn<QString>("spread");
    QTest::addColumn<QString>("afterOneTick");
    QTest::addColumn<QString>("assembled");
    QTest::newRow("single and double stops")
        << QStringLiteral("  س  ل .   ا..م .") << QStringLiteral(" س  ل .   ا..م .")
        << QStringLiteral("سل ا  م ");
    QTest::newRow("no blanks") << QStringLiteral("a.b") << QStringLiteral("a.b")
                               << QStringLiteral("a b");
    QTest::newRow("no stops") << QStringLiteral("   a b") << QStringLiteral("  a b")
                              << QStringLiteral("ab");
    QTest::newRow("empty") << QString() << QString() << QString();
}

void TestAbout::creditLineClosesUpThenOpensWords()
{
    QFETCH(QString, spread);
    QFETCH(QString, afterOneTick);
    QFETCH(QString, assembled);
    About screen;
    screen.setCreditText(spread);
    screen.Timer3_Timer();
    QCOMPARE(text1(screen)->text(), afterOneTick);
    assemble(screen);
    QCOMPARE(text1(screen)->text(), assembled);
    screen.Timer3_Timer();
    QCOMPARE(text1(screen)->text(), assembled);
}

void TestAbout::storedCreditIsSpreadOut()
{
    About screen;
    const QString stored = About::storedCreditText();
    QCOMPARE(text1(screen)->text(), stored);
    QVERIFY(QRegularExpression(QStringLiteral("^( {1,22}[^ ])+$")).match(stored).hasMatch());
    QVERIFY(stored.endsWith(u'.'));
    assemble(screen);
    QCOMPARE(text1(screen)->text(), QStringLiteral("ساخته شده توسط تیم سنوورا "));
}

void TestAbout::label1ColourCarriesOverBetweenOpenings()
{
    const QList<QColor> cycle{QColor(0, 0, 0),     QColor(0, 128, 0),     QColor(128, 0, 0),
                              QColor(128, 128, 0), QColor(128, 128, 128), QColor(0, 255, 0),
                              QColor(255, 0, 0),   QColor(255, 255, 0)};
    qsizetype start = -1;
    {
        About first;
        const QColor designed = colourOf(label(first, 2));
        first.Timer1_Timer();
        start = cycle.indexOf(colourOf(label(first, 1)));
        QVERIFY(start >= 0);
        first.Timer1_Timer();
        QCOMPARE(colourOf(label(first, 1)), cycle.at((start + 1) % 8));
        QCOMPARE(colourOf(label(first, 2)), designed);
        QCOMPARE(colourOf(label(first, 4)), designed);
    }
    About second;
    for (int tick = 2; tick <= 10; ++tick) {
        second.Timer1_Timer();
        QCOMPARE(colourOf(label(second, 1)), cycle.at((start + tick) % 8));
    }
}

void TestAbout::opensFromTheMainWindowAndClosesWithExit()
{
    TestHome home;
    Frm1 window;
    window.show();
    const auto watch = [](About* screen) {
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), QStringLiteral("about"));
        QCOMPARE(screen->pos(), twipsPoint(1100, 1200));
        // The credits scroll on a timer: a loaded machine may take longer than the default wait.
        QTRY_COMPARE_WITH_TIMEOUT(text1(*screen)->text(),
                                  QStringLiteral("ساخته شده توسط تیم سنوورا "), 60000);
        QTRY_VERIFY_WITH_TIMEOUT(label(*screen, 1)->y() < twips(1920), 60000);
        QCOMPARE(screen->windowTitle(), QStringLiteral("about"));
    };
    ModalDriver driver;
    driver.then([&](QWidget* modal) {
        auto* screen = qobject_cast<About*>(modal);
        watch(screen);
        if (screen)
            QTest::mouseClick(screen->findChild<QAbstractButton*>("Command1"), Qt::LeftButton);
    });
    QTest::mouseClick(window.findChild<QAbstractButton*>("Command11"), Qt::LeftButton);
    QVERIFY(driver.done());
    QVERIFY(!findWindow<About>());
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
