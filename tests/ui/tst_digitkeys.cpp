#include "ui/DigitKeys.h"

#include <QKeyEvent>
#include <QtTest>

// The one rule of the digits-only boxes, key by key.
class TestDigitKeys : public QObject
{
    Q_OBJECT

  private slots:
    void keys_data();
    void keys();
};

void TestDigitKeys::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("passes");
    const int none = Qt::NoModifier;
    QTest::newRow("digit") << int(Qt::Key_7) << none << "7" << true;
    QTest::newRow("zero") << int(Qt::Key_0) << none << "0" << true;
    QTest::newRow("letter") << int(Qt::Key_A) << none << "a" << false;
    QTest::newRow("Persian digit") << int(Qt::Key_unknown) << none << QStringLiteral("۷") << false;
    QTest::newRow("space") << int(Qt::Key_Space) << none << " " << false;
    QTest::newRow("minus") << int(Qt::Key_Minus) << none << "-" << false;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << none << "\b" << true;
    QTest::newRow("enter") << int(Qt::Key_Return) << none << "\r" << true;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << "\r" << true;
    QTest::newRow("escape") << int(Qt::Key_Escape) << none << "\x1b" << false;
    QTest::newRow("other control character") << int(Qt::Key_unknown) << none << "\x01" << false;
    QTest::newRow("shift") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << "" << true;
    QTest::newRow("function key") << int(Qt::Key_F5) << none << "" << true;
    QTest::newRow("tab") << int(Qt::Key_Tab) << none << "\t" << true;
    QTest::newRow("arrow") << int(Qt::Key_Left) << none << "" << true;
    QTest::newRow("paste") << int(Qt::Key_V) << int(Qt::ControlModifier) << "v" << true;
    QTest::newRow("digit then letter") << int(Qt::Key_1) << none << "1a" << false;
}

void TestDigitKeys::keys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(bool, passes);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QCOMPARE(passesDigitsOnly(event), passes);
}

QTEST_MAIN(TestDigitKeys)
#include "tst_digitkeys.moc"
