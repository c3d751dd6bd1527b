#include "calendar/SolarHijriDate.h"

#include <QtTest>

class TestSolarHijri : public QObject
{
    Q_OBJECT

  private slots:
    void layouts_data();
    void layouts();
    void layoutZero_data();
    void layoutZero();
    void leapYearsOfTheRule();
    void timeOfDayNeverMovesTheDate();
    void unknownLayoutAndDatesBeforeTheEpochAreEmpty();
};

static QDateTime at(int y, int m, int d, int hour = 12, int minute = 0)
{
    return QDateTime(QDate(y, m, d), QTime(hour, minute));
}

void TestSolarHijri::layouts_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("2 Nov 2014") << at(2014, 11, 2)
                                << QStringList{"1393/08/11", "11 آبان 1393", "يکشنبه 1393/8/11",
                                               "يکشنبه 11 آبان 1393", "1393.8.11"};
    QTest::newRow("20 Mar 2024") << at(2024, 3, 20)
                                 << QStringList{"1403/01/01", "1 فروردين 1403", "چهارشنبه 1403/1/1",
                                                "چهارشنبه 1 فروردين 1403", "1403.1.1"};
    QTest::newRow("20 Mar 2025") << at(2025, 3, 20)
                                 << QStringList{"1403/12/30", "30 اسفند 1403", "پنجشنبه 1403/12/30",
                                                "پنجشنبه 30 اسفند 1403", "1403.12.30"};
    QTest::newRow("epoch") << at(1953, 3, 21)
                           << QStringList{"1332/01/01", "1 فروردين 1332", "شنبه 1332/1/1",
                                          "شنبه 1 فروردين 1332", "1332.1.1"};
}

void TestSolarHijri::layouts()
{
    QFETCH(QDateTime, moment);
    QFETCH(QStringList, texts);
    for (int layout = 0; layout < 5; ++layout)
        QCOMPARE(SolarHijriDate(moment, layout), texts[layout]);
    QCOMPARE(SolarHijriDate(moment), texts[0]);
}

void TestSolarHijri::layoutZero_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("text");
    QTest::newRow("day after Esfand 30") << at(2025, 3, 21) << "1404/01/01";
    QTest::newRow("half-year seam, last of first half") << at(2024, 9, 21) << "1403/06/31";
    QTest::newRow("half-year seam, first of second half") << at(2024, 9, 22) << "1403/07/01";
    QTest::newRow("last day of a common year") << at(2023, 3, 20) << "1401/12/29";
    QTest::newRow("first day after a common year") << at(2023, 3, 21) << "1402/01/01";
    QTest::newRow("1436 begins") << at(2057, 3, 20) << "1436/01/01";
    QTest::newRow("1437 begins") << at(2058, 3, 21) << "1437/01/01";
    QTest::newRow("1438 begins") << at(2059, 3, 22) << "1438/01/01";
}

void TestSolarHijri::layoutZero()
{
    QFETCH(QDateTime, moment);
    QFETCH(QString, text);
    QCOMPARE(SolarHijriDate(moment, 0), text);
}

void TestSolarHijri::leapYearsOfTheRule()
{
    const QList<int> leap{1333, 1337, 1342, 1346, 1350, 1354, 1358, 1362, 1366, 1370,
                          1375, 1379, 1383, 1387, 1391, 1395, 1399, 1403, 1408, 1412,
                          1416, 1420, 1424, 1428, 1432, 1436, 1437, 1441, 1445, 1449};
    for (int year = 1332; year <= 1449; ++year)
        QCOMPARE(IsSolarHijriLeap(year), leap.contains(year));
}

void TestSolarHijri::timeOfDayNeverMovesTheDate()
{
    QCOMPARE(SolarHijriDate(at(2024, 9, 21, 23, 59)), SolarHijriDate(at(2024, 9, 21, 0, 0)));
    QCOMPARE(SolarHijriDate(at(1953, 3, 21, 0, 0)), QStringLiteral("1332/01/01"));
}

void TestSolarHijri::unknownLayoutAndDatesBeforeTheEpochAreEmpty()
{
    QCOMPARE(SolarHijriDate(at(2014, 11, 2), 5), QString());
    QCOMPARE(SolarHijriDate(at(2014, 11, 2), -1), QString());
    QCOMPARE(SolarHijriDate(at(1953, 3, 20, 23, 59), 0), QString());
    QCOMPARE(SolarHijriDate(QDateTime(), 0), QString());
}

QTEST_MAIN(TestSolarHijri)
#include "tst_solarhijri.moc"
