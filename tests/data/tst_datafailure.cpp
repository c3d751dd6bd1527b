#include "data/DataFailure.h"
#include "support/TestSupport.h"
#include "ui/DataFailureBox.h"

#include <QAbstractButton>
#include <QtTest>

// How the data layer hands a failure on: to the handler the application installed, or to the
// collector of the action under way; never to a collector while a failure is being shown.
class TestDataFailure : public QObject
{
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void reachesHandlerOrCollector();
    void busyFileIsExplained();
    void failureDuringShowingIsShownNotCollected();
    void withoutHandlerNothingBreaks();
    void installedBoxIsTheErrorBox();

  private:
    QStringList shown_;
};

void TestDataFailure::init()
{
    shown_.clear();
    DataFailure::setHandler([this](const QString& text) { shown_ << text; });
}

void TestDataFailure::cleanup()
{
    DataFailureBox::install();
}

void TestDataFailure::reachesHandlerOrCollector()
{
    DataFailure::report(QStringLiteral("a"));
    QCOMPARE(shown_, QStringList{QStringLiteral("a")});
    {
        DataFailure::Collector collector;
        DataFailure::report(QStringLiteral("b"));
        DataFailure::report(QStringLiteral("c"));
        QVERIFY(collector.failed());
        QCOMPARE(collector.message(), QStringLiteral("b"));
    }
    QCOMPARE(shown_, QStringList{QStringLiteral("a")});
    DataFailure::report(QStringLiteral("d"));
    QCOMPARE(shown_, (QStringList{QStringLiteral("a"), QStringLiteral("d")}));
}

void TestDataFailure::busyFileIsExplained()
{
    const QString locked = QStringLiteral("database is locked Unable to fetch row");
    DataFailure::show(locked);
    DataFailure::show(QStringLiteral("no such table"));
    QCOMPARE(shown_.size(), 2);
    QVERIFY(shown_[0].startsWith(locked + QLatin1Char('\n')));
    QVERIFY(shown_[0].size() > locked.size() + 20);
    QCOMPARE(shown_[1], QStringLiteral("no such table"));
}

void TestDataFailure::failureDuringShowingIsShownNotCollected()
{
    DataFailure::setHandler([this](const QString& text) {
        shown_ << text;
        if (shown_.size() == 1) // a timer's failure while the first box waits
            DataFailure::report(QStringLiteral("meanwhile"));
    });
    DataFailure::Collector collector;
    DataFailure::show(QStringLiteral("first"));
    QCOMPARE(shown_, (QStringList{QStringLiteral("first"), QStringLiteral("meanwhile")}));
    QVERIFY(!collector.failed());
    DataFailure::report(QStringLiteral("later"));
    QCOMPARE(collector.message(), QStringLiteral("later"));
}

void TestDataFailure::withoutHandlerNothingBreaks()
{
    DataFailure::setHandler({});
    QTest::ignoreMessage(QtWarningMsg, "lost");
    DataFailure::report(QStringLiteral("lost"));
    QVERIFY(shown_.isEmpty());
}

void TestDataFailure::installedBoxIsTheErrorBox()
{
    DataFailureBox::install();
    QWidget owner;
    owner.show();
    owner.activateWindow();
    QTRY_VERIFY(QApplication::activeWindow() == &owner);
    ModalDriver driver;
    QWidget* parent = nullptr;
    driver.then([&](QWidget* modal) {
        parent = modal->parentWidget();
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Ok)->click();
    });
    DataFailure::report(QStringLiteral("خواندن ممکن نشد"));
    QVERIFY(driver.done());
    QCOMPARE(parent, &owner);
    QCOMPARE(driver.boxes().size(), 1);
    QCOMPARE(driver.boxes().first().title, QStringLiteral("خطا"));
    QCOMPARE(driver.boxes().first().icon, QMessageBox::Critical);
    QCOMPARE(driver.lastText(), QStringLiteral("خواندن ممکن نشد"));
}

QTEST_MAIN(TestDataFailure)
#include "tst_datafailure.moc"
