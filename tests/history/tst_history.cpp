// Following a subject over time through the real screens: a retest and a correction on the
// test screen, read back from Administration and AuditTrail; an abandoned retest; the history
// screen with hostile texts, its chart and its printed page; the group picture of the code
// finder.

#include "calendar/SolarHijriDate.h"
#include "data/Columns.h"
#include "data/Database.h"
#include "data/GroupStatistics.h"
#include "data/RecordSet.h"
#include "history/FrmGroupPicture.h"
#include "history/FrmHistory.h"
#include "lookup/FrmCode.h"
#include "questionnaire/Questionnaires.h"
#include "scoring/FrmkLID.h"
#include "support/ForeignFile.h"
#include "support/TestSupport.h"
#include "testscreen/FrmTest.h"

#include <QAbstractButton>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QProcess>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

namespace {

const QString complete = QStringLiteral("101010101010101");

QString live()
{
    return Database::absolutePath(Database::File::Subjects);
}

QStringList administrations(const QString& code)
{
    return peek(live(), QStringLiteral("SELECT Number || ':' || [1]||[2]||[3]||[4]||[5]||[6]||"
                                       "[7]||[8]||[9]||[10]||[11]||[12]||[13]||[14]||[15] FROM "
                                       "Administration WHERE Code = '%1' ORDER BY Number")
                            .arg(code));
}

QStringList trail(const QString& code)
{
    return peek(live(), QStringLiteral("SELECT Action || ' ' || Field || ' ' || OldValue || '>' "
                                       "|| NewValue FROM AuditTrail WHERE Code = '%1' ORDER BY ID")
                            .arg(code));
}

// A subject enrolled with the given answers, its administration 1 made the way an existing
// registry gets it: when the file is opened.
void enrolAnswered(const QString& code, const QString& answers, const QString& group = "A")
{
    Fixture::enrol({.code = code, .group = group, .answers = answers});
    Database::closeAll();
    QCOMPARE(Database::verify(), QString());
}

// The test screen opened on a subject the way the main window opens it, Start clicked.
struct OpenTest
{
    explicit OpenTest(const QString& code)
    {
        screen.answerRecords().setFilter(SubjectColumn::Code, code);
        screen.subjectRecords().setFilter(SubjectColumn::Code, code);
        screen.show();
        button("Command1")->click();
    }
    QAbstractButton* button(const char* name)
    {
        return screen.findChild<QAbstractButton*>(QString::fromLatin1(name));
    }
    QRadioButton* option(const char* name)
    {
        return screen.findChild<QRadioButton*>(QString::fromLatin1(name));
    }
    // Answers items 1 to answers.size() in order, Next between them.
    void answer(const QString& answers)
    {
        for (qsizetype i = 0; i < answers.size(); ++i) {
            option(answers[i] == QLatin1Char('1') ? "Option1" : "Option2")->click();
            if (i + 1 < answers.size())
                button("CmdNext")->click();
        }
    }
    bool startRetest(QMessageBox::StandardButton reply)
    {
        ModalDriver driver;
        driver.box(reply);
        button("CmdRetest")->click();
        return driver.done() && driver.lastText().contains(QStringLiteral("آزمون تازه"));
    }
    FrmTest screen;
};

int nonWhitePixels(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y).lightness() < 200)
                ++count;
        }
    }
    return count;
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("<%1 failed>").arg(program);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

class TestHistory : public QObject
{
    Q_OBJECT

  private slots:
    void retestThenCorrection();
    void retestOnlyForACompleteAdministration_data();
    void retestOnlyForACompleteAdministration();
    void abandonedOrDeclinedRetestLeavesEverything();
    void historyScreenShowsHostileTextsAndPrints();
    void historyFromTheScoringScreenAndTheCodeFinder();
    void groupPicture();
};

