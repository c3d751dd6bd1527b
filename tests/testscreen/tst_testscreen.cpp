#include "app/Frm1.h"
#include "data/Database.h"
#include "questionnaire/Questionnaires.h"
#include "support/TestSupport.h"
#include "testscreen/FrmTest.h"
#include "ui/Twips.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSqlQuery>
#include <QtTest>

#include <functional>

namespace {

const QString startNotice = QStringLiteral("شروع");
const QString endNotice = QStringLiteral("پايان");
const QString notANumber = QStringLiteral("شما بايد عدد وارد كنيد");

template <typename T = QWidget> T* part(QWidget& screen, const char* name)
{
    return screen.findChild<T*>(QString::fromLatin1(name));
}

void click(QWidget& screen, const char* name)
{
    part<QAbstractButton>(screen, name)->click();
}

QLineEdit* box(QWidget& screen, const char* name)
{
    return part<QLineEdit>(screen, name);
}

// Replaces the text of a box key by key; '\b' is Backspace.
void retype(QLineEdit* edit, const QString& keys)
{
    edit->selectAll();
    for (const QChar c : keys) {
        if (c == QLatin1Char('\b'))
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            typeText(edit, QString(c));
    }
}

// Runs action and answers the timed notices it shows (one more than expected, so that a stray
// notice is seen too); returns their texts.
QStringList noticesOf(int expected, const std::function<void()>& action)
{
    ModalDriver notices;
    for (int i = 0; i <= expected; ++i)
        notices.notice();
    action();
    return notices.texts();
}

// The screen shows item with the stored answer ("1", "0" or empty) selected.
void expectItem(FrmTest& screen, int item, const QString& answer)
{
    const QString number = QString::number(item);
    QCOMPARE(box(screen, "Text6")->text(), number);
    QCOMPARE(part<QGroupBox>(screen, "Frame2")->title(), number);
    QCOMPARE(part<QLabel>(screen, "SkinLbl5")->text(),
             Questionnaires::geriatricDepression().itemText(item));
    QCOMPARE(part<QRadioButton>(screen, "Option1")->isChecked(), answer == QLatin1String("1"));
    QCOMPARE(part<QRadioButton>(screen, "Option2")->isChecked(), answer == QLatin1String("0"));
}

// Clicks Run test, enters code and drives the test screen; the screen is left with Save and
// exit unless drive closed it.
void runTest(Frm1& window, const QString& code, const std::function<void(FrmTest&)>& drive)
{
    ModalDriver driver;
    driver.input(code).then([&](QWidget* modal) {
        auto* screen = qobject_cast<FrmTest*>(modal);
        QVERIFY(screen);
        drive(*screen);
        if (screen->isVisible())
            click(*screen, "Command5");
    });
    window.findChild<QAbstractButton*>(QStringLiteral("Command2"))->click();
    QVERIFY(driver.done());
    QVERIFY(!findWindow<FrmTest>());
}

void execSql(const QString& sql)
{
    QSqlQuery query(Database::connection(Database::File::Subjects));
    QVERIFY(query.exec(sql));
}

} // namespace

class TestTestScreen : public QObject
{
    Q_OBJECT

  private slots:
    void answersReachTheSubjectsRow();
    void endsOfTheRangeAndTheQuietZero();
    void typingAnItemNumber_data();
    void typingAnItemNumber();
    void storedAnswersAndTheLaterIntroduction();
    void codeWithAQuote();
    void missingOrUnknownCode_data();
    void missingOrUnknownCode();
    void closeControlKeepsTheChosenAnswer();
    void failedSaveWritesNothingAndKeepsTheEdits();
};

