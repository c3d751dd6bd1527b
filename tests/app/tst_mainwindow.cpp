#include "app/Frm1.h"
#include "appearance/ClinicPanel.h"
#include "backup/exitpro.h"
#include "data/RecordSet.h"
#include "enrolment/EnrolmentPanel.h"
#include "support/TestSupport.h"

#include <QDesktopServices>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class UrlCatcher : public QObject
{
    Q_OBJECT
  public:
    QList<QUrl> urls;
  public slots:
    void open(const QUrl& url) { urls << url; }
};

class TestMainWindow : public QObject
{
    Q_OBJECT

  private slots:
    void showsMenuInOrderWithHeader();
    void menuActionsNeedAnswerRows();
    void menuActionsHideOpenPanels();
    void hoverHelpFollowsThePointer();
    void headerFollowsClinicNameAtEachKeystroke();
    void closingFlagDecidesOnTheExitPrompt_data();
    void closingFlagDecidesOnTheExitPrompt();
    void missingCalculatorIsToldToTheUser();
    void bannerOpensTheSite();

  private:
    static QPushButton* button(Frm1& window, const char* name)
    {
        return window.findChild<QPushButton*>(QString::fromLatin1(name));
    }
};

void TestMainWindow::showsMenuInOrderWithHeader()
{
    TestHome home;
    Frm1 window;
    window.show();
    QCOMPARE(window.windowTitle(), QStringLiteral("Senvora"));
    QCOMPARE(window.objectName(), QStringLiteral("Frm1"));
    QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("Text3"))->text(), QStringLiteral("2"));
    QVERIFY(QFile::exists(home.file(QStringLiteral("DBM/DB.mdb"))));
    QVERIFY(QFile::exists(home.file(QStringLiteral("DBM/DB2.mdb"))));
    const QStringList order{"Command1", "Command2", "Command3",  "Command4",
                            "Command5", "Command9", "Command11", "Command6"};
    int lastTop = -1;
    for (const QString& name : order) {
        auto* b = window.findChild<QPushButton*>(name);
        QVERIFY2(b, qPrintable(name));
        QVERIFY(b->y() > lastTop);
        lastTop = b->y();
    }
    QCOMPARE(button(window, "Command1")->text(), QStringLiteral("ثبت نام آزمودني"));
    QCOMPARE(button(window, "Command6")->text(), QStringLiteral("خروج"));
    auto* frame7 = window.findChild<QFrame*>(QStringLiteral("Frame7"));
    QVERIFY(frame7->geometry().left() > window.width() / 2);
    for (const char* panel : {"Frame10", "Frame8", "Frame9", "Frame6"})
        QVERIFY(!window.findChild<QWidget*>(QString::fromLatin1(panel))->isVisible());
    QVERIFY(!window.findChild<QLabel*>(QStringLiteral("SkinLabel2"))->isVisible());
    QCOMPARE(window.layoutDirection(), Qt::RightToLeft);
}

void TestMainWindow::menuActionsNeedAnswerRows()
{
    TestHome home;
    Frm1 window;
    window.show();
    ModalDriver driver;
    driver.then([](QWidget*) {});
    QTest::mouseClick(button(window, "Command1"), Qt::LeftButton);
    QVERIFY(window.enrolmentPanel()->isVisible());
    for (const char* name : {"Command2", "Command3", "Command4"})
        QTest::mouseClick(button(window, name), Qt::LeftButton);
    QVERIFY(window.enrolmentPanel()->isVisible()); // ignored before any panel is hidden
    QVERIFY(!driver.done());                       // and no window of any kind appeared
}

void TestMainWindow::menuActionsHideOpenPanels()
{
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("S1")});
    Frm1 window;
    window.show();
    QTest::mouseClick(button(window, "Command9"), Qt::LeftButton);
    QVERIFY(window.findChild<QWidget*>(QStringLiteral("Frame8"))->isVisible());
    QTest::mouseClick(button(window, "Command1"), Qt::LeftButton);
    QVERIFY(!window.findChild<QWidget*>(QStringLiteral("Frame8"))->isVisible());
    QVERIFY(window.enrolmentPanel()->isVisible());
    window.subjects().setField(QStringLiteral("Code"), QStringLiteral("pending"));
    window.HidePanels();
    QVERIFY(!window.enrolmentPanel()->isVisible());
    QCOMPARE(window.subjects().field(QStringLiteral("Code")), QStringLiteral("S1"));
    QCOMPARE(Fixture::rowCount(QStringLiteral("IDE")), 1);
}

