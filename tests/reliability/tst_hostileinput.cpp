// Hostile text through the real panels: every value is stored and found back exactly, never
// matches another subject, and never changes anything but its own rows.

#include "app/Frm1.h"
#include "appearance/ClinicPanel.h"
#include "support/ScreenDriver.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QtTest>

class TestHostileInput : public QObject
{
    Q_OBJECT

  private slots:
    void storedAndFoundBackExactly_data();
    void storedAndFoundBackExactly();
    void clinicDetailsStoredExactly_data();
    void clinicDetailsStoredExactly();
};

static void addHostileRows()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("single quotes") << QStringLiteral("O'Neil ''x'");
    QTest::newRow("double quotes") << QStringLiteral("\"quoted\" \"");
    QTest::newRow("or-true") << QStringLiteral("' OR '1'='1");
    QTest::newRow("drop table") << QStringLiteral("'; DROP TABLE IDE; --");
    QTest::newRow("like wildcards") << QStringLiteral("%_%");
    QTest::newRow("backslashes") << QStringLiteral("C:\\DBM\\'\\\\");
    QTest::newRow("ten thousand characters") << QStringLiteral("ک").repeated(10000);
    QTest::newRow("direction marks") << QStringLiteral("\u200Fکد\u200E-12\u202B");
    QTest::newRow("zero-width joiner") << QStringLiteral("می\u200Cخواهم\u200D");
    QTest::newRow("line breaks") << QStringLiteral("a\nb\r\nc");
    QTest::newRow("emoji") << QStringLiteral("🙂👩‍⚕️");
    QTest::newRow("NUL") << QString(QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
    QTest::newRow("blanks only") << QStringLiteral("   ");
}

void TestHostileInput::storedAndFoundBackExactly_data()
{
    addHostileRows();
}

void TestHostileInput::storedAndFoundBackExactly()
{
    QFETCH(QString, value);
    TestHome home;
    Frm1 window;
    window.show();
    QVERIFY(ScreenDriver::enrol(window, {.code = QStringLiteral("decoy")}));
    QVERIFY(ScreenDriver::answerTest(window, QStringLiteral("decoy"),
                                     QStringLiteral("000000000000000")));

    ScreenDriver::Enrolment hostile{.code = value, .firstName = value, .familyName = value};
    hostile.education = value;
    if (TestServerDatabase::wanted() && value.contains(QChar(0))) {
        // A server stores no NUL character: the enrolment is refused, saying why, and nothing
        // of it is written.
        QString refusal;
        QVERIFY(!ScreenDriver::enrol(window, hostile, &refusal));
        QVERIFY2(refusal.contains(QStringLiteral("(NUL)")), qPrintable(refusal));
        for (const char* table : {"IDE", "Answer", "Print1"})
            QCOMPARE(Fixture::rowCount(QString::fromLatin1(table)), 1);
        return;
    }
    QVERIFY(ScreenDriver::enrol(window, hostile));
    for (const char* column : {"Code", "FName", "LName", "Tahsil"})
        QCOMPARE(Fixture::columnOf(QStringLiteral("IDE"), value, QString::fromLatin1(column)),
                 value);

    const QString answers = QStringLiteral("111111111111111");
    QVERIFY(ScreenDriver::answerTest(window, value, answers));
    for (int item = 1; item <= 15; ++item)
        QCOMPARE(Fixture::answerOf(value, item), QStringLiteral("1"));
    QCOMPARE(ScreenDriver::score(window, value), 10);
    QCOMPARE(Fixture::columnOf(QStringLiteral("Print1"), value, QStringLiteral("Score")),
             QStringLiteral("10"));

    // The code finder finds exactly this subject by its first name and by its family name.
    for (const char* selector : {"DataCombo6", "DataCombo1"}) {
        int rows = -1;
        QString found;
        ModalDriver finder;
        finder.then([&](QWidget* screen) {
            screen->findChild<QComboBox*>(QString::fromLatin1(selector))->setEditText(value);
            const QAbstractItemModel* grid =
                screen->findChild<QTableView*>(QStringLiteral("DataGrid1"))->model();
            rows = grid->rowCount();
            found = grid->index(0, 0).data().toString();
            screen->findChild<QAbstractButton*>(QStringLiteral("Command6"))->click();
        });
        window.findChild<QAbstractButton*>(QStringLiteral("Command4"))->click();
        QVERIFY(finder.done());
        QCOMPARE(rows, 1);
        QCOMPARE(found, value);
    }

    // The decoy is untouched and nothing else was added or removed.
    QCOMPARE(Fixture::answerOf(QStringLiteral("decoy"), 1), QStringLiteral("0"));
    QCOMPARE(Fixture::columnOf(QStringLiteral("Print1"), QStringLiteral("decoy"),
                               QStringLiteral("Score")),
             QString());
    for (const char* table : {"IDE", "Answer", "Print1"})
        QCOMPARE(Fixture::rowCount(QString::fromLatin1(table)), 2);
}

void TestHostileInput::clinicDetailsStoredExactly_data()
{
    addHostileRows();
}

void TestHostileInput::clinicDetailsStoredExactly()
{
    QFETCH(QString, value);
    TestHome home;
    Frm1 window;
    window.show();
    window.findChild<QAbstractButton*>(QStringLiteral("Command9"))->click();
    window.findChild<QAbstractButton*>(QStringLiteral("Command67"))->click();
    window.clinicPanel()->nameBox()->setText(value);
    window.clinicPanel()->addressBox()->setText(value + value);
    window.findChild<QAbstractButton*>(QStringLiteral("Command64"))->click();
    QCOMPARE(Fixture::setting(QStringLiteral("Name")), value);
    QCOMPARE(Fixture::setting(QStringLiteral("Adress")), value + value);
    QCOMPARE(Fixture::setting(QStringLiteral("TH")), QStringLiteral("1"));
}

QTEST_MAIN(TestHostileInput)
#include "tst_hostileinput.moc"