void TestTestScreen::answersReachTheSubjectsRow()
{
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("101")});
    Fixture::enrol({.code = QStringLiteral("102")});
    Frm1 window;
    window.show();
    const QString pattern = QStringLiteral("110100111010001");
    runTest(window, QStringLiteral("101"), [&](FrmTest& screen) {
        click(screen, "Command1");
        QVERIFY(box(screen, "Text1")->isReadOnly());
        QCOMPARE(box(screen, "Text1")->text(), QStringLiteral("101"));
        QCOMPARE(box(screen, "Text3")->text(), QStringLiteral("علی"));
        for (int item = 1; item <= Questionnaires::geriatricDepression().itemCount(); ++item) {
            expectItem(screen, item, QString());
            const bool yes = pattern.at(item - 1) == QLatin1Char('1');
            click(screen, yes ? "Option1" : "Option2");
            const int notices = item == Questionnaires::geriatricDepression().itemCount() ? 1 : 0;
            const QStringList shown = noticesOf(notices, [&] { click(screen, "CmdNext"); });
            QCOMPARE(shown, notices ? QStringList{endNotice} : QStringList{});
            QCOMPARE(Fixture::answerOf(QStringLiteral("101"), item), pattern.mid(item - 1, 1));
        }
        expectItem(screen, 15, pattern.right(1));
        retype(box(screen, "Text7"), QStringLiteral("لیسانس"));
        QCOMPARE(noticesOf(1, [&] { retype(box(screen, "Text5"), QStringLiteral("8x1")); }),
                 QStringList{notANumber});
        QCOMPARE(box(screen, "Text5")->text(), QStringLiteral("81"));
    });
    for (int item = 1; item <= Questionnaires::geriatricDepression().itemCount(); ++item)
        QCOMPARE(Fixture::answerOf(QStringLiteral("101"), item), pattern.mid(item - 1, 1));
    QCOMPARE(
        Fixture::columnOf(QStringLiteral("IDE"), QStringLiteral("101"), QStringLiteral("Tahsil")),
        QStringLiteral("لیسانس"));
    QCOMPARE(Fixture::columnOf(QStringLiteral("IDE"), QStringLiteral("101"), QStringLiteral("Sen")),
             QStringLiteral("81"));
    for (int item = 1; item <= Questionnaires::geriatricDepression().itemCount(); ++item)
        QCOMPARE(Fixture::answerOf(QStringLiteral("102"), item), QString());
}

void TestTestScreen::endsOfTheRangeAndTheQuietZero()
{
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("7"), .answers = QStringLiteral("1")});
    Frm1 window;
    window.show();
    runTest(window, QStringLiteral("7"), [&](FrmTest& screen) {
        click(screen, "Command1");
        expectItem(screen, 1, QStringLiteral("1"));
        click(screen, "Option2");
        QCOMPARE(noticesOf(0, [&] { click(screen, "CmdBack"); }), QStringList{});
        QCOMPARE(box(screen, "Text6")->text(), QStringLiteral("0"));
        QCOMPARE(part<QLabel>(screen, "SkinLbl5")->text(),
                 Questionnaires::geriatricDepression().itemText(1));
        QCOMPARE(part<QGroupBox>(screen, "Frame2")->title(), QStringLiteral("1"));
        QVERIFY(part<QRadioButton>(screen, "Option2")->isChecked());
        QCOMPARE(Fixture::answerOf(QStringLiteral("7"), 1), QStringLiteral("0"));

        click(screen, "CmdNext");
        expectItem(screen, 1, QStringLiteral("0"));
        click(screen, "CmdBack");
        QCOMPARE(noticesOf(1, [&] { click(screen, "CmdBack"); }), QStringList{startNotice});
        expectItem(screen, 1, QStringLiteral("0"));

        retype(box(screen, "Text6"), QStringLiteral("15"));
        expectItem(screen, 15, QString());
        click(screen, "Option1");
        QCOMPARE(noticesOf(1, [&] { click(screen, "CmdNext"); }), QStringList{endNotice});
        expectItem(screen, 15, QStringLiteral("1"));
        QCOMPARE(Fixture::answerOf(QStringLiteral("7"), 15), QStringLiteral("1"));
    });
}

void TestTestScreen::typingAnItemNumber_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QString>("number");
    QTest::addColumn<int>("item");
    QTest::addColumn<QStringList>("notices");
    QTest::newRow("digit") << "7" << false << "7" << 7 << QStringList{};
    QTest::newRow("two digits") << "12" << false << "12" << 12 << QStringList{};
    QTest::newRow("latin letter") << "a" << false << "1" << 1 << QStringList{notANumber};
    QTest::newRow("persian letter") << "ب" << false << "1" << 1 << QStringList{notANumber};
    QTest::newRow("persian digit") << "۷" << false << "1" << 1 << QStringList{notANumber};
    QTest::newRow("escape") << "\x1b" << false << "1" << 1 << QStringList{notANumber};
    QTest::newRow("emptied") << "\b" << false << "1" << 1 << QStringList{};
    QTest::newRow("above the last") << "99" << false << "15" << 15 << QStringList{endNotice};
    QTest::newRow("zero is quiet") << "0" << false << "0" << 1 << QStringList{};
    QTest::newRow("leading zero") << "05" << false << "5" << 5 << QStringList{};
    QTest::newRow("pasted zeros") << "0009" << true << "9" << 9 << QStringList{};
    QTest::newRow("pasted words") << "abc" << true << "1" << 1 << QStringList{notANumber};
    QTest::newRow("pasted number and words")
        << "3 items" << true << "1" << 1 << QStringList{notANumber};
}

