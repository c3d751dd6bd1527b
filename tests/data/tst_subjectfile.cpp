// The subject file as the program finds it at the start: placed by hand with schema or a
// journal mode of its own, left behind by an interrupted restore, and the settings every
// connection to our files carries.

#include "data/Database.h"
#include "support/ForeignFile.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

class TestSubjectFile : public QObject
{
    Q_OBJECT

  private slots:
    void handPlacedFile_data();
    void handPlacedFile();
    void leftoversGoAtTheStart();
    void connectionsDistrustSchemaCode_data();
    void connectionsDistrustSchemaCode();

  private:
    static QString live() { return Database::absolutePath(Database::File::Subjects); }
    static QByteArray bytesOf(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QStringList filesIn(const QString& folder)
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
};

void TestSubjectFile::handPlacedFile_data()
{
    QTest::addColumn<QStringList>("extra");
    QTest::addColumn<bool>("keepLog");
    QTest::addColumn<QString>("codeType");
    QTest::addColumn<QString>("outcome"); // kept, rebuilt or refused
    QTest::addColumn<QStringList>("codes");
    const QStringList three{"B1", "B2", "B3"};
    QTest::newRow("our own schema") << QStringList() << false << "TEXT"
                                    << "kept" << three;
    QTest::newRow("WAL mode, subjects in the log")
        << ForeignFile::insertsFor("W1") << true << "TEXT"
        << "kept" << QStringList{"B1", "B2", "B3", "W1"};
    QTest::newRow("trigger wipes the registry")
        << QStringList{"CREATE TRIGGER wipe AFTER INSERT ON IDE BEGIN "
                       "DELETE FROM IDE WHERE Code <> NEW.Code; END"}
        << false << "TEXT"
        << "rebuilt" << three;
    QTest::newRow("INTEGER Code column") << QStringList() << false << "INTEGER"
                                         << "rebuilt" << three;
    QTest::newRow("codes 000, 00 and 0 collapsed")
        << (ForeignFile::insertsFor("000") + ForeignFile::insertsFor("00") +
            ForeignFile::insertsFor("0"))
        << false << "INTEGER"
        << "refused" << QStringList();
}

void TestSubjectFile::handPlacedFile()
{
    QFETCH(QStringList, extra);
    QFETCH(bool, keepLog);
    QFETCH(QString, codeType);
    QFETCH(QString, outcome);
    QFETCH(QStringList, codes);
    TestHome home;
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("DBM")));
    const QString made = home.file(QStringLiteral("made.mdb"));
    ForeignFile foreign(made, extra, keepLog, codeType);
    QCOMPARE(foreign.problem(), QString());
    QVERIFY(QFile::copy(made, live()));
    if (keepLog)
        QVERIFY(QFile::copy(made + QStringLiteral("-wal"), live() + QStringLiteral("-wal")));
    const QByteArray original = bytesOf(live());

    const QString problem = Database::verify();
    if (outcome == QLatin1String("refused")) {
        QVERIFY2(problem.contains(QStringLiteral("DBM/DB2.mdb")), qPrintable(problem));
        QVERIFY2(problem.contains(QStringLiteral("000")) || problem.contains(QStringLiteral("«0»")),
                 qPrintable(problem));
        Database::closeAll();
        QCOMPARE(bytesOf(live()), original);
        QCOMPARE(filesIn(home.file(QStringLiteral("DBM"))), QStringList({"DB.mdb", "DB2.mdb"}));
        QCOMPARE(filesIn(home.file(QStringLiteral("Back"))), QStringList());
        return;
    }
    QCOMPARE(problem, QString());
    Fixture::enrol({.code = QStringLiteral("NEW")});
    Database::closeAll();
    codes << QStringLiteral("NEW");
    codes.sort();
    QCOMPARE(peek(live(), QStringLiteral("SELECT Code FROM IDE ORDER BY Code")), codes);
    QCOMPARE(filesIn(home.file(QStringLiteral("DBM"))), QStringList({"DB.mdb", "DB2.mdb"}));
    // Last: a read-only look at a file in WAL mode leaves SQLite's empty -wal and -shm beside it.
    QVERIFY(Database::hasOurSchema(Database::File::Subjects, live()));
    const QStringList kept = filesIn(home.file(QStringLiteral("Back")));
    if (outcome == QLatin1String("kept")) {
        QCOMPARE(kept, QStringList());
    } else { // the original, byte for byte, owner-only
        QCOMPARE(kept.size(), 1);
        const QString copy = QDir(home.file(QStringLiteral("Back"))).filePath(kept.first());
        QCOMPARE(bytesOf(copy), original);
        QCOMPARE(QFile::permissions(copy) & (QFile::ReadGroup | QFile::ReadOther),
                 QFile::Permissions());
    }
}

void TestSubjectFile::leftoversGoAtTheStart()
{
    TestHome home;
    QVERIFY(Database::verify().isEmpty());
    Database::closeAll();
    QVERIFY(QDir(home.path()).mkdir(QStringLiteral("Back")));
    const QStringList leftovers{"DBM/DB2.mdb.restore",
                                "DBM/DB2.mdb.restore-wal",
                                "DBM/DB2.mdb.restore-ours",
                                "DBM/DB2.mdb.restore-rebuilt-journal",
                                "DBM/.DB2.mdb.restore.Xa12Bc.part",
                                "DBM/DB2.mdb.new",
                                "Back/.پیش از بازیابی 1404.1.1.mdbB.Qw34Er.part"};
    for (const QString& name : leftovers + QStringList{"Back/kept.mdbB"}) {
        QFile file(home.file(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("patients");
    }
    QCOMPARE(Database::verify(), QString());
    Database::closeAll();
    QCOMPARE(filesIn(home.file(QStringLiteral("DBM"))), QStringList({"DB.mdb", "DB2.mdb"}));
    QCOMPARE(filesIn(home.file(QStringLiteral("Back"))), QStringList{"kept.mdbB"});
}

void TestSubjectFile::connectionsDistrustSchemaCode_data()
{
    QTest::addColumn<Database::File>("file");
    QTest::newRow("settings") << Database::File::Settings;
    QTest::newRow("subjects") << Database::File::Subjects;
}

void TestSubjectFile::connectionsDistrustSchemaCode()
{
    QFETCH(Database::File, file);
    TestHome home;
    QSqlDatabase db = Database::connection(file);
    QVERIFY(db.isOpen());
    const auto pragma = [&db](const char* name) {
        QSqlQuery query(db);
        query.exec(QStringLiteral("PRAGMA %1").arg(QLatin1String(name)));
        return query.next() ? query.value(0).toString() : QString();
    };
    QCOMPARE(pragma("trusted_schema"), QStringLiteral("0"));
    QCOMPARE(pragma("busy_timeout"), QString::number(Database::BusyTimeoutMs));
    QCOMPARE(pragma("journal_mode"), QString::fromLatin1(Database::JournalMode).toLower());
    // Defensive mode: the schema cannot be written around SQLite's own statements.
    QSqlQuery query(db);
    query.exec(QStringLiteral("PRAGMA writable_schema = ON"));
    QVERIFY(!query.exec(QStringLiteral("UPDATE sqlite_master SET sql = sql")));
}

QTEST_MAIN(TestSubjectFile)
#include "tst_subjectfile.moc"