void TestMainWindow::hoverHelpFollowsThePointer()
{
    TestHome home;
    Frm1 window;
    window.show();
    auto* help = window.findChild<QLabel*>(QStringLiteral("SkinLabel2"));
    hoverOver(button(window, "Command3"));
    QVERIFY(help->isVisible());
    QCOMPARE(help->text(), QStringLiteral(" جهت کليد گذاري روي اين دکمه کليک مي کنيد"));
    hoverOver(button(window, "Command5")); // no help of its own: the strip stays
    QCOMPARE(help->text(), QStringLiteral(" جهت کليد گذاري روي اين دکمه کليک مي کنيد"));
    hoverOver(window.findChild<QFrame*>(QStringLiteral("Frame7")));
    QVERIFY(!help->isVisible());
    QCOMPARE(help->text(), QString());
    hoverOver(button(window, "Command9"));
    QVERIFY(help->text().startsWith(QStringLiteral("با کليک بر روي اين دکمه شمامي توانيد:1-")));
    hoverOver(&window);
    QVERIFY(!help->isVisible());
}

void TestMainWindow::headerFollowsClinicNameAtEachKeystroke()
{
    TestHome home;
    {
        Frm1 first;
        first.settings().setField(QStringLiteral("Name"), QStringLiteral("کلینیک مهر"));
        QVERIFY(first.settings().commitRow());
    }
    Frm1 window;
    window.show();
    auto* header = window.findChild<QLabel*>(QStringLiteral("SkinLabel1"));
    QCOMPARE(header->text(), QStringLiteral("کلینیک مهر"));
    QLineEdit* name = window.clinicPanel()->nameBox();
    window.clinicPanel()->show();
    name->setFocus();
    QTest::keyClick(name, Qt::Key_End);
    typeText(name, QStringLiteral(" ۲"));
    QCOMPARE(header->text(), QStringLiteral("کلینیک مهر ۲"));
}

void TestMainWindow::closingFlagDecidesOnTheExitPrompt_data()
{
    QTest::addColumn<QString>("flag");
    QTest::addColumn<bool>("prompt");
    QTest::newRow("start-up value") << QStringLiteral("2") << true;
    QTest::newRow("theme restart") << QStringLiteral("1") << false;
    QTest::newRow("numeric value 1") << QStringLiteral(" 1abc") << false;
    QTest::newRow("empty") << QString() << true;
}

void TestMainWindow::closingFlagDecidesOnTheExitPrompt()
{
    QFETCH(QString, flag);
    QFETCH(bool, prompt);
    TestHome home;
    Frm1 window;
    window.show();
    window.findChild<QLineEdit*>(QStringLiteral("Text3"))->setText(flag);
    window.close();
    auto* shown = findWindow<exitpro>();
    QCOMPARE(shown != nullptr, prompt);
    if (shown)
        QCOMPARE(shown->pos(), QPoint(333, 100));
}

void TestMainWindow::missingCalculatorIsToldToTheUser()
{
    TestHome home;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", home.path().toUtf8());
    Frm1 window;
    window.show();
    ModalDriver driver;
    driver.box();
    QTest::mouseClick(button(window, "Command5"), Qt::LeftButton);
    qputenv("PATH", path);
    QCOMPARE(driver.boxes().size(), 1);
    QVERIFY(driver.boxes().first().text.contains(QStringLiteral("ماشین حساب")));
}

void TestMainWindow::bannerOpensTheSite()
{
    TestHome home;
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    Frm1 window;
    window.show();
    auto* banner = window.findChild<QLabel*>(QStringLiteral("Picture1"));
    QVERIFY(!banner->pixmap().isNull());
    QTest::mouseClick(banner, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(catcher.urls, QList<QUrl>{QUrl(Frm1::siteAddress())});
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