void TestTestScreen::typingAnItemNumber()
{
    QFETCH(QString, keys);
    QFETCH(bool, pasted);
    QFETCH(QString, number);
    QFETCH(int, item);
    QFETCH(QStringList, notices);
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("5"), .answers = QStringLiteral("101010101010101")});
    Frm1 window;
    window.show();
    runTest(window, QStringLiteral("5"), [&](FrmTest& screen) {
        click(screen, "Command1");
        QLineEdit* text6 = box(screen, "Text6");
        const QStringList shown = noticesOf(static_cast<int>(notices.size()), [&] {
            if (pasted) {
                text6->selectAll();
                text6->insert(keys);
            } else {
                retype(text6, keys);
            }
        });
        QCOMPARE(shown, notices);
        QCOMPARE(text6->text(), number);
        const QString stored = item % 2 ? QStringLiteral("1") : QStringLiteral("0");
        QCOMPARE(part<QLabel>(screen, "SkinLbl5")->text(),
                 Questionnaires::geriatricDepression().itemText(item));
        QCOMPARE(part<QGroupBox>(screen, "Frame2")->title(), QString::number(item));
        QCOMPARE(part<QRadioButton>(screen, "Option1")->isChecked(), stored == "1");
        QCOMPARE(part<QRadioButton>(screen, "Option2")->isChecked(), stored == "0");
    });
    // Moving by typing saved nothing and changed nothing.
    for (int n = 1; n <= Questionnaires::geriatricDepression().itemCount(); ++n)
        QCOMPARE(Fixture::answerOf(QStringLiteral("5"), n), QString::number(n % 2));
}

void TestTestScreen::storedAnswersAndTheLaterIntroduction()
{
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("55"), .answers = QStringLiteral("10 1")});
    Frm1 window;
    window.show();
    runTest(window, QStringLiteral("55"), [&](FrmTest& screen) {
        QCOMPARE(screen.windowTitle(), QStringLiteral("صفحه اجراي تست"));
        for (const char* shown : {"SkinLabel3", "SkinLabel4", "Command1"})
            QVERIFY2(part(screen, shown)->isVisible(), shown);
        for (const char* hidden :
             {"Frame1", "SkinLbl5", "Frame2", "Text6", "CmdBack", "CmdNext", "Command5"})
            QVERIFY2(!part(screen, hidden)->isVisible(), hidden);
        QCOMPARE(part(screen, "SkinLabel4")->geometry(), twipsRect(600, 3000, 9075, 4095));
        click(screen, "Command1");
        QCOMPARE(part(screen, "SkinLbl5")->geometry(), twipsRect(480, 3360, 8535, 1455));
        for (const char* hidden : {"SkinLabel3", "SkinLabel4", "Command1"})
            QVERIFY2(!part(screen, hidden)->isVisible(), hidden);
        expectItem(screen, 1, QStringLiteral("1"));
        click(screen, "CmdNext");
        expectItem(screen, 2, QStringLiteral("0"));
        click(screen, "CmdNext");
        expectItem(screen, 3, QString());
        click(screen, "Option1");
        click(screen, "CmdNext");
        expectItem(screen, 4, QStringLiteral("1"));
    });
    runTest(window, QStringLiteral("55"), [&](FrmTest& screen) {
        for (const char* shown : {"SkinLabel4", "Command1", "Frame1", "SkinLbl5"})
            QVERIFY2(part(screen, shown)->isVisible(), shown);
        for (const char* hidden :
             {"SkinLabel3", "Text6", "Frame2", "CmdBack", "CmdNext", "Command5"})
            QVERIFY2(!part(screen, hidden)->isVisible(), hidden);
        QCOMPARE(part<QLabel>(screen, "SkinLbl5")->text(), QStringLiteral(" "));
        QCOMPARE(box(screen, "Text6")->text(), QStringLiteral("0"));
        QCOMPARE(box(screen, "Text1")->text(), QStringLiteral("55"));
        click(screen, "Command1");
        expectItem(screen, 1, QStringLiteral("1"));
        retype(box(screen, "Text6"), QStringLiteral("3"));
        expectItem(screen, 3, QStringLiteral("1"));
    });
}

