#include "data/RecordSet.h"
#include "questionnaire/Questionnaires.h"
#include "scoring/FrmkLID.h"
#include "scoring/PrintResultReport.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QString noBand = QStringLiteral(" بدون افسردگي ");
const QString lowBand = QStringLiteral(" احتمال افسردگي وجود دارد ، ولي اين احتمال کم است ");
const QString highBand = QStringLiteral("احتمال افسردگي وجود دارد و اين احتمال زياد است ");

// Answers with the first `score` items keyed and the rest against their key.
QString answersScoring(int score)
{
    QString answers;
    for (int item = 1; item <= Questionnaires::geriatricDepression().itemCount(); ++item) {
        const bool keyedYes =
            Questionnaires::geriatricDepression().keyedAnswer(item) == Questionnaire::Yes;
        answers += (item <= score) == keyedYes ? QLatin1Char('1') : QLatin1Char('0');
    }
    return answers;
}

} // namespace

class TestScoring : public QObject
{
    Q_OBJECT

  private slots:
    void scoresKeyedAnswers_data();
    void scoresKeyedAnswers();
    void warnsAboutUnansweredItems();
    void refusesMissingCodes_data();
    void refusesMissingCodes();
    void typedScoreKeepsItsBand_data();
    void typedScoreKeepsItsBand();
    void showingStoredRowsCommitsNothing();
    void printNeedsANewSearch();
    void printsOneSubjectReport();
    void groupReportSpansPages();
    void printFailureIsToldAndMarkerEmptied();

  private:
    static QPushButton* button(FrmkLID& screen, const char* name)
    {
        return screen.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    static QString textOf(FrmkLID& screen, const char* name)
    {
        return screen.findChild<QWidget*>(QString::fromLatin1(name))->property("text").toString();
    }
    static void search(FrmkLID& screen, const QString& code, bool unanswered = false)
    {
        ModalDriver driver;
        driver.input(code);
        if (unanswered)
            driver.box();
        QTest::mouseClick(button(screen, "Command1"), Qt::LeftButton);
        QVERIFY(driver.done());
    }
    static void print(FrmkLID& screen)
    {
        ModalDriver driver;
        driver.box();
        QTest::mouseClick(button(screen, "Command6"), Qt::LeftButton);
        QVERIFY(driver.done());
    }
};

void TestScoring::scoresKeyedAnswers_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("band");
    QTest::newRow("all yes") << "S1" << QString(15, QLatin1Char('1')) << "10" << highBand;
    QTest::newRow("all no") << "S1" << QString(15, QLatin1Char('0')) << "5" << lowBand;
    QTest::newRow("every keyed answer") << "S1" << answersScoring(15) << "15" << highBand;
    QTest::newRow("against every key") << "S1" << answersScoring(0) << "0" << noBand;
    QTest::newRow("4") << "S1" << answersScoring(4) << "4" << noBand;
    QTest::newRow("5") << "S1" << answersScoring(5) << "5" << lowBand;
    QTest::newRow("9") << "S1" << answersScoring(9) << "9" << lowBand;
    QTest::newRow("10") << "S1" << answersScoring(10) << "10" << highBand;
    QTest::newRow("code with a quote") << "O'Hara 7" << answersScoring(7) << "7" << lowBand;
    // Item 1 is keyed "no": left unanswered, it does not count as a "no".
    QTest::newRow("unanswered is no match")
        << "S1" << (QLatin1Char(' ') + answersScoring(0).mid(1)) << "0" << noBand;
}

