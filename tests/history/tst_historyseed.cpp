// A subject file of an earlier version (IDE, Answer and Print1 only) gains the history tables
// when it is opened, and every subject with answers gets its administration 1 from its rows,
// dated from its enrolment; opened again, nothing is added twice. An old backup restored is
// seeded the same way.

#include "backup/SubjectRestore.h"
#include "data/Columns.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "data/SubjectHistory.h"
#include "support/ForeignFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

namespace {

// An earlier version's subject file at path: only the three first tables of our schema.
QString makeOldFile(const QString& path, const QStringList& inserts)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("old"));
    db.setDatabaseName(path);
    QString problem;
    if (!db.open())
        problem = db.lastError().text();
    const QStringList statements =
        Schema::createStatements(Schema::subjectTables().mid(0, 3)) + inserts;
    for (const QString& statement : statements) {
        QSqlQuery query(db);
        if (problem.isEmpty() && !query.exec(statement))
            problem = statement + QStringLiteral(": ") + query.lastError().text();
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("old"));
    return problem;
}

QString subjectInserts(const QString& code, const QString& date, const QString& time,
                       const QString& answers)
{
    QStringList values;
    for (int item = 1; item <= 15; ++item)
        values << (item <= answers.size() && answers[item - 1] != QLatin1Char(' ')
                       ? QStringLiteral("'%1'").arg(answers[item - 1])
                       : QStringLiteral("NULL"));
    return QStringLiteral("INSERT INTO IDE (Code, FName, Date, Time) VALUES ('%1', 'x', '%2', "
                          "'%3'); INSERT INTO Answer (Code, [1],[2],[3],[4],[5],[6],[7],[8],[9],"
                          "[10],[11],[12],[13],[14],[15]) VALUES ('%1', %4)")
        .arg(QString(code).replace(QLatin1Char('\''), QStringLiteral("''")), date, time,
             values.join(QStringLiteral(", ")));
}

QStringList oldRegistry()
{
    QStringList statements;
    for (const QString& pair : {subjectInserts("S1", "1405/09/20", "14:05:09", "101010101010101"),
                                subjectInserts("S2", "1403/1/5", "2:30:00 PM", "1"),
                                subjectInserts("S3", "junk", "", "000000000000000"),
                                subjectInserts("EMPTY", "1403/01/01", "10:00", ""),
                                subjectInserts("O'Brien", "1399/12/30", "23:59:59", "11")})
        statements << pair.split(QStringLiteral("; "));
    // A second Answer row of S1 (added by another tool): the first one is the one shown.
    statements << QStringLiteral("INSERT INTO Answer (Code, [1]) VALUES ('S1', '0')");
    return statements;
}

} // namespace

class TestHistorySeed : public QObject
{
    Q_OBJECT

  private slots:
    void enrolmentMoments_data();
    void enrolmentMoments();
    void oldFileIsSeededOnce();
    void oldBackupRestoredIsSeeded();

  private:
    static void checkSeeded(const QDateTime& before);
};

void TestHistorySeed::enrolmentMoments_data()
{
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QDateTime>("expected");
    QTest::newRow("24-hour clock") << "1405/09/20"
                                   << "14:05:09" << QDateTime(QDate(2026, 12, 11), QTime(14, 5, 9));
    QTest::newRow("afternoon, one-digit month and day")
        << "1403/1/5"
        << "2:30:00 PM" << QDateTime(QDate(2024, 3, 24), QTime(14, 30));
    QTest::newRow("leap day of 1399")
        << "1399/12/30"
        << "23:59:59" << QDateTime(QDate(2021, 3, 20), QTime(23, 59, 59));
    QTest::newRow("Persian digits, no time")
        << QStringLiteral("۱۴۰۲/۰۷/۰۱") << "" << QDateTime(QDate(2023, 9, 23), QTime(0, 0));
    const QDateTime fallback(QDate(2000, 1, 1), QTime(1, 2, 3));
    QTest::newRow("unreadable date") << "junk"
                                     << "10:00" << fallback;
    QTest::newRow("day 30 of a common Esfand") << "1402/12/30"
                                               << "10:00" << fallback;
    QTest::newRow("month 13") << "1402/13/01"
                              << "10:00" << fallback;
}

void TestHistorySeed::enrolmentMoments()
{
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(QDateTime, expected);
    const QDateTime fallback(QDate(2000, 1, 1), QTime(1, 2, 3));
    QCOMPARE(SubjectHistory::enrolmentMoment(date, time, fallback), expected);
    // Stored with its offset and read back as the same moment.
    const QString stored = SubjectHistory::momentText(expected);
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d"
                                               "(Z|[+-]\\d\\d:\\d\\d)$"))
                 .match(stored)
                 .hasMatch(),
             qPrintable(stored));
    QCOMPARE(SubjectHistory::momentOf(stored), expected);
}

