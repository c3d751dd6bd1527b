#include "data/Database.h"
#include "data/RecordSet.h"
#include "data/Transaction.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QLineEdit>
#include <QSqlQuery>
#include <QtTest>

#include <unistd.h>

class TestRecordSet : public QObject
{
    Q_OBJECT

  private slots:
    void createsBothFilesOwnerOnly();
    void refusesDamagedFileAndLeavesItAlone_data();
    void refusesDamagedFileAndLeavesItAlone();
    void refusesFoldersAndForeignDatabases();
    void aFileInPlaceOfTheFolderIsReported();
    void unreadableFileAndReadOnlyFolderAreReported();
    void filterMatchesExactTextOnly_data();
    void filterMatchesExactTextOnly();
    void filterWithoutMatchIsBof();
    void refreshDropsPendingRow();
    void recordSetsOnOneTableAreIndependent();
    void commitWritesBoundEditsOnce();
    void rebindingKeepsTheEditInTheRow();
    void unknownColumnIsRefused();
    void rolledBackRowsArePendingAgain();
};

void TestRecordSet::createsBothFilesOwnerOnly()
{
    TestHome home;
    RecordSet theme(Database::File::Settings, QStringLiteral("Theme"));
    QVERIFY(theme.refresh());
    QCOMPARE(theme.field(QStringLiteral("TH")), QStringLiteral("1"));
    QCOMPARE(theme.field(QStringLiteral("Name")), QString());
    RecordSet subjects(Database::File::Subjects, QStringLiteral("IDE"));
    QVERIFY(subjects.refresh());
    QVERIFY(subjects.bof());
    QStringList files{QStringLiteral("DBM/DB.mdb"), QStringLiteral("DBM/DB2.mdb")};
    if (TestServerDatabase::wanted()) // the subjects live on the server: no file is made
        QVERIFY(!QFile::exists(home.file(files.takeLast())));
    for (const QString& file : files) {
        QVERIFY(QFile::exists(home.file(file)));
        QCOMPARE(QFile::permissions(home.file(file)) & 0x0077, QFileDevice::Permissions());
    }
    QCOMPARE(Fixture::rowCount(QStringLiteral("Answer")), 0);
}

void TestRecordSet::refusesDamagedFileAndLeavesItAlone_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("content");
    const QByteArray random = QByteArray("\x13\x37 not a database at all", 24).repeated(200);
    const QByteArray header("SQLite format 3\0", 16);
    for (const char* file : {"DBM/DB.mdb", "DBM/DB2.mdb"}) {
        QTest::addRow("%s zero bytes", file) << file << QByteArray();
        QTest::addRow("%s random bytes", file) << file << random;
        QTest::addRow("%s truncated header", file) << file << header;
    }
}

void TestRecordSet::refusesDamagedFileAndLeavesItAlone()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, content);
    if (TestServerDatabase::wanted() && file == QLatin1String("DBM/DB2.mdb"))
        QSKIP("the subject file is not used when the subjects live on a server");
    TestHome home;
    QDir().mkpath(home.file(QStringLiteral("DBM")));
    QFile damaged(home.file(file));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write(content);
    damaged.close();

    const QString problem = Database::verify();
    QVERIFY2(problem.contains(file), qPrintable(problem));
    QVERIFY(damaged.open(QIODevice::ReadOnly));
    QCOMPARE(damaged.readAll(), content);
}

void TestRecordSet::refusesFoldersAndForeignDatabases()
{
    if (TestServerDatabase::wanted())
        QSKIP("the subject file is not used when the subjects live on a server");
    TestHome home;
    QVERIFY(QDir().mkpath(home.file(QStringLiteral("DBM/DB2.mdb"))));
    QVERIFY(Database::verify().contains(QStringLiteral("DBM/DB2.mdb")));
    QVERIFY(QFileInfo(home.file(QStringLiteral("DBM/DB2.mdb"))).isDir());

    QVERIFY(QDir().rmdir(home.file(QStringLiteral("DBM/DB2.mdb"))));
    QVERIFY(QFile::copy(Database::absolutePath(Database::File::Settings),
                        home.file(QStringLiteral("DBM/DB2.mdb"))));
    const QString problem = Database::verify();
    QVERIFY2(problem.contains(QStringLiteral("IDE")), qPrintable(problem));
}