void TestScoring::scoresKeyedAnswers()
{
    QFETCH(QString, code);
    QFETCH(QString, answers);
    QFETCH(QString, score);
    QFETCH(QString, band);
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("first"), .answers = answersScoring(3)});
    Fixture::enrol({.code = code, .answers = answers, .score = QStringLiteral("3")});
    FrmkLID screen;
    screen.show();
    search(screen, code, answers.contains(QLatin1Char(' ')));
    QCOMPARE(textOf(screen, "Text15"), code);
    QCOMPARE(textOf(screen, "Txt6"), score);
    QCOMPARE(textOf(screen, "SkinLabel1(2)"), band);
    QCOMPARE(textOf(screen, "Label1"), band);
    QCOMPARE(screen.searchMarker()->text(), code);
    QCOMPARE(Fixture::columnOf(QStringLiteral("Print1"), code, QStringLiteral("Score")), score);
    QCOMPARE(Fixture::columnOf(QStringLiteral("Print1"), code, QStringLiteral("Comment")), band);
    QCOMPARE(Fixture::columnOf(QStringLiteral("Print1"), QStringLiteral("first"),
                               QStringLiteral("Score")),
             QString());
}

void TestScoring::warnsAboutUnansweredItems()
{
    TestHome home;
    QString answers = answersScoring(15);
    answers[1] = QLatin1Char(' ');
    answers[14] = QLatin1Char(' ');
    Fixture::enrol({.code = QStringLiteral("S1"), .answers = answers});
    FrmkLID screen;
    screen.show();
    ModalDriver driver;
    driver.input(QStringLiteral("S1")).box();
    QTest::mouseClick(button(screen, "Command1"), Qt::LeftButton);
    QVERIFY(driver.done());
    QCOMPARE(driver.boxes().size(), 1);
    const ModalDriver::Box warning = driver.boxes().first();
    QCOMPARE(warning.title, QStringLiteral("خطا"));
    QCOMPARE(warning.icon, QMessageBox::Warning);
    QCOMPARE(warning.text, QStringLiteral("شما به سوالات زير پاسخ نداده ايد") +
                               QStringLiteral("\r\n\r\n") + QStringLiteral(" 2   15  "));
    // The search goes on: the two unanswered items score nothing.
    QCOMPARE(
        Fixture::columnOf(QStringLiteral("Print1"), QStringLiteral("S1"), QStringLiteral("Score")),
        QStringLiteral("13"));
    QCOMPARE(screen.searchMarker()->text(), QStringLiteral("S1"));
}

void TestScoring::refusesMissingCodes_data()
{
    CodePrompt::addRefusals({QStringLiteral("S9"), QStringLiteral("S1' OR '1'='1")});
}

void TestScoring::refusesMissingCodes()
{
    QFETCH(QString, notice);
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("S1"), .answers = answersScoring(8)});
    FrmkLID screen;
    screen.show();
    ModalDriver driver;
    CodePrompt::refuse(driver);
    QTest::mouseClick(button(screen, "Command1"), Qt::LeftButton);
    QVERIFY(driver.done());
    QCOMPARE(driver.boxes().first().title, QStringLiteral("پيام"));
    QCOMPARE(driver.lastText(), notice);
    QCOMPARE(screen.searchMarker()->text(), QString());
    QCOMPARE(
        Fixture::columnOf(QStringLiteral("Print1"), QStringLiteral("S1"), QStringLiteral("Score")),
        QString());
}

void TestScoring::typedScoreKeepsItsBand_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("band");
    QTest::newRow("12") << "12" << highBand;
    QTest::newRow("4") << "4" << noBand;
    QTest::newRow("20: no band") << "20" << QString();
    QTest::newRow("4.5: no band") << "4.5" << QString();
    QTest::newRow("-1: no band") << "-1" << QString();
    QTest::newRow("emptied: no band") << "" << QString();
}

// A typed score is stored at each keystroke; a text that is not a whole number 0 to 15 is
// stored with no band text rather than with the band of an earlier keystroke.
void TestScoring::typedScoreKeepsItsBand()
{
    QFETCH(QString, typed);
    QFETCH(QString, band);
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("S1"), .answers = answersScoring(15)});
    FrmkLID screen;
    screen.show();
    search(screen, QStringLiteral("S1"));
    auto* score = screen.findChild<QLineEdit*>(QStringLiteral("Txt6"));
    score->setFocus();
    score->selectAll();
    QTest::keyClick(score, Qt::Key_Backspace);
    typeText(score, typed);
    QCOMPARE(textOf(screen, "SkinLabel1(2)"), band);
    QCOMPARE(textOf(screen, "Label1"), band);
    QCOMPARE(
        Fixture::columnOf(QStringLiteral("Print1"), QStringLiteral("S1"), QStringLiteral("Score")),
        typed);
    QCOMPARE(Fixture::columnOf(QStringLiteral("Print1"), QStringLiteral("S1"),
                               QStringLiteral("Comment")),
             band);
}