void TestHistorySeed::checkSeeded(const QDateTime& before)
{
    const QString live = Database::absolutePath(Database::File::Subjects);
    QCOMPARE(peek(live, QStringLiteral("SELECT Code || ':' || Number FROM Administration "
                                       "ORDER BY Code")),
             QStringList({"O'Brien:1", "S1:1", "S2:1", "S3:1"}));
    const auto answersOf = [&live](const QString& code) {
        return peek(live, QStringLiteral("SELECT [1]||[2]||[3]||[4]||[5]||[6]||[7]||[8]||[9]||"
                                         "[10]||[11]||[12]||[13]||[14]||[15] FROM Administration "
                                         "WHERE Code = '%1'")
                              .arg(QString(code).replace(QLatin1Char('\''), QStringLiteral("''"))));
    };
    QCOMPARE(answersOf("S1"), QStringList{"101010101010101"});
    QCOMPARE(answersOf("S2"), QStringList{"1"});
    QCOMPARE(answersOf("O'Brien"), QStringList{"11"});
    QCOMPARE(answersOf("S3"), QStringList{"000000000000000"});
    const auto momentOf = [&live](const QString& code) {
        return SubjectHistory::momentOf(
            peek(live, QStringLiteral("SELECT AdministeredAt FROM Administration WHERE Code = "
                                      "'%1'")
                           .arg(code))
                .value(0));
    };
    QCOMPARE(momentOf("S1"), QDateTime(QDate(2026, 12, 11), QTime(14, 5, 9)));
    QCOMPARE(momentOf("S2"), QDateTime(QDate(2024, 3, 24), QTime(14, 30)));
    // An unreadable enrolment date: the moment the file was opened.
    const QDateTime fallback = momentOf("S3");
    QVERIFY(fallback.isValid());
    QVERIFY(fallback >= before.addSecs(-1) && fallback <= QDateTime::currentDateTime());
    // The earlier tables are exactly as they were.
    QCOMPARE(peek(live, QStringLiteral("SELECT count(*) FROM Answer")), QStringList{"6"});
    QCOMPARE(
        peek(live, QStringLiteral("SELECT count(*) FROM AuditTrail WHERE Action <> 'restore'")),
        QStringList{"0"});
}

void TestHistorySeed::oldFileIsSeededOnce()
{
    TestHome home;
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("DBM")));
    const QString live = Database::absolutePath(Database::File::Subjects);
    QCOMPARE(makeOldFile(live, oldRegistry()), QString());
    const QDateTime before = QDateTime::currentDateTime();
    QCOMPARE(Database::verify(), QString());
    Database::closeAll();
    // Made in place: no rebuild, nothing kept in Back/.
    QCOMPARE(QDir(home.file(QStringLiteral("Back"))).entryList(QDir::Files), QStringList());
    QVERIFY(Database::hasOurSchema(Database::File::Subjects, live));
    checkSeeded(before);
    // Opened again: nothing is added twice, and a subject answered since by another tool
    // gets its administration.
    QVERIFY(
        peek(live, QStringLiteral("UPDATE Answer SET [1] = '1' WHERE Code = 'EMPTY'")).isEmpty());
    QCOMPARE(Database::verify(), QString());
    Database::closeAll();
    QCOMPARE(peek(live, QStringLiteral("SELECT count(*) FROM Administration")), QStringList{"5"});
    QCOMPARE(peek(live, QStringLiteral("SELECT Number || [1] FROM Administration WHERE Code = "
                                       "'EMPTY'")),
             QStringList{"11"});
}

void TestHistorySeed::oldBackupRestoredIsSeeded()
{
    TestHome home;
    QCOMPARE(Database::verify(), QString());
    Fixture::enrol({.code = QStringLiteral("LIVE"), .answers = QStringLiteral("1")});
    const QString backup = home.file(QStringLiteral("old.mdbB"));
    QCOMPARE(makeOldFile(backup, oldRegistry()), QString());
    const QDateTime before = QDateTime::currentDateTime();
    const SubjectRestore::Outcome outcome = SubjectRestore::place(backup, before);
    QVERIFY2(outcome.placed, qPrintable(outcome.problem));
    QCOMPARE(Database::verify(), QString());
    Database::closeAll();
    checkSeeded(before);
}

QTEST_MAIN(TestHistorySeed)
#include "tst_historyseed.moc"