void TestRecordSet::aFileInPlaceOfTheFolderIsReported()
{
    TestHome home;
    QFile blocker(home.file(QStringLiteral("DBM")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a folder");
    blocker.close();
    const QString problem = Database::verify();
    QVERIFY2(problem.contains(QStringLiteral("DBM/DB.mdb")), qPrintable(problem));
    QVERIFY(QFileInfo(home.file(QStringLiteral("DBM"))).isFile());
}

void TestRecordSet::unreadableFileAndReadOnlyFolderAreReported()
{
    if (::geteuid() == 0)
        QSKIP("permissions do not bind the super-user");
    if (TestServerDatabase::wanted())
        QSKIP("the subject file is not used when the subjects live on a server");
    TestHome home;
    QVERIFY(QDir().mkpath(home.file(QStringLiteral("DBM"))));
    QVERIFY(QFile::setPermissions(home.file(QStringLiteral("DBM")),
                                  QFile::ReadOwner | QFile::ExeOwner));
    QVERIFY(Database::verify().contains(QStringLiteral("DBM/DB.mdb")));
    QVERIFY(QFile::setPermissions(home.file(QStringLiteral("DBM")),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QVERIFY(Database::verify().isEmpty());
    Database::closeAll();
    QVERIFY(QFile::setPermissions(home.file(QStringLiteral("DBM/DB2.mdb")), QFile::WriteOwner));
    QVERIFY(Database::verify().contains(QStringLiteral("DBM/DB2.mdb")));
}

void TestRecordSet::filterMatchesExactTextOnly_data()
{
    QTest::addColumn<QString>("code");
    for (const char* code :
         {"K1", "b'c", "%", "_", "x\\y", "' OR '1'='1", "'; DROP TABLE IDE; --", "k1", " K1"})
        QTest::newRow(code) << QString::fromUtf8(code);
}

void TestRecordSet::filterMatchesExactTextOnly()
{
    QFETCH(QString, code);
    TestHome home;
    for (const char* other : {"K1", "b'c", "%", "_", "x\\y", "' OR '1'='1", "'; DROP TABLE IDE; --",
                              "k1", " K1", "K10", "bc"})
        Fixture::enrol({.code = QString::fromUtf8(other)});
    RecordSet answers(Database::File::Subjects, QStringLiteral("Answer"));
    QVERIFY(answers.setFilter(QStringLiteral("code"), code));
    QCOMPARE(answers.recordCount(), 1);
    QCOMPARE(answers.field(QStringLiteral("Code")), code);
    QCOMPARE(Fixture::rowCount(QStringLiteral("IDE")), 11);
}

void TestRecordSet::filterWithoutMatchIsBof()
{
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("A1")});
    RecordSet ide(Database::File::Subjects, QStringLiteral("IDE"));
    ide.refresh();
    QVERIFY(ide.hasRows());
    QVERIFY(ide.setFilter(QStringLiteral("Code"), QStringLiteral("A2")));
    QVERIFY(ide.bof());
    QVERIFY(!ide.hasRows());
    QCOMPARE(ide.recordCount(), 0);
}

void TestRecordSet::refreshDropsPendingRow()
{
    TestHome home;
    RecordSet ide(Database::File::Subjects, QStringLiteral("IDE"));
    ide.refresh();
    ide.addNew();
    ide.setField(QStringLiteral("Code"), QStringLiteral("P"));
    ide.refresh();
    QVERIFY(ide.bof());
    QVERIFY(ide.commitRow());
    QCOMPARE(Fixture::rowCount(QStringLiteral("IDE")), 0);
}

void TestRecordSet::recordSetsOnOneTableAreIndependent()
{
    TestHome home;
    RecordSet writer(Database::File::Subjects, QStringLiteral("IDE"));
    RecordSet reader(Database::File::Subjects, QStringLiteral("IDE"));
    writer.refresh();
    reader.refresh();
    writer.addNew();
    writer.setField(QStringLiteral("Code"), QStringLiteral("N1"));
    QVERIFY(writer.commitRow());
    QVERIFY(reader.bof());
    QCOMPARE(reader.field(QStringLiteral("Code")), QString());
    reader.refresh();
    QCOMPARE(reader.field(QStringLiteral("Code")), QStringLiteral("N1"));
}

void TestRecordSet::commitWritesBoundEditsOnce()
{
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("E1"), .firstName = QStringLiteral("مریم")});
    RecordSet ide(Database::File::Subjects, QStringLiteral("IDE"));
    QLineEdit box;
    ide.bind(&box, QStringLiteral("FName"));
    ide.refresh();
    QCOMPARE(box.text(), QStringLiteral("مریم"));
    box.setText(QStringLiteral("زهرا"));
    QVERIFY(ide.commitRow());
    QCOMPARE(
        Fixture::columnOf(QStringLiteral("IDE"), QStringLiteral("E1"), QStringLiteral("FName")),
        QStringLiteral("زهرا"));
    // The rows changed so far: SQLite counts them; a server marks each row version it writes.
    const auto changeMark = [] {
        QSqlQuery changes(Database::connection(Database::File::Subjects));
        changes.exec(TestServerDatabase::wanted()
                         ? QStringLiteral("SELECT string_agg(xmin::text, ',') FROM \"IDE\"")
                         : QStringLiteral("SELECT total_changes()"));
        return changes.next() ? changes.value(0).toString() : QStringLiteral("<error>");
    };
    const QString before = changeMark();
    QVERIFY(ide.commitRow());
    QCOMPARE(changeMark(), before);
}

