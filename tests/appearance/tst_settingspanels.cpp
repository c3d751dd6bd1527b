#include "app/Frm1.h"
#include "appearance/ClinicPanel.h"
#include "appearance/Frmskin.h"
#include "appearance/ThemeFiles.h"
#include "backup/exitpro.h"
#include "data/Database.h"
#include "support/TestSupport.h"
#include "ui/ImageButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

class TestSettingsPanels : public QObject
{
    Q_OBJECT

  private slots:
    void menuOpensOnePanelBesideItself();
    void saveStoresNameAndAddressEvenEmpty();
    void cancelKeepsTypedTextButThemeChangeStoresStoredName();
    void themeButtonStoresNumberAndRestartsSilently_data();
    void themeButtonStoresNumberAndRestartsSilently();
    void confirmOnlyFromHighlightedButtonOpensNewMainWindow();
    void failedWriteIsToldAndChangesNothing();

  private:
    static void click(QWidget* window, const char* name)
    {
        auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
        QVERIFY2(button && button->isVisible(), name);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    static QWidget* panel(QWidget* window, const char* name)
    {
        return window->findChild<QWidget*>(QString::fromLatin1(name));
    }
    static QLabel* header(QWidget* window)
    {
        return window->findChild<QLabel*>(QStringLiteral("SkinLabel1"));
    }
    static void replaceText(QLineEdit* box, const QString& text)
    {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        typeText(box, text);
    }
};

void TestSettingsPanels::menuOpensOnePanelBesideItself()
{
    TestHome home;
    Frm1 window;
    window.show();
    QWidget* menu = panel(&window, "Frame8");
    QWidget* clinic = panel(&window, "Frame9");
    QWidget* themes = panel(&window, "Frame6");
    click(&window, "Command9");
    QCOMPARE(menu->geometry(), QRect(404, 252, 145, 137));
    click(&window, "Command67");
    QVERIFY(menu->isVisible());
    QCOMPARE(clinic->geometry(), QRect(108, 56, 405, 153));
    click(&window, "Command68"); // the clinic panel closes unsaved
    QVERIFY(!clinic->isVisible());
    QVERIFY(menu->isVisible());
    QCOMPARE(themes->geometry(), QRect(228, 52, 173, 505));
    click(&window, "Command46");
    QVERIFY(!themes->isVisible());
    QVERIFY(menu->isVisible());
    click(&window, "Command67");
    click(&window, "Command69");
    for (QWidget* open : {menu, clinic, themes})
        QVERIFY(!open->isVisible());
}

void TestSettingsPanels::saveStoresNameAndAddressEvenEmpty()
{
    TestHome home;
    Fixture::setSetting(QStringLiteral("Name"), QStringLiteral("کلینیک مهر"));
    Frm1 window;
    window.show();
    click(&window, "Command9");
    click(&window, "Command67");
    replaceText(window.clinicPanel()->nameBox(), QString());
    QCOMPARE(header(&window)->text(), QString());
    replaceText(window.clinicPanel()->addressBox(), QStringLiteral("تهران، خیابان آزادی"));
    click(&window, "Command64");
    QCOMPARE(Fixture::setting(QStringLiteral("Name")), QString());
    QCOMPARE(Fixture::setting(QStringLiteral("Adress")), QStringLiteral("تهران، خیابان آزادی"));
    QVERIFY(!window.clinicPanel()->isVisible());
    QVERIFY(panel(&window, "Frame8")->isVisible());
    click(&window, "Command67");
    QCOMPARE(window.clinicPanel()->addressBox()->text(), QStringLiteral("تهران، خیابان آزادی"));
}

void TestSettingsPanels::cancelKeepsTypedTextButThemeChangeStoresStoredName()
{
    TestHome home;
    Fixture::setSetting(QStringLiteral("Name"), QStringLiteral("کلینیک مهر"));
    QPointer<Frm1> window = Frm1::openNew();
    click(window, "Command9");
    click(window, "Command67");
    QLineEdit* name = window->clinicPanel()->nameBox();
    replaceText(name, QStringLiteral("نام تازه"));
    click(window, "Command7");
    QVERIFY(!window->clinicPanel()->isVisible());
    QCOMPARE(header(window)->text(), QStringLiteral("نام تازه"));
    click(window, "Command67");
    QCOMPARE(name->text(), QStringLiteral("نام تازه"));
    QCOMPARE(Fixture::setting(QStringLiteral("Name")), QStringLiteral("کلینیک مهر"));

    click(window, "Command68");
    click(window, "Command43");
    QCOMPARE(Fixture::setting(QStringLiteral("TH")), QStringLiteral("3"));
    QCOMPARE(Fixture::setting(QStringLiteral("Name")), QStringLiteral("کلینیک مهر"));
}

void TestSettingsPanels::themeButtonStoresNumberAndRestartsSilently_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("file");
    const auto row = [](const char* button, const QString& caption, int number,
                        const QString& file) {
        QTest::newRow(button) << QString::fromLatin1(button) << caption << number << file;
    };
    row("Command45", QStringLiteral(" تم شماره 1"), 1, QStringLiteral("chizh.skn"));
    row("Command44", QStringLiteral("تم شماره 2"), 2, QStringLiteral("Green.skn"));
    row("Command43", QStringLiteral("تم شماره 3"), 3, QStringLiteral("galaxy.skn"));
    row("Command42", QStringLiteral("تم شماره 4"), 4, QStringLiteral("_temp.skn"));
    row("Command50", QStringLiteral(" تم شماره 5"), 5, QStringLiteral("B-Studio.skn"));
    row("Command49", QStringLiteral("تم شماره 6"), 6, QStringLiteral("Mac.skn"));
    row("Command48", QStringLiteral("تم شماره 7"), 7, QStringLiteral("O-Universe.skn"));
    row("Command47", QStringLiteral("تم شماره 8"), 8, QStringLiteral("metallic.skn"));
    row("Command41", QStringLiteral("تم شماره 9"), 9, QStringLiteral("Paper.skn"));
    row("Command52", QStringLiteral("تم شماره 10 "), 10, QStringLiteral("winaqua.skn"));
    row("Command53", QStringLiteral("تم شماره 11"), 11, QStringLiteral("office2007.skn"));
}