void TestHistory::retestThenCorrection()
{
    TestHome home;
    enrolAnswered(QStringLiteral("R1"), complete);
    QCOMPARE(administrations("R1"), QStringList{"1:" + complete});
    {
        OpenTest test(QStringLiteral("R1"));
        QVERIFY(test.button("CmdRetest")->isVisible());
        QVERIFY(test.startRetest(QMessageBox::Yes));
        QVERIFY(!test.button("CmdRetest")->isVisible());
        // The buffer starts empty at item 1.
        QVERIFY(!test.option("Option1")->isChecked() && !test.option("Option2")->isChecked());
        test.answer(QStringLiteral("111111111111111"));
        // Nothing is stored before Save and exit.
        QCOMPARE(Fixture::answerOf(QStringLiteral("R1"), 1), QStringLiteral("1"));
        QCOMPARE(Fixture::answerOf(QStringLiteral("R1"), 2), QStringLiteral("0"));
        test.button("Command5")->click();
        QVERIFY(!test.screen.isVisible());
    }
    QCOMPARE(administrations("R1"),
             QStringList({"1:" + complete, QStringLiteral("2:111111111111111")}));
    QCOMPARE(Fixture::answerOf(QStringLiteral("R1"), 2), QStringLiteral("1"));
    QStringList expected{QStringLiteral("retest Number 1>2")};
    for (int item = 1; item <= 15; ++item)
        expected << QStringLiteral("retest %1 >1").arg(item);
    QCOMPARE(trail("R1"), expected);
    const QDateTime given = QDateTime::fromString(
        peek(live(), "SELECT AdministeredAt FROM Administration WHERE Number = 2").value(0),
        Qt::ISODate);
    QVERIFY(qAbs(given.secsTo(QDateTime::currentDateTime())) < 120);

    // Without the retest button, a save corrects the latest administration.
    {
        OpenTest test(QStringLiteral("R1"));
        test.answer(QStringLiteral("0"));
        auto* name = test.screen.findChild<QLineEdit*>(QStringLiteral("Text3"));
        name->setText(QStringLiteral("<b>مریم</b>"));
        test.button("Command5")->click();
    }
    QCOMPARE(administrations("R1"),
             QStringList({"1:" + complete, QStringLiteral("2:011111111111111")}));
    QCOMPARE(trail("R1").mid(16), QStringList({QStringLiteral("subject-edit FName علی><b>مریم</b>"),
                                               QStringLiteral("test-save 1 1>0")}));
    QCOMPARE(peek(live(), "SELECT AdministeredAt FROM Administration WHERE Number = 2").value(0),
             given.toString(Qt::ISODate));
}

void TestHistory::retestOnlyForACompleteAdministration_data()
{
    QTest::addColumn<QString>("answers");
    QTest::addColumn<bool>("offered");
    QTest::newRow("all fifteen") << complete << true;
    QTest::newRow("fourteen") << QStringLiteral("10101010101010") << false;
    QTest::newRow("item 8 unanswered") << QStringLiteral("1010101 0101010") << false;
    QTest::newRow("none") << QString() << false;
}

void TestHistory::retestOnlyForACompleteAdministration()
{
    QFETCH(QString, answers);
    QFETCH(bool, offered);
    TestHome home;
    enrolAnswered(QStringLiteral("C1"), answers);
    OpenTest test(QStringLiteral("C1"));
    QCOMPARE(test.button("CmdRetest")->isVisible(), offered);
}

void TestHistory::abandonedOrDeclinedRetestLeavesEverything()
{
    TestHome home;
    enrolAnswered(QStringLiteral("A1"), complete);
    const QByteArray before = peek(live(), "SELECT group_concat(Number || AdministeredAt || [1] || "
                                           "[15]) FROM Administration")
                                  .join(QString())
                                  .toUtf8();
    {
        OpenTest test(QStringLiteral("A1"));
        QVERIFY(test.startRetest(QMessageBox::No));
        QVERIFY(test.button("CmdRetest")->isVisible());
        QCOMPARE(test.option("Option1")->isChecked(), true); // item 1 still shows its answer
    }
    {
        OpenTest test(QStringLiteral("A1"));
        QVERIFY(test.startRetest(QMessageBox::Yes));
        test.answer(QStringLiteral("0000"));
        test.screen.hide(); // left without Save and exit (e.g. the application ended)
    }
    QCOMPARE(administrations("A1"), QStringList{"1:" + complete});
    QCOMPARE(peek(live(), "SELECT group_concat(Number || AdministeredAt || [1] || [15]) FROM "
                          "Administration")
                 .join(QString())
                 .toUtf8(),
             before);
    QCOMPARE(Fixture::answerOf(QStringLiteral("A1"), 2), QStringLiteral("0"));
    QCOMPARE(Fixture::answerOf(QStringLiteral("A1"), 3), QStringLiteral("1"));
    QCOMPARE(trail("A1"), QStringList());
}