void TestRecordSet::rebindingKeepsTheEditInTheRow()
{
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("R1"), .answers = QStringLiteral("1")});
    RecordSet answers(Database::File::Subjects, QStringLiteral("Answer"));
    answers.setFilter(QStringLiteral("Code"), QStringLiteral("R1"));
    QLineEdit buffer;
    answers.bind(&buffer, QStringLiteral("1"));
    QCOMPARE(buffer.text(), QStringLiteral("1"));
    answers.bind(&buffer, QStringLiteral("2"));
    QCOMPARE(buffer.text(), QString());
    buffer.setText(QStringLiteral("0"));
    answers.bind(&buffer, QStringLiteral("3"));
    QCOMPARE(Fixture::answerOf(QStringLiteral("R1"), 2), QString());
    QVERIFY(answers.commitRow());
    QCOMPARE(Fixture::answerOf(QStringLiteral("R1"), 2), QStringLiteral("0"));
    QCOMPARE(Fixture::answerOf(QStringLiteral("R1"), 1), QStringLiteral("1"));
}

void TestRecordSet::unknownColumnIsRefused()
{
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("U1")});
    RecordSet answers(Database::File::Subjects, QStringLiteral("Answer"));
    answers.refresh();
    QLineEdit buffer;
    QVERIFY(!answers.bind(&buffer, QStringLiteral("16")));
    QVERIFY(!answers.bind(&buffer, QStringLiteral("05")));
    QVERIFY(!answers.setField(QStringLiteral("16"), QStringLiteral("1")));
}

void TestRecordSet::rolledBackRowsArePendingAgain()
{
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("T1")});
    RecordSet added(Database::File::Subjects, QStringLiteral("Print1"));
    RecordSet edited(Database::File::Subjects, QStringLiteral("IDE"));
    edited.setFilter(QStringLiteral("Code"), QStringLiteral("T1"));
    added.addNew();
    added.setField(QStringLiteral("Code"), QStringLiteral("T2"));
    edited.setField(QStringLiteral("FName"), QStringLiteral("نرگس"));
    {
        Transaction transaction(Database::File::Subjects);
        QVERIFY(added.commitRow());
        QVERIFY(edited.commitRow());
        QVERIFY(!added.isNewRow());
    } // rolled back
    QVERIFY(added.isNewRow());
    QCOMPARE(Fixture::rowCount(QStringLiteral("Print1")), 1);
    QVERIFY(added.commitRow());
    QVERIFY(edited.commitRow());
    QCOMPARE(Fixture::rowCount(QStringLiteral("Print1")), 2);
    QCOMPARE(
        Fixture::columnOf(QStringLiteral("IDE"), QStringLiteral("T1"), QStringLiteral("FName")),
        QStringLiteral("نرگس"));
}

QTEST_MAIN(TestRecordSet)
#include "tst_recordset.moc"
