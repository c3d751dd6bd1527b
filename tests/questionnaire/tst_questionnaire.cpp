#include "questionnaire/Questionnaires.h"

#include <QtTest>

// The fifteen items are shown exactly as written, blanks included, and each scores on its key;
// the score of a set of answers and its band come from the description alone.
class TestQuestionnaire : public QObject
{
    Q_OBJECT

  private slots:
    void itemsAreExactAndKeyed_data();
    void itemsAreExactAndKeyed();
    void numbersOutsideTheScaleHaveNoItem();
    void scoresAnswerSets_data();
    void scoresAnswerSets();
    void bandsOfScores_data();
    void bandsOfScores();
    void answerColumnsAreTheItemNumbers();
};

namespace {

const Questionnaire& scale()
{
    return Questionnaires::geriatricDepression();
}

// The answers of all fifteen items as one text of "1"/"0", or with blanks for unanswered items.
QStringList answersOf(const QString& letters)
{
    QStringList answers;
    for (const QChar letter : letters)
        answers << (letter == QLatin1Char(' ') ? QString() : QString(letter));
    return answers;
}

} // namespace

void TestQuestionnaire::itemsAreExactAndKeyed_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("keyed");
    QTest::newRow("1") << 1 << QStringLiteral(" آيا بطور کلي از زندگيتان راضي هستيد؟")
                       << QStringLiteral("0");
    QTest::newRow("2") << 2
                       << QStringLiteral(
                              " آيا از بسياري از فعاليتها  و علائقتان صرفنظر کرده ايد ؟ ")
                       << QStringLiteral("1");
    QTest::newRow("3") << 3 << QStringLiteral(" آيا احساس مي کنيد که زندگيتان پوچ است ؟")
                       << QStringLiteral("1");
    QTest::newRow("4") << 4 << QStringLiteral(" آيا اغلب اوقات کسل مي شويد ؟ ")
                       << QStringLiteral("1");
    QTest::newRow("5") << 5 << QStringLiteral(" آيا اکثر اوقات روحيه خوبي داريد ؟ ")
                       << QStringLiteral("0");
    QTest::newRow("6") << 6 << QStringLiteral(" آيا مي ترسيد که اتفاق بدي برايتان بيفتد ؟ ")
                       << QStringLiteral("1");
    QTest::newRow("7") << 7 << QStringLiteral(" آيا اکثر اوقات شاد هستيد ؟ ")
                       << QStringLiteral("0");
    QTest::newRow("8") << 8 << QStringLiteral(" آيا اغلب اوقات احساس درماندگي مي کنيد ؟ ")
                       << QStringLiteral("1");
    QTest::newRow("9")
        << 9
        << QStringLiteral(
               "آيا بيشتر ترجيح مي دهيد در خانه بمانيد تا اين که بيرون برويد و کارهاي تازه اي انجام دهيد ؟ ")
        << QStringLiteral("1");
    QTest::newRow("10") << 10
                        << QStringLiteral(
                               " آيا احساس مي کنيد که مشکل حافظه شما از اکثر مردم بيشتر است ؟ ")
                        << QStringLiteral("1");
    QTest::newRow("11") << 11
                        << QStringLiteral(" آيا از اين که زنده هستيد احساس خيلي خوبي داريد ؟  ")
                        << QStringLiteral("0");
    QTest::newRow("12") << 12
                        << QStringLiteral(" آيا فکر مي کنيد اينطور که هستيد، هيچ ارزشي نداريد ؟ ")
                        << QStringLiteral("1");
    QTest::newRow("13") << 13 << QStringLiteral(" آيا احساس مي کنيد که سرشار از انرژي هستيد ؟ ")
                        << QStringLiteral("0");
    QTest::newRow("14") << 14
                        << QStringLiteral(" آيا احساس مي کنيد که موقعيت  شما مأيوس کننده است؟ ")
                        << QStringLiteral("1");
    QTest::newRow("15") << 15
                        << QStringLiteral(
                               "آيا فکر مي کنيد که حال و روز اکثر مردم از شما بهتر است ؟ ")
                        << QStringLiteral("1");
}