void TestHistory::historyScreenShowsHostileTextsAndPrints()
{
    TestHome home;
    const QString code = QStringLiteral("<b>X'1</b>&amp;Z");
    const QString name = QStringLiteral("ن&amp;<i>ا</i>");
    Fixture::enrol({.code = code, .firstName = name, .answers = complete});
    peek(live(), QStringLiteral("INSERT INTO Administration (Code, Number, AdministeredAt, [1], "
                                "[2], [3], [4], [5], [6], [7], [8], [9], [10], [11], [12], [13], "
                                "[14], [15]) VALUES ('%1', 1, '2025-03-21T10:00:00+03:30', "
                                "'0','0','0','0','0','0','0','0','0','0','0','0','0','0','0'), "
                                "('%1', 2, '2026-12-11T14:56:29+03:30', '1','0','1','0','1','0',"
                                "'1','0','1','0','1','0','1','0','1')")
                     .arg(QString(code).replace(QLatin1Char('\''), QStringLiteral("''"))));
    const Questionnaire& scale = Questionnaires::geriatricDepression();
    const int firstScore = scale.score(QStringList(15, QStringLiteral("0")));
    const int secondScore = scale.score(complete.split(QString(), Qt::SkipEmptyParts));

    FrmHistory screen;
    QVERIFY(screen.showSubject(code));
    screen.show();
    const QString shown = screen.findChild<QLabel*>(QStringLiteral("HistorySubject"))->text();
    QVERIFY2(shown.contains(code) && shown.contains(name), qPrintable(shown));
    auto* table = screen.findChild<QTableWidget*>(QStringLiteral("AdministrationTable"));
    QCOMPARE(table->rowCount(), 2);
    const auto cell = [table](int row, int column) { return table->item(row, column)->text(); };
    QCOMPARE(cell(0, 0), QStringLiteral("1"));
    QCOMPARE(cell(0, 1).left(10),
             SolarHijriDate(
                 QDateTime::fromString("2025-03-21T10:00:00+03:30", Qt::ISODate).toLocalTime()));
    QCOMPARE(cell(1, 1).left(10), QStringLiteral("1405/09/20"));
    QCOMPARE(cell(1, 2), QStringLiteral("بله"));
    QCOMPARE(cell(1, 3), QStringLiteral("خیر"));
    QCOMPARE(cell(1, 17), QStringLiteral("15"));
    QCOMPARE(cell(0, 18), QString::number(firstScore));
    QCOMPARE(cell(1, 18), QString::number(secondScore));
    QCOMPARE(cell(1, 19), scale.bandText(secondScore));

    // The chart: one point per administration at its score, drawn.
    auto* view = screen.findChild<QChartView*>(QStringLiteral("ScoreChart"));
    auto* scores = qobject_cast<QLineSeries*>(view->chart()->series().first());
    QCOMPARE(scores->count(), 2);
    QCOMPARE(scores->at(0).y(), qreal(firstScore));
    QCOMPARE(scores->at(1).y(), qreal(secondScore));
    QVERIFY(scores->at(0).x() < scores->at(1).x());
    const QImage chart = screen.chartImage(QSize(600, 300));
    QVERIFY(nonWhitePixels(chart, chart.rect()) > 2000);

    // Printed with no printer: a PDF in Reports/ with the texts exactly and the chart.
    ModalDriver driver;
    driver.box();
    screen.findChild<QAbstractButton*>(QStringLiteral("HistoryPrint"))->click();
    QVERIFY(driver.done());
    QCOMPARE(Reports::files().size(), 1);
    const QString pdf = Reports::files().first();
    const QString text = Reports::text(pdf);
    // The code reads left to right: the layout extraction keeps its printed order.
    const QString layout = Reports::text(pdf, true);
    QVERIFY2(layout.contains(Reports::plain(code)), qPrintable(layout));
    // A right-to-left name with markup in it: every piece is printed as it is (the extraction
    // orders the mixed runs by its own rules).
    for (const QString& piece :
         {QStringLiteral("amp;"), QStringLiteral("<i"), QStringLiteral("رضایی")})
        QVERIFY2(text.contains(Reports::plain(piece)), qPrintable(piece));
    QVERIFY(text.contains(Reports::plain(QStringLiteral("1405/09/20"))));
    const QStringList images =
        run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(QLatin1Char('\n'));
    QVERIFY2(images.size() >= 3 && images[2].contains(QStringLiteral("image")),
             qPrintable(images.join(QLatin1Char('\n'))));
    const QString png = home.file(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-png"),
         QStringLiteral("-singlefile"), pdf, png});
    const QImage page(png + QStringLiteral(".png"));
    QVERIFY(!page.isNull());
    // The chart lies below the lines: the lower half of the page is drawn on.
    QVERIFY(nonWhitePixels(page, QRect(0, page.height() / 4, page.width(), page.height() / 2)) >
            500);
    screen.close();
}

