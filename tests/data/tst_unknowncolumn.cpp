#include "data/Columns.h"
#include "data/Database.h"
#include "data/RecordSet.h"
#include "support/TestSupport.h"

#include <QLineEdit>
#include <QtTest>

// A column that the code names and the table lacks is a fault in the code: it is asserted in
// debug builds, and in release builds it is logged and changes nothing.
class TestUnknownColumn : public QObject
{
    Q_OBJECT

  private slots:
    void misspeltColumnIsLoggedAndIgnored_data();
    void misspeltColumnIsLoggedAndIgnored();
    void knownColumnIsMatchedWithoutRegardToCase();
};

void TestUnknownColumn::misspeltColumnIsLoggedAndIgnored_data()
{
    QTest::addColumn<QString>("access");
    QTest::newRow("bind") << "bind";
    QTest::newRow("field") << "field";
    QTest::newRow("setField") << "setField";
}

void TestUnknownColumn::misspeltColumnIsLoggedAndIgnored()
{
#ifndef QT_NO_DEBUG
    QSKIP("a debug build stops at the assertion");
#endif
    QFETCH(QString, access);
    TestHome home;
    RecordSet subjects(Database::File::Subjects, TableName::Subjects);
    subjects.refresh();
    subjects.addNew();
    QVERIFY(subjects.setField(SubjectColumn::Code, QStringLiteral("S1")));
    QLineEdit box;
    QTest::ignoreMessage(QtCriticalMsg, "Column \"Cdoe\" is not in table \"IDE\"");
    const QString misspelt = QStringLiteral("Cdoe");
    if (access == QLatin1String("bind")) {
        QVERIFY(!subjects.bind(&box, misspelt));
        QVERIFY(box.text().isEmpty());
    } else if (access == QLatin1String("field")) {
        QVERIFY(subjects.field(misspelt).isNull());
    } else {
        QVERIFY(!subjects.setField(misspelt, QStringLiteral("S2")));
    }
    QCOMPARE(subjects.field(SubjectColumn::Code), QStringLiteral("S1"));
}

void TestUnknownColumn::knownColumnIsMatchedWithoutRegardToCase()
{
    TestHome home;
    RecordSet subjects(Database::File::Subjects, TableName::Subjects);
    subjects.refresh();
    subjects.addNew();
    QVERIFY(subjects.setField(QStringLiteral("code"), QStringLiteral("S1")));
    QLineEdit box;
    QVERIFY(subjects.bind(&box, QStringLiteral("CODE")));
    QCOMPARE(box.text(), QStringLiteral("S1"));
    QCOMPARE(subjects.field(SubjectColumn::Code), QStringLiteral("S1"));
}

QTEST_MAIN(TestUnknownColumn)
#include "tst_unknowncolumn.moc"