// Opening the screen shows the first rows of the tables and writes nothing; after a search
// and Exit, a new screen starts unsearched again.
void TestScoring::showingStoredRowsCommitsNothing()
{
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("S1"),
                    .answers = answersScoring(7),
                    .score = QStringLiteral("7"),
                    .comment = QStringLiteral("stale")});
    Fixture::enrol({.code = QStringLiteral("S2"), .answers = answersScoring(2)});
    {
        FrmkLID screen;
        screen.show();
        QCOMPARE(textOf(screen, "Text15"), QStringLiteral("S1"));
        QCOMPARE(textOf(screen, "Txt6"), QStringLiteral("7"));
        QCOMPARE(textOf(screen, "SkinLabel1(2)"), lowBand);
        QCOMPARE(textOf(screen, "Label1"), QStringLiteral("stale"));
        search(screen, QStringLiteral("S2"));
        QTest::mouseClick(button(screen, "Command4"), Qt::LeftButton);
        QVERIFY(!screen.isVisible());
    }
    QCOMPARE(Fixture::columnOf(QStringLiteral("Print1"), QStringLiteral("S1"),
                               QStringLiteral("Comment")),
             QStringLiteral("stale"));
    FrmkLID again;
    again.show();
    QCOMPARE(textOf(again, "Text15"), QStringLiteral("S1"));
    QCOMPARE(again.searchMarker()->text(), QString());
}

void TestScoring::printNeedsANewSearch()
{
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("S1"), .answers = answersScoring(6)});
    FrmkLID screen;
    screen.show();
    const auto printRefused = [&] {
        ModalDriver driver;
        driver.notice();
        QTest::mouseClick(button(screen, "Command6"), Qt::LeftButton);
        QVERIFY(driver.done());
        QCOMPARE(driver.boxes().first().title, QStringLiteral("پيام"));
        QCOMPARE(
            driver.lastText(),
            QStringLiteral(
                "ابتدا روي جستجو کليک کرده سپس کد آزمودني را وارد کنيد بعد روي پرينت کليک کنيد "));
        auto* timer = screen.findChild<QTimer*>(QStringLiteral("MessageTimer20480"));
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 2000);
    };
    printRefused();
    QVERIFY(Reports::files().isEmpty());
    search(screen, QStringLiteral("S1"));
    print(screen);
    QCOMPARE(screen.searchMarker()->text(), QString());
    QCOMPARE(Reports::files().size(), 1);
    printRefused();
    QCOMPARE(Reports::files().size(), 1);
}

