#include "test/ItemBank.h"

#include <QtTest>

// The fifteen items are shown exactly as written, blanks included, and each scores on its key.
class TestItemBank : public QObject
{
    Q_OBJECT

  private slots:
    void itemsAreExactAndKeyed_data();
    void itemsAreExactAndKeyed();
    void numbersOutsideTheScaleHaveNoItem();
};

void TestItemBank::itemsAreExactAndKeyed_data()
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

void TestItemBank::itemsAreExactAndKeyed()
{
    QFETCH(int, number);
    QFETCH(QString, text);
    QFETCH(QString, keyed);
    QVERIFY(ItemBank::isItem(number));
    QCOMPARE(ItemBank::text(number), text);
    QCOMPARE(KeyedAnswer(number), keyed);
}

void TestItemBank::numbersOutsideTheScaleHaveNoItem()
{
    for (int number : {-1, 0, 16}) {
        QVERIFY(!ItemBank::isItem(number));
        QVERIFY(ItemBank::text(number).isEmpty());
        QVERIFY(KeyedAnswer(number).isEmpty());
    }
}

QTEST_MAIN(TestItemBank)
#include "tst_itembank.moc"
