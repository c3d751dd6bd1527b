#include "export/ExportFixture.h"
#include "export/ExportReaders.h"
#include "lookup/ExportDialog.h"
#include "lookup/FrmCode.h"
#include "support/TestSupport.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

struct Choice
{
    int format; // 0 CSV, 1 Excel, 2 SPSS
    QString group;
    QDate from;
    QDate to;
};

// Fills the export dialog as the user would and presses OK.
void choose(QWidget* modal, const Choice& choice)
{
    auto* dialog = qobject_cast<ExportDialog*>(modal);
    QVERIFY(dialog);
    dialog->findChild<QComboBox*>(QStringLiteral("ExportFormat"))->setCurrentIndex(choice.format);
    auto* group = dialog->findChild<QComboBox*>(QStringLiteral("ExportGroup"));
    group->setCurrentIndex(choice.group.isNull() ? 0 : group->findText(choice.group));
    const auto limit = [dialog](const QString& name, QDate day) {
        if (!day.isValid())
            return;
        QTest::mouseClick(dialog->findChild<QCheckBox*>(name + QStringLiteral("On")),
                          Qt::LeftButton);
        dialog->findChild<QDateEdit*>(name)->setDate(day);
    };
    limit(QStringLiteral("ExportFrom"), choice.from);
    limit(QStringLiteral("ExportTo"), choice.to);
    QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
}

// Types the file's full name into the save dialog's name box and accepts it.
void save(QWidget* modal, const QString& path)
{
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    QVERIFY(dialog);
    QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    name->setText(path);
    QMetaObject::invokeMethod(dialog, "accept");
}

QPushButton* exportButton(FrmCode& screen)
{
    return screen.findChild<QPushButton*>(QStringLiteral("CmdExport"));
}

} // namespace

class TestExportDialog : public QObject
{
    Q_OBJECT

  private slots:
    void buttonOverlapsNothing();
    void exportsTheChosenRows_data();
    void exportsTheChosenRows();
    void cancelWritesNothing();
    void reversedDaysAreRefused();
    void daysArePickedOnTheSolarHijriCalendar();
};

void TestExportDialog::buttonOverlapsNothing()
{
    TestHome home;
    FrmCode screen;
    screen.show();
    QPushButton* button = exportButton(screen);
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("خروجی"));
    QVERIFY(screen.rect().contains(button->geometry()));
    for (QWidget* other : screen.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (other != button && other->isVisible())
            QVERIFY2(!other->geometry().intersects(button->geometry()),
                     qPrintable(other->objectName()));
    }
}

void TestExportDialog::exportsTheChosenRows_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QString>("name");
    QTest::newRow("all as CSV") << 0 << QString() << QDate() << QDate() << "all.csv";
    QTest::newRow("group A in December as Excel")
        << 1 << "A" << QDate(2026, 12, 1) << QDate(2026, 12, 31) << "december.xlsx";
    QTest::newRow("SPSS, name without extension") << 2 << "B" << QDate() << QDate() << "b";
}

void TestExportDialog::exportsTheChosenRows()
{
    QFETCH(int, format);
    QFETCH(QString, group);
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QString, name);
    TestHome home;
    ExportFixture::write();
    FrmCode screen;
    screen.show();
    const QString target =
        home.file(name) + (name.contains(QLatin1Char('.')) ? QString() : QStringLiteral(".sav"));
    ModalDriver driver;
    driver.then([&](QWidget* modal) {
              choose(modal, {format, group, from, to});
          })
        .then([&](QWidget* modal) { save(modal, home.file(name)); })
        .box();
    QTest::mouseClick(exportButton(screen), Qt::LeftButton);
    QTRY_VERIFY(driver.done());
    const QList<QStringList> expected = ExportFixture::expectedRows(group, from, to);
    QVERIFY(!expected.isEmpty());
    QCOMPARE(driver.lastText(),
             QStringLiteral("%1 ردیف در «%2» نوشته شد.").arg(expected.size()).arg(target));
    QString error;
    QList<QStringList> rows;
    if (format == 0) {
        QFile file(target);
        QVERIFY(file.open(QIODevice::ReadOnly));
        rows = ExportReaders::parseCsv(QString::fromUtf8(file.readAll().mid(3)),
                                       QStringLiteral("\r\n"), &error);
    } else if (format == 1) {
        rows = ExportReaders::readXlsx(target, &error).cells;
    } else {
        rows = ExportReaders::readSav(target, &error);
    }
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(rows.size(), expected.size() + 1);
    QCOMPARE(rows.constFirst(), ExportFixture::header());
    for (int row = 0; row < expected.size(); ++row) { // the administrations, in order
        QCOMPARE(rows.at(row + 1).at(10).toDouble(), expected.at(row).at(10).toDouble());
        QCOMPARE(rows.at(row + 1).at(11), expected.at(row).at(11));
    }
}