void TestSettingsPanels::themeButtonStoresNumberAndRestartsSilently()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(int, number);
    QFETCH(QString, file);
    TestHome home;
    ThemeFiles::installMissing(home.path());
    QPointer<Frm1> window = Frm1::openNew();
    click(window, "Command9");
    click(window, "Command68");
    auto* themeButton = window->findChild<QPushButton*>(button);
    QCOMPARE(themeButton->text(), caption);
    QCOMPARE(themeButton->geometry(), QRect(16, 16 + 40 * (number - 1), 143, 37));
    QTest::mouseClick(themeButton, Qt::LeftButton);

    QCOMPARE(Fixture::setting(QStringLiteral("TH")), QString::number(number));
    QTRY_VERIFY(window.isNull());
    QVERIFY(!findWindow<exitpro>());
    QVERIFY(!findWindow<Frm1>());
    auto* screen = findWindow<Frmskin>();
    QVERIFY(screen);
    QCOMPARE(screen->property("themeFile").toString(), file);
    QCOMPARE(screen->windowTitle(), QStringLiteral("Form1"));
}

void TestSettingsPanels::confirmOnlyFromHighlightedButtonOpensNewMainWindow()
{
    TestHome home;
    ThemeFiles::installMissing(home.path());
    Fixture::setSetting(QStringLiteral("TH"), QStringLiteral("7"));
    QPointer<Frmskin> screen = new Frmskin;
    screen->setAttribute(Qt::WA_DeleteOnClose);
    screen->show();
    ImageButton* k1 = screen->normalButton();
    ImageButton* k2 = screen->highlightedButton();
    QVERIFY(k1->isVisible() && !k2->isVisible());
    QTest::mouseClick(k1, Qt::LeftButton); // the pointer never moved over it
    QVERIFY(!findWindow<Frm1>());
    hoverOver(k1);
    QVERIFY(!k1->isVisible() && k2->isVisible());
    QCOMPARE(k2->x() + 4, k1->x());
    hoverOver(screen);
    QVERIFY(k1->isVisible() && !k2->isVisible());
    hoverOver(k1);
    QTest::mouseClick(k2, Qt::LeftButton);

    QTRY_VERIFY(screen.isNull());
    auto* window = findWindow<Frm1>();
    QVERIFY(window);
    QCOMPARE(window->property("themeFile").toString(), QStringLiteral("O-Universe.skn"));
    QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("Text3"))->text(), QStringLiteral("2"));
    QVERIFY(!findWindow<exitpro>());
}

// The settings row cannot be written (the database refuses): Save keeps the panel open with
// the typed text, a theme button leaves the main window open, and each says so in Persian.
void TestSettingsPanels::failedWriteIsToldAndChangesNothing()
{
    TestHome home;
    ThemeFiles::installMissing(home.path());
    QSqlQuery(Database::connection(Database::File::Settings))
        .exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON [Theme] "
                             "BEGIN SELECT RAISE(ABORT, 'read-only'); END"));
    QPointer<Frm1> window = Frm1::openNew();
    click(window, "Command9");
    click(window, "Command67");
    replaceText(window->clinicPanel()->nameBox(), QStringLiteral("نام تازه"));
    {
        ModalDriver driver;
        driver.box();
        click(window, "Command64");
        QCOMPARE(driver.boxes().size(), 1);
        QCOMPARE(driver.boxes().first().title, QStringLiteral("خطا"));
        QVERIFY(driver.lastText().startsWith(QStringLiteral("نام و آدرس کلینیک ذخیره نشد.")));
    }
    QVERIFY(window->clinicPanel()->isVisible());
    QCOMPARE(window->clinicPanel()->nameBox()->text(), QStringLiteral("نام تازه"));

    click(window, "Command68");
    {
        ModalDriver driver;
        driver.box();
        click(window, "Command44");
        QCOMPARE(driver.boxes().size(), 1);
        QVERIFY(driver.lastText().startsWith(QStringLiteral("تم برنامه عوض نشد.")));
    }
    QVERIFY(window && window->isVisible());
    QVERIFY(!findWindow<Frmskin>());
    QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("Text3"))->text(), QStringLiteral("2"));
    QCOMPARE(window->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QStringLiteral("1"));
    QCOMPARE(Fixture::setting(QStringLiteral("TH")), QStringLiteral("1"));
    window->close(); // an ordinary close again
    QVERIFY(findWindow<exitpro>());
}

QTEST_MAIN(TestSettingsPanels)
#include "tst_settingspanels.moc"