void TestScoring::printsOneSubjectReport()
{
    TestHome home;
    Fixture::setSetting(QStringLiteral("Name"), QStringLiteral("کلینیک مهر"));
    Fixture::setSetting(QStringLiteral("Adress"), QStringLiteral("تهران خیابان آزادی پلاک ۱۲"));
    Fixture::enrol({.code = QStringLiteral("S1"), .answers = answersScoring(2)});
    Fixture::enrol({.code = QStringLiteral("S2"),
                    .firstName = QStringLiteral("مریم"),
                    .familyName = QStringLiteral("کریمی"),
                    .group = QStringLiteral("C"),
                    .answers = answersScoring(11)});
    FrmkLID screen;
    screen.show();
    for (int print = 1; print <= 2; ++print) {
        search(screen, QStringLiteral("S2"));
        TestScoring::print(screen);
        const QStringList files = Reports::files();
        QCOMPARE(files.size(), print);
        QCOMPARE(QFile::permissions(files.last()) &
                     (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup | QFile::WriteOther),
                 QFile::Permissions());
        const QString text = Reports::text(files.last());
        for (const QString& expected :
             {QStringLiteral("کلینیک مهر"),
              QStringLiteral("( GDS )گزارش نتيجه تست  مقياس افسردگي سالمندان ").mid(7).trimmed(),
              QStringLiteral("تهران خیابان آزادی پلاک ۱۲"), QStringLiteral("آدرس"),
              QStringLiteral("مریم"), QStringLiteral("کریمی"), highBand.trimmed()})
            QVERIFY2(text.contains(Reports::plain(expected)), qPrintable(expected));
        QVERIFY(!text.contains(QStringLiteral("S1")));
        const auto lines = Reports::detailLinesOf(files.last());
        QCOMPARE(lines, (QList<QPair<int, QString>>{{1, QStringLiteral("S2")}}));
    }
    QCOMPARE(QDir(home.file(QStringLiteral("Reports"))).entryList(QDir::Files | QDir::Hidden),
             QDir(home.file(QStringLiteral("Reports"))).entryList({QStringLiteral("*.pdf")}));
}

void TestScoring::groupReportSpansPages()
{
    TestHome home;
    QStringList codes;
    for (int i = 1; i <= 60; ++i) {
        const QString group = i % 4 == 0 ? QStringLiteral("A") : QStringLiteral("B");
        const QString code = QStringLiteral("B%1").arg(i, 2, 10, QLatin1Char('0'));
        Fixture::enrol({.code = code,
                        .firstName = QStringLiteral("نرگس"),
                        .group = group,
                        .score = QString::number(i % 16),
                        .comment = noBand});
        if (group == QLatin1String("B"))
            codes << code;
    }
    RecordSet rows(Database::File::Subjects, QStringLiteral("Print1"));
    QVERIFY(rows.setFilter(QStringLiteral("Group"), QStringLiteral("B")));
    QWidget owner;
    ModalDriver driver;
    driver.box();
    const ReportOutcome outcome =
        PrintResultReport(&owner, rows, QStringLiteral("کلینیک مهر"), QStringLiteral("تهران"));
    QVERIFY(driver.done());
    QVERIFY(outcome.printed);
    QCOMPARE(outcome.lines, codes.size());
    QCOMPARE(Reports::files(), QStringList{outcome.pdfPath});
    QVERIFY(driver.lastText().contains(QDir::toNativeSeparators(outcome.pdfPath)));

    const QString text = Reports::text(outcome.pdfPath);
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    QVERIFY(pages.size() >= 2);
    for (const QString& page : pages)
        QVERIFY(page.contains(Reports::plain(QStringLiteral("رديف"))));
    QCOMPARE(text.count(QStringLiteral("کلینیک مهر")), 1);
    QVERIFY(pages.last().contains(QStringLiteral("آدرس")));
    QList<QPair<int, QString>> expected;
    for (int i = 0; i < codes.size(); ++i)
        expected.append({i + 1, codes[i]});
    QCOMPARE(Reports::detailLinesOf(outcome.pdfPath), expected);
}

void TestScoring::printFailureIsToldAndMarkerEmptied()
{
    TestHome home;
    QFile blocker(home.file(QStringLiteral("Reports")));
    QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    Fixture::enrol({.code = QStringLiteral("S1"), .answers = answersScoring(6)});
    FrmkLID screen;
    screen.show();
    search(screen, QStringLiteral("S1"));
    ModalDriver driver;
    driver.box();
    QTest::mouseClick(button(screen, "Command6"), Qt::LeftButton);
    QVERIFY(driver.done());
    QCOMPARE(driver.boxes().first().title, QStringLiteral("خطا"));
    QCOMPARE(driver.boxes().first().icon, QMessageBox::Critical);
    QVERIFY(driver.lastText().startsWith(QStringLiteral("گزارش چاپ نشد.")));
    QCOMPARE(screen.searchMarker()->text(), QString());
}

QTEST_MAIN(TestScoring)
#include "tst_scoring.moc"
