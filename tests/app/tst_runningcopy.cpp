#include "app/Frm1.h"
#include "support/TestSupport.h"

#include <QLockFile>
#include <QProcess>
#include <QtTest>

// The order of these tests matters: the lock is taken once per process.
class TestRunningCopy : public QObject
{
    Q_OBJECT

  private slots:
    void anotherRunningCopyIsRefused();
    void staleLockOfACrashedCopyIsTakenOver();
    void laterMainWindowsOfThisProcessAreNotRefused();
};

void TestRunningCopy::anotherRunningCopyIsRefused()
{
    TestHome home;
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

void TestRunningCopy::staleLockOfACrashedCopyIsTakenOver()
{
    TestHome home;
    QProcess gone;
    gone.start(QStringLiteral("true"));
    QVERIFY(gone.waitForFinished());
    const qint64 deadPid = gone.processId() ? gone.processId() : 999999;
    QFile lock(home.file(QStringLiteral("senvora.lock")));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(deadPid) + "\nsenvora\n" + QSysInfo::machineHostName().toUtf8() +
               "\n");
    lock.close();
    Frm1 window;
    QVERIFY(!window.startRefused());
}

void TestRunningCopy::laterMainWindowsOfThisProcessAreNotRefused()
{
    TestHome home;
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