void TestQuestionnaire::itemsAreExactAndKeyed()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    QFETCH(QString, keyed);
    QVERIFY(Questionnaires::geriatricDepression().isItem(number));
    QCOMPARE(Questionnaires::geriatricDepression().itemText(number), text);
    QCOMPARE(Questionnaires::geriatricDepression().keyedAnswer(number), keyed);
}

void TestQuestionnaire::numbersOutsideTheScaleHaveNoItem()
{
    for (int number : {-1, 0, 16}) {
        QVERIFY(!Questionnaires::geriatricDepression().isItem(number));
        QVERIFY(Questionnaires::geriatricDepression().itemText(number).isEmpty());
        QVERIFY(Questionnaires::geriatricDepression().keyedAnswer(number).isEmpty());
    }
}

void TestQuestionnaire::scoresAnswerSets_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("score");
    // Keys, item 1 to 15: 0 1 1 1 0 1 0 1 1 1 0 1 0 1 1.
    QTest::newRow("all yes") << answersOf(QStringLiteral("111111111111111")) << 10;
    QTest::newRow("all no") << answersOf(QStringLiteral("000000000000000")) << 5;
    QTest::newRow("every key") << answersOf(QStringLiteral("011101011101011")) << 15;
    QTest::newRow("against every key") << answersOf(QStringLiteral("100010100010100")) << 0;
    QTest::newRow("none answered") << answersOf(QString(15, QLatin1Char(' '))) << 0;
    // Item 1 is keyed "no": left unanswered it does not count as a "no".
    QTest::newRow("unanswered keyed no") << answersOf(QStringLiteral(" 11101011101011")) << 14;
    QTest::newRow("fewer answers than items") << answersOf(QStringLiteral("0111")) << 4;
    QTest::newRow("no answers") << QStringList() << 0;
    // Answers are read as numbers, as the boxes are: " 1" and "1.0" are a yes, and "x" reads
    // as 0, a no (item 1 is keyed "no"); the other twelve answers are against their keys.
    QTest::newRow("numeric reading")
        << (QStringList{QStringLiteral("x"), QStringLiteral(" 1"), QStringLiteral("1.0")} +
            answersOf(QStringLiteral("010100010100")))
        << 3;
}

void TestQuestionnaire::scoresAnswerSets()
{
    QFETCH(QStringList, answers);
    QFETCH(int, score);
    QCOMPARE(scale().score(answers), score);
}

void TestQuestionnaire::bandsOfScores_data()
{
    const QString none = QStringLiteral(" بدون افسردگي ");
    const QString low = QStringLiteral(" احتمال افسردگي وجود دارد ، ولي اين احتمال کم است ");
    const QString high = QStringLiteral("احتمال افسردگي وجود دارد و اين احتمال زياد است ");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("band");
    QTest::newRow("0") << "0" << none;
    QTest::newRow("4") << "4" << none;
    QTest::newRow("5") << "5" << low;
    QTest::newRow("9") << "9" << low;
    QTest::newRow("10") << "10" << high;
    QTest::newRow("15") << "15" << high;
    QTest::newRow("16") << "16" << QString();
    QTest::newRow("-1") << "-1" << QString();
    QTest::newRow("4.5") << "4.5" << QString();
    QTest::newRow("05") << "05" << low;
    QTest::newRow("blank") << " 5" << QString();
    QTest::newRow("empty") << "" << QString();
}

void TestQuestionnaire::bandsOfScores()
{
    QFETCH(QString, stored);
    QFETCH(QString, band);
    QCOMPARE(scale().bandTextForStored(stored), band);
    if (!band.isEmpty())
        QCOMPARE(scale().bandText(stored.toInt()), band);
    QVERIFY(scale().bandText(4.5).isNull());
}

void TestQuestionnaire::answerColumnsAreTheItemNumbers()
{
    QStringList expected;
    for (int item = 1; item <= 15; ++item)
        expected << QString::number(item);
    QCOMPARE(scale().answerColumns(), expected);
}

QTEST_MAIN(TestQuestionnaire)
#include "tst_questionnaire.moc"
