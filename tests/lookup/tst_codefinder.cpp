#include "data/RecordSet.h"
#include "data/Transaction.h"
#include "lookup/FrmCode.h"
#include "scoring/ReportProgress.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QCompleter>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

#include <algorithm>

namespace {

const QString groupPrompt = QStringLiteral("جنسيت را انتخاب كنيد");

// Subjects in table order: code, first name, family name, group.
void enrolSubjects()
{
    const QList<QStringList> subjects{
        {"C1", "علی", "رضایی", "A"},    {"C2", "مریم", "رضایی", "B"}, {"C3", "علی", "کریمی", "B"},
        {"C4", "Sean", "O'Brien", "C"}, {"C5", "نرگس", "احمدی", "B"},
    };
    for (const QStringList& s : subjects)
        Fixture::enrol({.code = s[0], .firstName = s[1], .familyName = s[2], .group = s[3]});
}

// A group too long to print without progress, spread among subjects of another group; returns
// its codes in table order.
QStringList enrolLongGroup()
{
    QStringList codes;
    Transaction once(Database::File::Subjects);
    for (int i = 1; i <= ReportProgress::RowsWithoutDialog + 60; ++i) {
        const QString code = QStringLiteral("L%1").arg(i, 3, 10, QLatin1Char('0'));
        const QString group = i % 5 == 0 ? QStringLiteral("A") : QStringLiteral("B");
        Fixture::enrol({.code = code, .group = group, .score = QString::number(i % 16)});
        if (group == QLatin1String("B"))
            codes << code;
    }
    once.commit();
    return codes;
}

QStringList filesInReports()
{
    return QDir(QStringLiteral("Reports"))
        .entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

class TestCodeFinder : public QObject
{
    Q_OBJECT

  private slots:
    void opensWithEverySubject();
    void selectorsFilterAlone_data();
    void selectorsFilterAlone();
    void clickInNameListFiltersOnItsText();
    void typingOffersNamesWithThatBeginning();
    void nameListsAreInPersianAlphabeticalOrder();
    void groupReport_data();
    void groupReport();
    void longGroupReportShowsProgressAndHoldsEveryRow();
    void stoppedGroupReportLeavesNothing();

  private:
    static QComboBox* combo(FrmCode& screen, const QString& name)
    {
        return screen.findChild<QComboBox*>(name);
    }
    static QStringList gridCodes(FrmCode& screen)
    {
        QAbstractItemModel* model =
            screen.findChild<QTableView*>(QStringLiteral("DataGrid1"))->model();
        while (model->canFetchMore({}))
            model->fetchMore({});
        QStringList codes;
        for (int row = 0; row < model->rowCount(); ++row)
            codes << model->index(row, 0).data().toString();
        return codes;
    }
    // Replaces the selector's text key by key, as an operator would.
    static void retype(FrmCode& screen, const QString& name, const QString& text)
    {
        QLineEdit* edit = combo(screen, name)->lineEdit();
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        typeText(edit, text);
    }
};

void TestCodeFinder::opensWithEverySubject()
{
    TestHome home;
    enrolSubjects();
    FrmCode screen;
    screen.show();
    QCOMPARE(screen.windowTitle(), QStringLiteral("کد آزمودني"));
    QCOMPARE(gridCodes(screen), (QStringList{"C1", "C2", "C3", "C4", "C5"}));
    auto* grid = screen.findChild<QTableView*>(QStringLiteral("DataGrid1"));
    QStringList headings;
    for (int column = 0; column < grid->model()->columnCount(); ++column)
        headings << grid->model()->headerData(column, Qt::Horizontal).toString();
    QCOMPARE(headings, (QStringList{QStringLiteral("کد"), QStringLiteral("نام"),
                                    QStringLiteral("نام خانوادگي"), QStringLiteral("گروه")}));
    QCOMPARE(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(!(grid->model()->flags(grid->model()->index(0, 1)) & Qt::ItemIsEditable));
    bool captionShown = false;
    for (QLabel* label : screen.findChildren<QLabel*>())
        captionShown |= label->text() == QStringLiteral("مشخصات آزمودني") && label->isVisible();
    QVERIFY(captionShown);
    QCOMPARE(combo(screen, QStringLiteral("Combo3"))->currentText(), groupPrompt);
    QCOMPARE(combo(screen, QStringLiteral("DataCombo6"))->currentText(), QString());
    QCOMPARE(combo(screen, QStringLiteral("DataCombo1"))->currentText(), QString());
    // Each name once, in Persian alphabetical order (Persian script before Latin).
    QStringList firstNames;
    QComboBox* names = combo(screen, QStringLiteral("DataCombo6"));
    for (int i = 0; i < names->count(); ++i)
        firstNames << names->itemText(i);
    QCOMPARE(firstNames, (QStringList{"علی", "مریم", "نرگس", "Sean"}));
}

void TestCodeFinder::selectorsFilterAlone_data()
{
    QTest::addColumn<QString>("before"); // selector chosen first, to be blanked
    QTest::addColumn<QString>("beforeText");
    QTest::addColumn<QString>("selector");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("group") << "DataCombo1"
                           << "رضایی"
                           << "Combo3"
                           << "B" << QStringList{"C2", "C3", "C5"};
    QTest::newRow("family name after group") << "Combo3"
                                             << "B"
                                             << "DataCombo1"
                                             << "رضایی" << QStringList{"C1", "C2"};
    QTest::newRow("first name after family name") << "DataCombo1"
                                                  << "کریمی"
                                                  << "DataCombo6"
                                                  << "علی" << QStringList{"C1", "C3"};
    QTest::newRow("first name after group") << "Combo3"
                                            << "A"
                                            << "DataCombo6"
                                            << "نرگس" << QStringList{"C5"};
    QTest::newRow("name with a quote") << "Combo3"
                                       << "B"
                                       << "DataCombo1"
                                       << "O'Brien" << QStringList{"C4"};
    QTest::newRow("only whole names match") << "Combo3"
                                            << "B"
                                            << "DataCombo6"
                                            << "عل" << QStringList{};
    QTest::newRow("group emptied") << "Combo3"
                                   << "B"
                                   << "Combo3"
                                   << "" << QStringList{};
    QTest::newRow("lower-case group") << "DataCombo6"
                                      << "علی"
                                      << "Combo3"
                                      << "b" << QStringList{};
}

void TestCodeFinder::selectorsFilterAlone()
{
    QFETCH(QString, before);
    QFETCH(QString, beforeText);
    QFETCH(QString, selector);
    QFETCH(QString, text);
    QFETCH(QStringList, codes);
    TestHome home;
    enrolSubjects();
    FrmCode screen;
    screen.show();
    retype(screen, before, beforeText);
    QVERIFY(gridCodes(screen) != codes);
    retype(screen, selector, text);
    QCOMPARE(gridCodes(screen), codes);
    for (const QString name : {"Combo3", "DataCombo1", "DataCombo6"})
        QCOMPARE(combo(screen, name)->currentText(), name == selector ? text : QString());
}

// A click in a name list filters on its text, as choosing does: an empty list matches no one.
void TestCodeFinder::clickInNameListFiltersOnItsText()
{
    TestHome home;
    enrolSubjects();
    FrmCode screen;
    screen.show();
    retype(screen, QStringLiteral("Combo3"), QStringLiteral("B"));
    QTest::mouseClick(combo(screen, QStringLiteral("DataCombo1"))->lineEdit(), Qt::LeftButton);
    QCOMPARE(gridCodes(screen), QStringList());
    QCOMPARE(combo(screen, QStringLiteral("Combo3"))->currentText(), QString());
}

void TestCodeFinder::typingOffersNamesWithThatBeginning()
{
    TestHome home;
    enrolSubjects();
    Fixture::enrol({.code = QStringLiteral("C6"), .firstName = QStringLiteral("علیرضا")});
    FrmCode screen;
    screen.show();
    retype(screen, QStringLiteral("DataCombo6"), QStringLiteral("عل"));
    QAbstractItemModel* offered = combo(screen, QStringLiteral("DataCombo6"))->completer()->model();
    QStringList names;
    for (int row = 0; row < offered->rowCount(); ++row)
        names << offered->index(row, 0).data().toString();
    QCOMPARE(names, (QStringList{"علی", "علیرضا"}));
}

// The letters Persian adds to the Arabic alphabet (پ چ ژ ک گ ی) have code points after all the
// Arabic ones; the list must still read as a Persian reader expects. Older entries may hold the
// Arabic Kaf and Yeh, which are the same letters.
void TestCodeFinder::nameListsAreInPersianAlphabeticalOrder()
{
    TestHome home;
    const QStringList alphabetical{
        QStringLiteral("احمدی"), QStringLiteral("بهرامی"), QStringLiteral("پارسا"),
        QStringLiteral("چمران"), QStringLiteral("زارعی"),  QStringLiteral("ژاله"),
        QStringLiteral("كاظمی"), QStringLiteral("کریمی"),  QStringLiteral("گلزار"),
        QStringLiteral("نوری"),  QStringLiteral("یزدانی"), QStringLiteral("يگانه")};
    QStringList enrolled = alphabetical;
    std::reverse(enrolled.begin(), enrolled.end());
    for (qsizetype i = 0; i < enrolled.size(); ++i)
        Fixture::enrol({.code = QStringLiteral("P%1").arg(i), .familyName = enrolled[i]});
    FrmCode screen;
    screen.show();
    QComboBox* familyNames = combo(screen, QStringLiteral("DataCombo1"));
    QStringList listed;
    for (int row = 0; row < familyNames->count(); ++row)
        listed << familyNames->itemText(row);
    QCOMPARE(listed, alphabetical);
}

void TestCodeFinder::groupReport_data()
{
    QTest::addColumn<QString>("nameChosen");
    QTest::addColumn<QString>("group");
    using Lines = QList<QPair<int, QString>>;
    QTest::addColumn<Lines>("lines");
    QTest::newRow("group B") << ""
                             << "B" << Lines{{1, "C2"}, {2, "C3"}, {3, "C5"}};
    QTest::newRow("initial text") << "" << groupPrompt << Lines{};
    QTest::newRow("after a name choice") << "رضایی"
                                         << "" << Lines{};
}

void TestCodeFinder::groupReport()
{
    using Lines = QList<QPair<int, QString>>;
    QFETCH(QString, nameChosen);
    QFETCH(QString, group);
    QFETCH(Lines, lines);
    TestHome home;
    enrolSubjects();
    Fixture::setSetting(QStringLiteral("Name"), QStringLiteral("کلینیک مهر"));
    FrmCode screen;
    screen.show();
    if (group != groupPrompt)
        retype(screen, QStringLiteral("Combo3"), group);
    if (!nameChosen.isEmpty())
        retype(screen, QStringLiteral("DataCombo1"), nameChosen);
    ModalDriver driver;
    driver.box();
    QTest::mouseClick(screen.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QVERIFY(driver.done());
    QCOMPARE(Reports::files().size(), 1);
    QCOMPARE(Reports::detailLinesOf(Reports::files().first()), lines);
    const QString text = Reports::text(Reports::files().first());
    QVERIFY(text.contains(QStringLiteral("کلینیک مهر")));
    QVERIFY(text.contains(Reports::plain(QStringLiteral("رديف"))));
    QCOMPARE(screen.results().hasFilter(), false);
    QTest::mouseClick(screen.findChild<QPushButton*>(QStringLiteral("Command6")), Qt::LeftButton);
    QVERIFY(!screen.isVisible());
}

void TestCodeFinder::longGroupReportShowsProgressAndHoldsEveryRow()
{
    TestHome home;
    const QStringList codes = enrolLongGroup();
    FrmCode screen;
    screen.show();
    retype(screen, QStringLiteral("Combo3"), QStringLiteral("B"));
    int progressOutOf = -1; // the rows the progress dialog counts to
    ModalDriver driver;
    driver
        .then([&](QWidget* modal) {
            if (auto* progress = qobject_cast<QProgressDialog*>(modal))
                progressOutOf = progress->maximum();
        })
        .box();
    QTest::mouseClick(screen.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QVERIFY(driver.done());
    QCOMPARE(progressOutOf, codes.size());
    QCOMPARE(driver.boxes().size(), 1);
    QCOMPARE(driver.boxes().first().icon, QMessageBox::Information);
    QCOMPARE(Reports::files().size(), 1);
    QList<QPair<int, QString>> expected;
    for (int i = 0; i < codes.size(); ++i)
        expected.append({i + 1, codes[i]});
    QCOMPARE(Reports::detailLinesOf(Reports::files().first()), expected);
    QVERIFY(Reports::text(Reports::files().first()).count(QLatin1Char('\f')) >= 4);
    QCOMPARE(filesInReports().size(), 1); // no partial file beside it
}

void TestCodeFinder::stoppedGroupReportLeavesNothing()
{
    TestHome home;
    enrolLongGroup();
    FrmCode screen;
    screen.show();
    retype(screen, QStringLiteral("Combo3"), QStringLiteral("B"));
    ModalDriver driver;
    driver
        .then([](QWidget* modal) {
            if (auto* progress = qobject_cast<QProgressDialog*>(modal))
                progress->findChild<QPushButton*>()->click();
        })
        .box(); // a notice after the stop would be answered here, and caught below
    QTest::mouseClick(screen.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QCOMPARE(driver.boxes().size(), 0);
    QVERIFY(!driver.done());
    QCOMPARE(filesInReports(), QStringList());
    QVERIFY(screen.isVisible());
    QCOMPARE(screen.results().hasFilter(), false);
}

QTEST_MAIN(TestCodeFinder)
#include "tst_codefinder.moc"
