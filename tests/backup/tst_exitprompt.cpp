#include "app/Frm1.h"
#include "backup/Frmbackup.h"
#include "backup/exitpro.h"
#include "support/TestSupport.h"
#include "ui/ApplicationEnd.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestExitPrompt : public QObject
{
    Q_OBJECT

  private slots:
    void opensWithItsTextsAndBlinks();
    void pointerSwapsThePictures();
    void confirm_data();
    void confirm();
    void cancelBringsBackTheMainWindow();
    void ownCloseControlEndsTheApplication();

  private:
    static QAbstractButton* picture(exitpro& prompt, const char* name)
    {
        return prompt.findChild<QAbstractButton*>(QString::fromLatin1(name));
    }
    static QCheckBox* check1(QWidget& prompt)
    {
        return prompt.findChild<QCheckBox*>(QStringLiteral("Check1"));
    }
    static void pointAt(QWidget* widget)
    {
        const QPointF at(4, 4);
        QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }
    static QList<bool> shown(exitpro& prompt)
    {
        QList<bool> visible;
        for (const char* name : {"k1", "k2", "c1", "c2"})
            visible << picture(prompt, name)->isVisible();
        return visible;
    }
};

void TestExitPrompt::opensWithItsTextsAndBlinks()
{
    TestHome home;
    exitpro prompt;
    prompt.show();
    QCOMPARE(prompt.windowTitle(), QStringLiteral("تهيه نسخه پشتيبان"));
    QCOMPARE(check1(prompt)->text(), QStringLiteral("تهيه نسخه پشتيبان"));
    QVERIFY(!check1(prompt)->isChecked());
    QCOMPARE(prompt.size(), QSize(316, 202));
    QCOMPARE(picture(prompt, "k1")->geometry(), QRect(164, 156, 96, 35));
    QCOMPARE(picture(prompt, "c1")->geometry(), QRect(24, 156, 96, 35));
    QCOMPARE(check1(prompt)->palette().color(QPalette::WindowText), QColor(128, 64, 64));

    const QString a = QStringLiteral(" تهيه نسخه پشتيبان");
    const QString b = QStringLiteral("پشتيبان گيري");
    QTRY_COMPARE(prompt.windowTitle(), a);
    QTRY_COMPARE(prompt.windowTitle(), b);
    QTRY_COMPARE(check1(prompt)->text(), b);
    QTRY_COMPARE(prompt.windowTitle(), a);
    QTRY_COMPARE(check1(prompt)->text(), a);
}

void TestExitPrompt::pointerSwapsThePictures()
{
    TestHome home;
    exitpro prompt;
    prompt.show();
    const QList<bool> normal{true, false, true, false};
    QCOMPARE(shown(prompt), normal);

    QTest::mouseClick(picture(prompt, "k1"), Qt::LeftButton); // not highlighted: no action
    QVERIFY(prompt.isVisible());
    QVERIFY(!ApplicationEnd::isEnding());

    pointAt(picture(prompt, "k1"));
    QCOMPARE(shown(prompt), QList<bool>({false, true, true, false}));
    pointAt(picture(prompt, "k2")); // the highlighted picture keeps its state
    pointAt(picture(prompt, "c1"));
    QCOMPARE(shown(prompt), QList<bool>({false, true, false, true}));
    pointAt(check1(prompt));
    QCOMPARE(shown(prompt), QList<bool>({false, true, false, true}));
    pointAt(&prompt);
    QCOMPARE(shown(prompt), normal);
}

void TestExitPrompt::confirm_data()
{
    QTest::addColumn<bool>("ticked");
    QTest::newRow("without the box: the end") << false;
    QTest::newRow("with the box: the backup screen") << true;
}

void TestExitPrompt::confirm()
{
    QFETCH(bool, ticked);
    TestHome home;
    auto* prompt = new exitpro;
    prompt->setAttribute(Qt::WA_DeleteOnClose);
    prompt->show();
    check1(*prompt)->setChecked(ticked);
    pointAt(picture(*prompt, "k1"));
    QTest::mouseClick(picture(*prompt, "k2"), Qt::LeftButton);
    QCOMPARE(ApplicationEnd::isEnding(), !ticked);
    QCOMPARE(findWindow<Frmbackup>() != nullptr, ticked);
    QVERIFY(!findWindow<exitpro>());
    QVERIFY(!findWindow<Frm1>());
}

// Exit from the main window, Cancel, and exit again: each time the prompt stands alone at
// its place with the box not ticked.
void TestExitPrompt::cancelBringsBackTheMainWindow()
{
    TestHome home;
    QPointer<Frm1> window = Frm1::openNew();
    QVERIFY(window);
    QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("Command6")), Qt::LeftButton);
    QTRY_VERIFY(!window);
    exitpro* prompt = findWindow<exitpro>();
    QVERIFY(prompt);
    QCOMPARE(prompt->pos(), QPoint(333, 100));
    check1(*prompt)->setChecked(true);

    pointAt(picture(*prompt, "c1"));
    QTest::mouseClick(picture(*prompt, "c2"), Qt::LeftButton);
    QVERIFY(!ApplicationEnd::isEnding());
    QVERIFY(!findWindow<exitpro>());
    window = findWindow<Frm1>();
    QVERIFY(window);
    QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("Text3"))->text(), QStringLiteral("2"));

    window->close();
    prompt = findWindow<exitpro>();
    QVERIFY(prompt);
    QVERIFY(!check1(*prompt)->isChecked());
    QCOMPARE(prompt->pos(), QPoint(333, 100));
    QVERIFY(!ApplicationEnd::isEnding());
}

void TestExitPrompt::ownCloseControlEndsTheApplication()
{
    TestHome home;
    exitpro prompt;
    prompt.show();
    prompt.close();
    QVERIFY(ApplicationEnd::isEnding());
    QVERIFY(!findWindow<Frm1>());
}

QTEST_MAIN(TestExitPrompt)
#include "tst_exitprompt.moc"
