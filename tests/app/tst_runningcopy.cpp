#include "app/Frm1.h"
#include "app/SingleInstance.h"
#include "support/TestSupport.h"
#include "ui/ApplicationEnd.h"

#include <QLockFile>
#include <QProcess>
#include <QtTest>

#include <unistd.h>

// The lock is taken once per process; each case lets go of it first.
class TestRunningCopy : public QObject
{
    Q_OBJECT

  private slots:
    void init()
    {
        SingleInstance::release();
        ApplicationEnd::reset();
    }
    void anotherRunningCopyIsRefused();
    void onlyALiveHolderRefusesTheStart_data();
    void onlyALiveHolderRefusesTheStart();
    void folderWithoutRoomForALockIsNamed_data();
    void folderWithoutRoomForALockIsNamed();
    void laterMainWindowsOfThisProcessAreNotRefused();
};

namespace {

// Lets go of this process's lock before the test's folder goes.
struct LockReleased
{
    ~LockReleased() { SingleInstance::release(); }
};

void writeLock(const QString& path, const QByteArray& bytes)
{
    QFile lock(path);
    QVERIFY(lock.open(QIODevice::WriteOnly));
    QCOMPARE(lock.write(bytes), bytes.size());
}

qint64 deadProcessId()
{
    QProcess gone;
    gone.start(QStringLiteral("true"));
    gone.waitForFinished();
    return gone.processId() ? gone.processId() : 999999;
}

} // namespace

void TestRunningCopy::anotherRunningCopyIsRefused()
{
    TestHome home;
    LockReleased released;
    QLockFile other(home.file(QStringLiteral("senvora.lock")));
    QVERIFY(other.tryLock(0));
    ModalDriver driver;
    driver.box();
    Frm1 window;
    QVERIFY(window.startRefused());
    QCOMPARE(driver.boxes().size(), 1);
    QCOMPARE(driver.boxes().first().title, QStringLiteral("Warnnig"));
    QCOMPARE(driver.boxes().first().text, QStringLiteral("برنامه در حال اجراست"));
    QCOMPARE(driver.boxes().first().icon, QMessageBox::Information);
}

void TestRunningCopy::onlyALiveHolderRefusesTheStart_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("heldByAnotherProcess");
    const QByteArray host = QSysInfo::machineHostName().toUtf8();
    QTest::newRow("empty (power cut while written)") << QByteArray() << false;
    QTest::newRow("garbage") << QByteArray("\x7f\xfe garbage\n\n\n", 13) << false;
    QTest::newRow("cut short") << QByteArray("12") << false;
    QTest::newRow("process that is gone")
        << QByteArray::number(deadProcessId()) + "\nsenvora\n" + host + "\n"
        << false;
    // A live process of the very name the file gives, which holds no lock: a process id that
    // came back after a restart, say.
    QTest::newRow("live process holding no lock")
        << QByteArray::number(QCoreApplication::applicationPid()) + "\n" +
               QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() + "\n" +
               host + "\n"
        << false;
    QTest::newRow("copy running in another process") << QByteArray() << true;
}

// A copy running in another process refuses the start; a lock file no live process holds,
// whatever it says, is taken over without a word.
void TestRunningCopy::onlyALiveHolderRefusesTheStart()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, heldByAnotherProcess);
    TestHome home;
    LockReleased released;
    const QString lockPath = home.file(QStringLiteral("senvora.lock"));
    QProcess holder;
    if (heldByAnotherProcess) {
        holder.start(QCoreApplication::applicationDirPath() + QStringLiteral("/helper_lockholder"),
                     {home.path()});
        QTRY_VERIFY(holder.canReadLine());
        QCOMPARE(holder.readLine(), QByteArray("held\n"));
    } else {
        writeLock(lockPath, contents);
    }
    ModalDriver driver;
    driver.box();
    {
        Frm1 window;
        QCOMPARE(window.startRefused(), heldByAnotherProcess);
        QCOMPARE(driver.boxes().size(), heldByAnotherProcess ? 1 : 0);
    }
    if (!heldByAnotherProcess) {
        QVERIFY(QFile(lockPath).size() > 0); // our own lock now
        return;
    }
    QCOMPARE(driver.boxes().first().text, QStringLiteral("برنامه در حال اجراست"));
    holder.closeWriteChannel(); // the other copy ends: its lock no longer proves anything
    QVERIFY(holder.waitForFinished());
    Frm1 window;
    QVERIFY(!window.startRefused());
}

void TestRunningCopy::folderWithoutRoomForALockIsNamed_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a folder named as the lock") << "folder";
    QTest::newRow("the lock name links to a device") << "device";
    QTest::newRow("read-only program folder") << "read-only";
}

// Where no lock can be made the start is refused with what is really wrong, naming the
// folder, never as a running copy.
void TestRunningCopy::folderWithoutRoomForALockIsNamed()
{
    QFETCH(QString, kind);
    TestHome home;
    LockReleased released;
    const QString lockPath = home.file(QStringLiteral("senvora.lock"));
    Frm1 prepared; // the databases exist before the folder is closed
    prepared.close();
    SingleInstance::release();
    QFile::remove(lockPath);
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(lockPath));
    } else if (kind == QLatin1String("device")) {
        QVERIFY(QFile::link(QStringLiteral("/dev/full"), lockPath));
    } else {
        if (::geteuid() == 0)
            QSKIP("permissions do not bind the superuser");
        QVERIFY(QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::ExeOwner));
    }
    ModalDriver driver;
    driver.box();
    {
        Frm1 window;
        QVERIFY(window.startRefused());
    }
    QFile::setPermissions(home.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QCOMPARE(driver.boxes().size(), 1);
    QCOMPARE(driver.boxes().first().title, QStringLiteral("خطا"));
    QCOMPARE(driver.boxes().first().icon, QMessageBox::Critical);
    QVERIFY(driver.lastText().contains(QDir::toNativeSeparators(home.path())));
    QVERIFY(driver.lastText().contains(QStringLiteral("senvora.lock")));
}

void TestRunningCopy::laterMainWindowsOfThisProcessAreNotRefused()
{
    TestHome home;
    LockReleased released;
    ModalDriver driver;
    driver.then([](QWidget*) {});
    Frm1 first;
    first.close();
    Frm1 second;
    QVERIFY(!second.startRefused());
    QVERIFY(driver.boxes().isEmpty());
}

QTEST_MAIN(TestRunningCopy)
#include "tst_runningcopy.moc"