void TestHistory::historyFromTheScoringScreenAndTheCodeFinder()
{
    TestHome home;
    enrolAnswered(QStringLiteral("H1"), complete);
    // Scoring: the search stores the score, and the trail records it.
    FrmkLID scoring;
    scoring.show();
    auto* history = scoring.findChild<QAbstractButton*>(QStringLiteral("CmdHistory"));
    QVERIFY(!history->isEnabled());
    ModalDriver search;
    search.input(QStringLiteral("H1"));
    scoring.findChild<QAbstractButton*>(QStringLiteral("Command1"))->click();
    QVERIFY(search.done());
    QVERIFY(history->isEnabled());
    QString seen;
    ModalDriver open;
    open.then([&seen](QWidget* window) {
        seen = window->findChild<QLabel*>(QStringLiteral("HistorySubject"))->text() + "|" +
               QString::number(
                   window->findChild<QTableWidget*>(QStringLiteral("AuditTable"))->rowCount());
        window->close();
    });
    history->click();
    QVERIFY(open.done());
    QVERIFY2(seen.contains(QStringLiteral("H1")) && seen.endsWith(QStringLiteral("|1")),
             qPrintable(seen));
    QCOMPARE(trail("H1").size(), 1);
    QVERIFY(trail("H1").first().startsWith(QStringLiteral("scoring Score >")));

    // The code finder: the chosen row's history.
    FrmCode finder;
    finder.show();
    auto* grid = finder.findChild<QTableView*>(QStringLiteral("DataGrid1"));
    grid->setCurrentIndex(grid->model()->index(0, 0));
    ModalDriver fromGrid;
    fromGrid.then([&seen](QWidget* window) {
        seen = window->objectName() +
               window->findChild<QLabel*>(QStringLiteral("HistorySubject"))->text();
        window->close();
    });
    finder.findChild<QAbstractButton*>(QStringLiteral("CmdHistory"))->click();
    QVERIFY(fromGrid.done());
    QVERIFY2(seen.startsWith(QStringLiteral("FrmHistory")) && seen.contains(QStringLiteral("H1")),
             qPrintable(seen));
}

void TestHistory::groupPicture()
{
    TestHome home;
    QCOMPARE(Database::verify(), QString());
    const Questionnaire& scale = Questionnaires::geriatricDepression();
    const QStringList answersA{complete, QStringLiteral("000000000000000"),
                               QStringLiteral("111111111111111")};
    QList<double> scores;
    for (int i = 0; i < answersA.size(); ++i) {
        Fixture::enrol({.code = QStringLiteral("G%1").arg(i),
                        .group = QStringLiteral("A"),
                        .answers = answersA[i]});
        scores << scale.score(answersA[i].split(QString(), Qt::SkipEmptyParts));
    }
    Fixture::enrol(
        {.code = QStringLiteral("OTHER"), .group = QStringLiteral("B"), .answers = complete});
    const double mean = (scores[0] + scores[1] + scores[2]) / 3;
    double squares = 0;
    for (double s : scores)
        squares += (s - mean) * (s - mean);
    const double sd = std::sqrt(squares / 2);

    FrmCode finder;
    finder.show();
    auto* group = finder.findChild<QComboBox*>(QStringLiteral("Combo3"));
    group->setCurrentIndex(0); // "A"
    QString summary;
    QStringList bands;
    QImage histogram;
    ModalDriver open;
    open.then([&](QWidget* window) {
        auto* picture = qobject_cast<FrmGroupPicture*>(window);
        summary = window->findChild<QLabel*>(QStringLiteral("GroupSummary"))->text();
        auto* table = window->findChild<QTableWidget*>(QStringLiteral("BandTable"));
        for (int row = 0; row < table->rowCount(); ++row)
            bands << table->item(row, 0)->text() + "=" + table->item(row, 1)->text();
        histogram = picture->chartImage(QSize(500, 300));
        window->close();
    });
    finder.findChild<QAbstractButton*>(QStringLiteral("CmdGroupPicture"))->click();
    QVERIFY(open.done());
    QVERIFY2(summary.contains(QStringLiteral("گروه A")), qPrintable(summary));
    QVERIFY2(summary.contains(QStringLiteral("آزمودنی‌ها: 3")), qPrintable(summary));
    QVERIFY2(summary.contains(QString::number(mean, 'f', 2)), qPrintable(summary));
    QVERIFY2(summary.contains(QString::number(sd, 'f', 2)), qPrintable(summary));
    QStringList expectedBands;
    for (const QuestionnaireBand& band : scale.bands) {
        int count = 0;
        for (double s : scores)
            count += (s >= band.lowest && s <= band.highest) ? 1 : 0;
        expectedBands << band.text + "=" + QString::number(count);
    }
    QCOMPARE(bands, expectedBands);
    QVERIFY(nonWhitePixels(histogram, histogram.rect()) > 2000);

    GroupStatistics all;
    QString error;
    QVERIFY(GroupStatistics::of(QString(), &all, &error));
    QCOMPARE(all.count, 4);
}

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
