#include "support/TestSupport.h"
#include "ui/TimedMessage.h"

#include <QElapsedTimer>
#include <QtTest>

class TestTimedMessage : public QObject
{
    Q_OBJECT

  private slots:
    void closesItselfAsIfOkWerePressed();
    void earlyOkClosesAtOnceAndTheTimerDoesNothingLater();
    void twoNoticesInARowEachCloseThemselves();
};

void TestTimedMessage::closesItselfAsIfOkWerePressed()
{
    QWidget owner;
    ModalDriver driver;
    driver.then([](QWidget*) {}); // look, but do not touch
    QElapsedTimer clock;
    clock.start();
    TimedMessage(&owner, QStringLiteral("پیام آزمایشی"), 300);
    QVERIFY2(clock.elapsed() >= 290, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(driver.boxes().size(), 1);
    QCOMPARE(driver.boxes().first().title, QStringLiteral("پيام"));
    QCOMPARE(driver.boxes().first().text, QStringLiteral("پیام آزمایشی"));
    QCOMPARE(driver.boxes().first().icon, QMessageBox::NoIcon);
}

void TestTimedMessage::earlyOkClosesAtOnceAndTheTimerDoesNothingLater()
{
    QWidget owner;
    ModalDriver driver;
    driver.notice();
    TimedMessage(&owner, QStringLiteral("یک"), 200);
    QVERIFY(driver.done());
    auto* timer = owner.findChild<QTimer*>(QStringLiteral("MessageTimer20480"));
    QVERIFY(timer);
    QTRY_VERIFY(!timer->isActive());
    QVERIFY(!QApplication::activeModalWidget());
}

void TestTimedMessage::twoNoticesInARowEachCloseThemselves()
{
    QWidget owner;
    ModalDriver driver;
    driver.notice(true).notice(true);
    TimedMessage(&owner, QStringLiteral("اول"), 150);
    TimedMessage(&owner, QStringLiteral("دوم"), 150);
    QCOMPARE(driver.texts(), (QStringList{QStringLiteral("اول"), QStringLiteral("دوم")}));
}

QTEST_MAIN(TestTimedMessage)
#include "tst_timedmessage.moc"
