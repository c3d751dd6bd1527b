#include "app/Frm1.h"
#include "appearance/ClinicPanel.h"
#include "support/ScreenDriver.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QtTest>

// One subject from enrolment to the printed result, through the real windows only.
class TestResultJourney : public QObject
{
    Q_OBJECT

  private slots:
    void enrolTestScoreAndPrint();

  private:
    static void click(QWidget* parent, const char* name)
    {
        parent->findChild<QAbstractButton*>(QString::fromLatin1(name))->click();
    }
};

void TestResultJourney::enrolTestScoreAndPrint()
{
    TestHome home;
    Frm1 window;
    window.show();

    click(&window, "Command9");
    click(&window, "Command67");
    typeText(window.clinicPanel()->nameBox(),
             QStringLiteral("کلینیک روان‌شناسی مهر"));
    typeText(window.clinicPanel()->addressBox(), QStringLiteral("شیراز خیابان زند"));
    click(window.clinicPanel(), "Command64");

    QVERIFY(ScreenDriver::enrol(window, {.code = QStringLiteral("P101"),
                                         .firstName = QStringLiteral("پروین"),
                                         .familyName = QStringLiteral("شکوهی"),
                                         .group = 2}));
    // Yes to every item but 1, 5 and 7 (keyed "no", answered "no"): 10 yes-keys + 3 = 13.
    QVERIFY(ScreenDriver::answerTest(window, QStringLiteral("P101"),
                                     QStringLiteral("011101011111111")));

    QString shownScore;
    ModalDriver driver;
    driver
        .then([&](QWidget* screen) {
            click(screen, "Command1");
            shownScore = screen->findChild<QLineEdit*>(QStringLiteral("Txt6"))->text();
            click(screen, "Command6");
            click(screen, "Command4");
        })
        .input(QStringLiteral("P101"))
        .box();
    click(&window, "Command3");
    QVERIFY(driver.done());
    QCOMPARE(shownScore, QStringLiteral("13"));
    QCOMPARE(Fixture::columnOf(QStringLiteral("Print1"), QStringLiteral("P101"),
                               QStringLiteral("Score")),
             QStringLiteral("13"));
    QCOMPARE(Fixture::columnOf(QStringLiteral("Print1"), QStringLiteral("P101"),
                               QStringLiteral("Comment")),
             QStringLiteral("احتمال افسردگي وجود دارد و اين احتمال زياد است "));

    const QStringList reports = Reports::files();
    QCOMPARE(reports.size(), 1);
    QVERIFY(driver.lastText().contains(QDir::toNativeSeparators(reports.first())));
    const QString text = Reports::text(reports.first());
    for (const QString& expected :
         {QStringLiteral("کلینیک روان‌شناسی مهر"),
          QStringLiteral("شیراز خیابان زند"), QStringLiteral("پروین"), QStringLiteral("شکوهی"),
          QStringLiteral("13"),
          QStringLiteral("احتمال افسردگي وجود دارد و اين احتمال زياد است ").trimmed(),
          QStringLiteral("سالمندان")})
        QVERIFY2(text.contains(Reports::plain(expected)), qPrintable(expected));
    QCOMPARE(Reports::detailLinesOf(reports.first()),
             (QList<QPair<int, QString>>{{1, QStringLiteral("P101")}}));
}

QTEST_MAIN(TestResultJourney)
#include "tst_resultjourney.moc"