void TestTestScreen::codeWithAQuote()
{
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("a")});
    Fixture::enrol({.code = QStringLiteral("a'b")});
    Frm1 window;
    window.show();
    runTest(window, QStringLiteral("a'b"), [&](FrmTest& screen) {
        QCOMPARE(box(screen, "Text1")->text(), QStringLiteral("a'b"));
        click(screen, "Command1");
        click(screen, "Option1");
    });
    QCOMPARE(Fixture::answerOf(QStringLiteral("a'b"), 1), QStringLiteral("1"));
    QCOMPARE(Fixture::answerOf(QStringLiteral("a"), 1), QString());
}

void TestTestScreen::missingOrUnknownCode_data()
{
    CodePrompt::addRefusals({QStringLiteral("999"), QStringLiteral("'")});
}

void TestTestScreen::missingOrUnknownCode()
{
    QFETCH(QString, notice);
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("1")});
    Frm1 window;
    window.show();
    ModalDriver driver;
    CodePrompt::refuse(driver);
    window.findChild<QAbstractButton*>(QStringLiteral("Command2"))->click();
    QVERIFY(driver.done());
    QCOMPARE(driver.texts(), QStringList{notice});
    QVERIFY(!findWindow<FrmTest>());
}

void TestTestScreen::closeControlKeepsTheChosenAnswer()
{
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("3")});
    Frm1 window;
    window.show();
    runTest(window, QStringLiteral("3"), [&](FrmTest& screen) {
        click(screen, "Command1");
        click(screen, "CmdNext");
        click(screen, "Option2");
        retype(box(screen, "Text7"), QStringLiteral("دکتری"));
        QVERIFY(screen.close());
    });
    QCOMPARE(Fixture::answerOf(QStringLiteral("3"), 2), QStringLiteral("0"));
    QCOMPARE(
        Fixture::columnOf(QStringLiteral("IDE"), QStringLiteral("3"), QStringLiteral("Tahsil")),
        QStringLiteral("دکتری"));
}

void TestTestScreen::failedSaveWritesNothingAndKeepsTheEdits()
{
    TestHome home;
    Fixture::enrol({.code = QStringLiteral("9")});
    Frm1 window;
    window.show();
    const QString education =
        Fixture::columnOf(QStringLiteral("IDE"), QStringLiteral("9"), QStringLiteral("Tahsil"));
    runTest(window, QStringLiteral("9"), [&](FrmTest& screen) {
        click(screen, "Command1");
        click(screen, "Option1");
        retype(box(screen, "Text7"), QStringLiteral("ارشد"));
        execSql(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON IDE "
                               "BEGIN SELECT RAISE(ABORT, 'refused'); END"));

        ModalDriver failures;
        failures.box().box(QMessageBox::No);
        click(screen, "Command5");
        QVERIFY(!screen.close());
        QVERIFY(failures.done());
        QCOMPARE(failures.boxes().size(), 2);
        for (const ModalDriver::Box& shown : failures.boxes()) {
            QCOMPARE(shown.title, QStringLiteral("خطا"));
            QVERIFY2(shown.text.contains(QStringLiteral("ذخیره نشد")), qPrintable(shown.text));
        }
        QVERIFY(screen.isVisible());
        QCOMPARE(Fixture::answerOf(QStringLiteral("9"), 1), QString());
        QCOMPARE(
            Fixture::columnOf(QStringLiteral("IDE"), QStringLiteral("9"), QStringLiteral("Tahsil")),
            education);
        expectItem(screen, 1, QStringLiteral("1"));
        QCOMPARE(box(screen, "Text7")->text(), QStringLiteral("ارشد"));
        execSql(QStringLiteral("DROP TRIGGER refuse"));
    });
    QCOMPARE(Fixture::answerOf(QStringLiteral("9"), 1), QStringLiteral("1"));
    QCOMPARE(
        Fixture::columnOf(QStringLiteral("IDE"), QStringLiteral("9"), QStringLiteral("Tahsil")),
        QStringLiteral("ارشد"));
}

QTEST_MAIN(TestTestScreen)
#include "tst_testscreen.moc"
