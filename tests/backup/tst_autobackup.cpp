#include "app/Frm1.h"
#include "app/StartUp.h"
#include "backup/AutoBackup.h"
#include "calendar/SolarHijriDate.h"
#include "data/Database.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QSqlQuery>
#include <QtTest>

#include <csignal>
#include <sys/stat.h>

class TestAutoBackup : public QObject
{
    Q_OBJECT

  private slots:
    void firstStartOfTheDayMakesOneCheckedSnapshot();
    void snapshotNameCarriesBothDates();
    void retentionKeepsSevenDailyAndFourWeekly_data();
    void retentionKeepsSevenDailyAndFourWeekly();
    void failureIsToldOnceAndTheStartGoesOn();
    void leftoversOfAKilledSnapshotAreRemoved();
    void killDuringSnapshotLeavesLiveDatabaseWholeAndNoStrayFiles();

  private:
    static QStringList autoFiles()
    {
        return QDir(AutoBackup::folder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    // Counted by the sqlite3 tool, a reader independent of ours.
    static QString sqlite3(const QString& path, const QString& sql)
    {
        QProcess tool;
        tool.start(QStringLiteral("sqlite3"), {path, sql});
        tool.waitForFinished();
        return QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    }
    static void enrolSubjects(int count)
    {
        QSqlDatabase db = Database::connection(Database::File::Subjects);
        db.transaction();
        for (int i = 0; i < count; ++i)
            Fixture::enrol({QStringLiteral("C%1").arg(i)});
        db.commit();
    }
    static unsigned modeOf(const QString& path)
    {
        struct stat status
        {
        };
        return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 0777u
                                                                         : 0u;
    }
};

void TestAutoBackup::firstStartOfTheDayMakesOneCheckedSnapshot()
{
    TestHome home;
    enrolSubjects(3);
    QPointer<Frm1> window = StartUp::openMainWindow();
    QVERIFY(window && window->isVisible());
    const QString name = AutoBackup::fileName(QDate::currentDate());
    QTRY_COMPARE(autoFiles(), QStringList{name}); // made beside the shown window
    const QString snapshot = home.file(AutoBackup::folder() + QLatin1Char('/') + name);
    QCOMPARE(modeOf(snapshot), 0600u);
    QCOMPARE(modeOf(home.file(AutoBackup::folder())), 0700u);
    QCOMPARE(sqlite3(snapshot, QStringLiteral("SELECT count(*) FROM IDE")), QStringLiteral("3"));
    QCOMPARE(sqlite3(snapshot, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    QVERIFY(Database::isSubjectDatabase(snapshot)); // the backup screen's restore accepts it

    // A later start the same day leaves the day's snapshot as it is.
    window->findChild<QLineEdit*>(QStringLiteral("Text3"))->setText(QStringLiteral("1"));
    window->close();
    QTRY_VERIFY(window.isNull());
    enrolSubjects(1);
    const QDateTime written = QFileInfo(snapshot).lastModified();
    window = StartUp::openMainWindow();
    QVERIFY(window && window->isVisible());
    QCOMPARE(autoFiles(), QStringList{name});
    QCOMPARE(QFileInfo(snapshot).lastModified(), written);
    QCOMPARE(sqlite3(snapshot, QStringLiteral("SELECT count(*) FROM IDE")), QStringLiteral("3"));
}

void TestAutoBackup::snapshotNameCarriesBothDates()
{
    const QDate day(2026, 12, 10);
    QCOMPARE(AutoBackup::fileName(day), QStringLiteral("auto-2026-12-10 (%1).mdbB")
                                            .arg(SolarHijriDate(QDateTime(day, QTime(8, 0)), 4)));
    QCOMPARE(AutoBackup::dayOf(AutoBackup::fileName(day)), day);
    for (const char* other : {"auto-2026-13-10 (1405.9.19).mdbB", "auto-2026-12-10 (x).mdbB",
                              "auto-2026-12-10 (1405.9.19).mdbB.partial", "DB2.mdbB"})
        QVERIFY2(!AutoBackup::dayOf(QString::fromLatin1(other)).isValid(), other);
}

void TestAutoBackup::retentionKeepsSevenDailyAndFourWeekly_data()
{
    // Days before "today", Thursday 10 December 2026 (ISO week 50), that have snapshots, and
    // those that stay after today's start (today's new snapshot, offset 0, always stays).
    QTest::addColumn<QList<int>>("existing");
    QTest::addColumn<QList<int>>("kept");
    QList<int> everyDay;
    for (int back = 1; back <= 40; ++back)
        everyDay << back;
    // Newest seven: 10 … 4 December; weekly: week 49 → Sun 6 Dec, 48 → Sun 29 Nov,
    // 47 → Sun 22 Nov (week 50's newest is today).
    QTest::newRow("every day for forty days")
        << everyDay << QList<int>{0, 1, 2, 3, 4, 5, 6, 11, 18};
    QTest::newRow("a few days only") << QList<int>{1, 3} << QList<int>{0, 1, 3};
    // A clinic that opens on Mondays only: the seven newest Mondays, nothing older.
    QTest::newRow("Mondays only") << QList<int>{3, 10, 17, 24, 31, 38, 45, 52, 59}
                                  << QList<int>{0, 3, 10, 17, 24, 31, 38};
    // After a long closure the old snapshots are all that remain: none is deleted.
    QTest::newRow("long closure") << QList<int>{120, 200, 365} << QList<int>{0, 120, 200, 365};
}

void TestAutoBackup::retentionKeepsSevenDailyAndFourWeekly()
{
    QFETCH(QList<int>, existing);
    QFETCH(QList<int>, kept);
    TestHome home;
    const QDate today(2026, 12, 10);
    QVERIFY(QDir().mkpath(AutoBackup::folder()));
    const auto pathOf = [](const QDate& day) {
        return AutoBackup::folder() + QLatin1Char('/') + AutoBackup::fileName(day);
    };
    for (int back : existing) {
        QFile old(pathOf(today.addDays(-back)));
        QVERIFY(old.open(QIODevice::WriteOnly));
    }
    const QString foreign = AutoBackup::folder() + QStringLiteral("/notes.txt");
    QVERIFY(QFile(foreign).open(QIODevice::WriteOnly));

    QCOMPARE(Database::verify(), QString()); // the start checks the databases first
    QCOMPARE(AutoBackup::runAtStart(QDateTime(today, QTime(9, 0))), QString());
    QStringList expected;
    for (int back : kept)
        expected << AutoBackup::fileName(today.addDays(-back));
    expected << QStringLiteral("notes.txt");
    expected.sort();
    QCOMPARE(autoFiles(), expected);
}

void TestAutoBackup::failureIsToldOnceAndTheStartGoesOn()
{
    TestHome home;
    QVERIFY(QDir().mkpath(QStringLiteral("Back")));
    QVERIFY(QFile(home.file(AutoBackup::folder())).open(QIODevice::WriteOnly)); // a file, no folder
    ModalDriver driver;
    driver.box();
    QPointer<Frm1> window = StartUp::openMainWindow();
    QVERIFY(window && window->isVisible());
    QTRY_VERIFY(driver.done());
    QCOMPARE(driver.boxes().size(), 1);
    QCOMPARE(driver.boxes().first().title, QStringLiteral("خطا"));
    QVERIFY(driver.lastText().contains(AutoBackup::folder()));
    QVERIFY(driver.lastText().startsWith(QStringLiteral("نسخه پشتیبان خودکار")));
    QVERIFY(QFileInfo(home.file(AutoBackup::folder())).isFile()); // nothing of the user's touched
}

void TestAutoBackup::leftoversOfAKilledSnapshotAreRemoved()
{
    TestHome home;
    enrolSubjects(2);
    QVERIFY(QDir().mkpath(AutoBackup::folder()));
    const QString cutShort = AutoBackup::folder() + QLatin1Char('/') +
                             AutoBackup::fileName(QDate::currentDate().addDays(-1)) +
                             QStringLiteral(".partial");
    for (const QString& leftover : {cutShort, cutShort + QStringLiteral("-journal")}) {
        QFile file(leftover);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("half a database");
    }
    QCOMPARE(AutoBackup::runAtStart(), QString());
    QCOMPARE(autoFiles(), QStringList{AutoBackup::fileName(QDate::currentDate())});
}

// A real kill in the middle of snapshots: the live database stays whole, and the next start
// leaves nothing but complete snapshots behind.
void TestAutoBackup::killDuringSnapshotLeavesLiveDatabaseWholeAndNoStrayFiles()
{
    TestHome home;
    enrolSubjects(2000);
    Database::closeAll();
    QProcess loop;
    loop.start(QCoreApplication::applicationDirPath() + QStringLiteral("/helper_snapshotloop"),
               {home.path()});
    QTRY_VERIFY(loop.canReadLine());
    const QString partial =
        home.file(AutoBackup::folder() + QLatin1Char('/') +
                  AutoBackup::fileName(QDate::currentDate()) + QStringLiteral(".partial"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(partial), 20000);
    ::kill(static_cast<pid_t>(loop.processId()), SIGKILL);
    QVERIFY(loop.waitForFinished());

    QCOMPARE(AutoBackup::runAtStart(), QString());
    QCOMPARE(autoFiles(), QStringList{AutoBackup::fileName(QDate::currentDate())});
    const QString live = Database::absolutePath(Database::File::Subjects);
    QCOMPARE(sqlite3(live, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
    QCOMPARE(sqlite3(live, QStringLiteral("SELECT count(*) FROM IDE")), QStringLiteral("2000"));
    QVERIFY(QDir(home.file(QStringLiteral("DBM")))
                .entryList({QStringLiteral("*-journal"), QStringLiteral("*-wal")}, QDir::Files)
                .isEmpty());
}

QTEST_MAIN(TestAutoBackup)
#include "tst_autobackup.moc"