void TestExportDialog::cancelWritesNothing()
{
    TestHome home;
    ExportFixture::write();
    FrmCode screen;
    screen.show();
    const QStringList before = QDir(home.path()).entryList(QDir::Files | QDir::Hidden);
    ModalDriver driver;
    driver.then([](QWidget* modal) {
              choose(modal, {0, QString(), {}, {}});
          })
        .then([](QWidget* modal) { QMetaObject::invokeMethod(modal, "reject"); });
    QTest::mouseClick(exportButton(screen), Qt::LeftButton);
    QTRY_VERIFY(driver.done());
    QCOMPARE(QDir(home.path()).entryList(QDir::Files | QDir::Hidden), before);
    QVERIFY(driver.boxes().isEmpty());
}

void TestExportDialog::reversedDaysAreRefused()
{
    TestHome home;
    ExportFixture::write();
    FrmCode screen;
    screen.show();
    ModalDriver driver;
    driver
        .then([](QWidget* modal) {
            choose(modal, {0, QString(), QDate(2026, 12, 2), QDate(2026, 12, 1)});
        })
        .box();
    QTest::mouseClick(exportButton(screen), Qt::LeftButton);
    QTRY_VERIFY(driver.done());
    QCOMPARE(driver.boxes().size(), 1);
    QCOMPARE(driver.boxes().constFirst().title, QStringLiteral("خطا"));
}

void TestExportDialog::daysArePickedOnTheSolarHijriCalendar()
{
    ExportDialog dialog(QStringLiteral("C"));
    QCOMPARE(dialog.findChild<QComboBox*>(QStringLiteral("ExportGroup"))->currentText(),
             QStringLiteral("C"));
    for (const QString& name : {QStringLiteral("ExportFrom"), QStringLiteral("ExportTo")}) {
        auto* picker = dialog.findChild<QDateEdit*>(name);
        QVERIFY(picker);
        QVERIFY(!picker->isEnabled()); // no limit until ticked
        picker->setDate(QDate(2026, 12, 11));
        const QString shown = picker->text(); // 11 December 2026 is 20 Azar 1405
        QVERIFY2(shown.contains(QStringLiteral("1405")) || shown.contains(QStringLiteral("۱۴۰۵")),
                 qPrintable(shown));
        QCOMPARE(picker->calendar().name(), QCalendar(QCalendar::System::Jalali).name());
        QCalendarWidget* calendar = picker->calendarWidget();
        QCOMPARE(calendar->calendar().name(), QCalendar(QCalendar::System::Jalali).name());
        QCOMPARE(calendar->firstDayOfWeek(), Qt::Saturday);
        QCOMPARE(calendar->weekdayTextFormat(Qt::Friday).foreground().color(), QColor(Qt::red));
        QVERIFY(calendar->weekdayTextFormat(Qt::Saturday).foreground().color() != QColor(Qt::red));
        QVERIFY(calendar->weekdayTextFormat(Qt::Sunday).foreground().color() != QColor(Qt::red));
    }
    // Nothing ticked: every group of the chosen one, no day limits.
    const ExportTable::Filter filter = dialog.filter();
    QCOMPARE(filter.group, QStringLiteral("C"));
    QVERIFY(!filter.from.isValid() && !filter.to.isValid());
    QCOMPARE(ExportDialog(QStringLiteral("جنسيت را انتخاب كنيد")).filter().group, QString());
}

QTEST_MAIN(TestExportDialog)
#include "tst_exportdialog.moc"
