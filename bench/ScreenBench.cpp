#include "ScreenBench.h"

#include "ActionNames.h"
#include "SubjectGenerator.h"
#include "SyncCounter.h"
#include "app/Frm1.h"
#include "data/Columns.h"
#include "data/RecordSet.h"
#include "lookup/FrmCode.h"
#include "questionnaire/Questionnaires.h"
#include "scoring/FrmkLID.h"
#include "scoring/PrintResultReport.h"
#include "support/TestSupport.h"
#include "testscreen/FrmTest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTextStream>

namespace {

constexpr int WindowReps = 15;
constexpr int HideReps = 200;
constexpr int SaveReps = 30;
constexpr int RunReps = 15;
constexpr int SearchReps = 30;
constexpr int FinderReps = 10;
constexpr int NamesPerOpen = 3;
constexpr int ReportReps = 5;
constexpr int ShownReps = 10;
constexpr int BackSteps = 5;
constexpr int GroupPrintReps = 3;

void note(const QString& text)
{
    QTextStream(stderr) << "  " << text << Qt::endl;
}

// Lets the screen handle what the last action posted, its repaint included.
void settle()
{
    QApplication::processEvents();
}

template <typename Screen> bool isScreen(QObject* object)
{
    return qobject_cast<Screen*>(object) != nullptr;
}

template <typename T> T* child(QWidget* parent, const char* name)
{
    return parent ? parent->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

void click(QWidget* parent, const char* name)
{
    if (auto* button = child<QAbstractButton>(parent, name))
        button->click();
    settle();
}

// Opens a modal screen from the menu, after the modal steps already given to driver, and
// returns the milliseconds until it was shown (negative when it was not). session runs on
// the shown screen, then exitButton closes it.
template <typename Screen>
double openScreen(QAbstractButton* menu, ModalDriver& driver, const char* exitButton,
                  const std::function<void(QWidget*)>& session)
{
    PaintProbe probe(&isScreen<Screen>);
    double shown = -1.0;
    driver.then([&](QWidget* screen) {
        if (!isScreen<Screen>(screen))
            return;
        shown = probe.waitShownMs();
        session(screen);
        click(screen, exitButton);
    });
    probe.start();
    menu->click();
    settle();
    return driver.done() ? shown : -1.0;
}

} // namespace

ScreenBench::ScreenBench(int subjects) : subjects_(subjects) {}

ScreenBench::~ScreenBench()
{
    delete window_;
}

QList<Series> ScreenBench::run()
{
    mainWindowShown();
    window_ = new Frm1;
    window_->show();
    settle();
    hidePanels();
    groupReport(); // before enrolment adds rows to Print1
    enrolmentSave();
    duplicateRefusal();
    runTestAndNext();
    scoringShown();
    scoringSearch();
    codeFinder();
    groupPrint();
    return series_;
}

Series& ScreenBench::series(const QString& action)
{
    for (Series& existing : series_) {
        if (existing.action == action)
            return existing;
    }
    series_.append({action, {}});
    return series_.last();
}

void ScreenBench::record(const QString& action, bool recorded, const std::function<void()>& fn)
{
    const qint64 syncsBefore = SyncCounter::syncs();
    const double ms = timeMs(fn);
    if (!recorded)
        return;
    series(action).ms << ms;
    series(action).syncs += SyncCounter::syncs() - syncsBefore;
}

QAbstractButton* ScreenBench::menuButton(const char* name) const
{
    return child<QAbstractButton>(window_, name);
}

void ScreenBench::repeat(const QString& action, int reps,
                         const std::function<double(int rep)>& once)
{
    for (int rep = 0; rep <= reps; ++rep) {
        const qint64 syncsBefore = SyncCounter::syncs();
        const double ms = once(rep);
        if (ms < 0) {
            note(QStringLiteral("%1: failed at repetition %2; dropped").arg(action).arg(rep));
            series(action).ms.clear();
            return;
        }
        if (rep > 0) {
            series(action).ms << ms;
            series(action).syncs += SyncCounter::syncs() - syncsBefore;
        }
    }
}

// Subjects are taken from across the whole table, each purpose from its own stretch, so one
// action's writes never change what another expects.
int ScreenBench::subjectFor(int purpose, int rep) const
{
    const int stretch = subjects_ / 4;
    int index = purpose * stretch + (rep * 7919) % std::max(1, stretch - 20);
    while (!SubjectGenerator::hasTakenTest(index))
        ++index;
    return index;
}

void ScreenBench::mainWindowShown()
{
    PaintProbe probe(&isScreen<Frm1>);
    const auto once = [&probe](int) {
        probe.start();
        auto* window = new Frm1;
        window->show();
        const double ms = probe.waitShownMs();
        delete window;
        return ms;
    };
    series(ActionName::FirstWindow).ms << once(0);
    repeat(ActionName::Window, WindowReps, once);
}

void ScreenBench::hidePanels()
{
    repeat(ActionName::HidePanels, HideReps, [this](int) {
        return timeMs([this] {
            window_->HidePanels();
            settle();
        });
    });
}

// Opens the enrolment panel and fills every entry.
void ScreenBench::fillEnrolment(const QString& code, int rep)
{
    click(window_, "Command1");
    child<QLineEdit>(window_, "Text11")->setText(code);
    child<QLineEdit>(window_, "Text6")->setText(SubjectGenerator::firstNameOf(rep));
    child<QLineEdit>(window_, "Text4")->setText(QStringLiteral("بهرامی"));
    child<QLineEdit>(window_, "Text5")->setText(QStringLiteral("71"));
    child<QLineEdit>(window_, "Text7")->setText(QStringLiteral("دیپلم"));
    for (const char* combo : {"Combo1", "Combo2", "Combo3"})
        child<QComboBox>(window_, combo)->setCurrentIndex(rep % 2);
}

void ScreenBench::enrolmentSave()
{
    repeat(ActionName::EnrolmentSave, SaveReps, [this](int rep) {
        fillEnrolment(QStringLiteral("enrol-%1").arg(rep), rep);
        ModalDriver refusal;
        refusal.notice();
        const double ms = timeMs([this] { click(window_, "Command8"); });
        if (!refusal.boxes().isEmpty()) {
            note(QStringLiteral("enrolment Save refused: ") + refusal.lastText());
            return -1.0;
        }
        return ms;
    });
}

// Save with the code of a subject already enrolled: the check finds it and says so.
void ScreenBench::duplicateRefusal()
{
    repeat(ActionName::Duplicate, SaveReps, [this](int rep) {
        fillEnrolment(SubjectGenerator::codeOf(subjectFor(2, rep)), rep);
        ModalDriver refusal;
        refusal.notice();
        const double ms = timeMs([this] { click(window_, "Command8"); });
        if (!refusal.done()) {
            note(QStringLiteral("duplicate code: no refusal"));
            return -1.0;
        }
        return ms;
    });
}

void ScreenBench::runTestAndNext()
{
    repeat(ActionName::RunTest, RunReps, [&](int rep) {
        const int subject = subjectFor(0, rep);
        ModalDriver driver;
        driver.input(SubjectGenerator::codeOf(subject));
        return openScreen<FrmTest>(
            menuButton("Command2"), driver, "Command5",
            [&](QWidget* screen) { answerAndStep(screen, subject, rep > 0); });
    });
}

// Start, then for items 1 to 14: the answer opposite to the stored one (so that Next always
// writes), and Next, timed.
void ScreenBench::answerAndStep(QWidget* testScreen, int subject, bool recorded)
{
    click(testScreen, "Command1");
    const QString stored = SubjectGenerator::answersOf(subject);
    for (int item = 1; item < Questionnaires::geriatricDepression().itemCount(); ++item) {
        const bool yes = stored.mid(item - 1, 1) != Questionnaire::Yes;
        click(testScreen, yes ? "Option1" : "Option2");
        record(ActionName::Next, recorded, [testScreen] { click(testScreen, "CmdNext"); });
    }
    lastItemAndBack(testScreen, recorded);
}

// On the last item: an answer changed, Next (it stores and says the test is over), then a few
// steps Back, each after changing the answer so that every step stores it.
void ScreenBench::lastItemAndBack(QWidget* testScreen, bool recorded)
{
    const auto changeAnswer = [testScreen] {
        const bool yes = child<QRadioButton>(testScreen, "Option1")->isChecked();
        click(testScreen, yes ? "Option2" : "Option1");
    };
    changeAnswer();
    ModalDriver end;
    end.notice();
    record(ActionName::LastItem, recorded, [testScreen] { click(testScreen, "CmdNext"); });
    if (!end.done())
        note(QStringLiteral("last item: no notice"));
    for (int step = 0; step < BackSteps; ++step) {
        changeAnswer();
        record(ActionName::Back, recorded, [testScreen] { click(testScreen, "CmdBack"); });
    }
}

void ScreenBench::scoringShown()
{
    repeat(ActionName::ScoringShown, ShownReps, [this](int) {
        ModalDriver driver;
        return openScreen<FrmkLID>(menuButton("Command3"), driver, "Command4", [](QWidget*) {});
    });
}

void ScreenBench::scoringSearch()
{
    ModalDriver driver;
    openScreen<FrmkLID>(menuButton("Command3"), driver, "Command4",
                        [this](QWidget* screen) { searchSubjects(screen); });
}

void ScreenBench::searchSubjects(QWidget* scoringScreen)
{
    auto* score = child<QLineEdit>(scoringScreen, "Txt6");
    repeat(ActionName::Search, SearchReps, [&](int rep) {
        const int subject = subjectFor(1, rep);
        ModalDriver input;
        input.input(SubjectGenerator::codeOf(subject));
        const double ms = timeMs([scoringScreen] { click(scoringScreen, "Command1"); });
        const QString expected = QString::number(SubjectGenerator::scoreOf(subject));
        if (!input.done() || score->text() != expected) {
            note(QStringLiteral("scoring search: score %1, expected %2")
                     .arg(score->text(), expected));
            return -1.0;
        }
        return ms;
    });
}

void ScreenBench::codeFinder()
{
    repeat(ActionName::Finder, FinderReps, [&](int rep) {
        ModalDriver driver;
        return openScreen<FrmCode>(menuButton("Command4"), driver, "Command6",
                                   [&](QWidget* screen) {
                                       const bool recorded = rep > 0;
                                       typeNames(screen, "DataCombo6", ActionName::Keystroke,
                                                 &SubjectGenerator::firstNameOf, recorded);
                                       typeNames(screen, "DataCombo1", ActionName::FamilyKeystroke,
                                                 &SubjectGenerator::familyNameOf, recorded);
                                       chooseGroups(screen, recorded);
                                   });
    });
}

// Types whole names into a name selector, timing every keystroke (each one filters the grid).
void ScreenBench::typeNames(QWidget* codeFinder, const char* selectorName, const QString& action,
                            const std::function<QString(int)>& nameOf, bool recorded)
{
    auto* selector = child<QComboBox>(codeFinder, selectorName);
    if (!selector || !selector->lineEdit())
        return;
    for (int name = 0; name < NamesPerOpen; ++name) {
        selector->lineEdit()->clear();
        settle();
        const QString text = nameOf(namesTyped_++);
        for (const QChar key : text) {
            record(action, recorded, [&] {
                typeText(selector->lineEdit(), QString(key));
                settle();
            });
        }
    }
}

// Chooses every group in turn in the group selector (each choice filters the grid).
void ScreenBench::chooseGroups(QWidget* codeFinder, bool recorded)
{
    auto* groups = child<QComboBox>(codeFinder, "Combo3");
    for (int index = 0; groups && index < groups->count(); ++index) {
        record(ActionName::GroupChosen, recorded, [&] {
            groups->setCurrentIndex(index);
            settle();
        });
    }
}

// The report of one group of 1,000 subjects; below 7,000 subjects no group is that large and
// the whole table (1,000 rows at the small size) is printed instead.
void ScreenBench::groupReport()
{
    RecordSet rows(Database::File::Subjects, TableName::Results);
    if (SubjectGenerator::hasReportGroup(subjects_))
        rows.setFilter(SubjectColumn::Group, SubjectGenerator::reportGroup());
    else
        rows.refresh();
    const int expected = rows.recordCount();
    repeat(ActionName::Report, ReportReps, [&](int) {
        ModalDriver whereItIs;
        whereItIs.box();
        ReportOutcome outcome;
        const double ms = timeMs([&] { outcome = PrintResultReport(window_, rows); });
        QFile::remove(outcome.pdfPath);
        if (!outcome.printed || outcome.lines != expected) {
            note(QStringLiteral("group report: %1 of %2 lines printed; %3")
                     .arg(outcome.lines)
                     .arg(expected)
                     .arg(whereItIs.lastText()));
            return -1.0;
        }
        return ms;
    });
}

// The code finder's Print of a real group (about a sixth of the registry), as the operator
// meets it: group chosen, Print, until the notice that says where the PDF is. The longest
// time the event loop waited during it is kept beside it.
void ScreenBench::groupPrint()
{
    RecordSet rows(Database::File::Subjects, QStringLiteral("Print1"));
    rows.setFilter(QStringLiteral("Group"), SubjectGenerator::RealGroup);
    groupPrintRows_ = rows.recordCount();
    repeat(ActionName::GroupPrint, GroupPrintReps, [&](int rep) {
        ModalDriver driver;
        double ms = -1.0;
        openScreen<FrmCode>(menuButton("Command4"), driver, "Command6",
                            [&](QWidget* screen) { ms = printGroup(screen, rep > 0); });
        return ms;
    });
}

double ScreenBench::printGroup(QWidget* codeFinder, bool recorded)
{
    auto* groups = child<QComboBox>(codeFinder, "Combo3");
    groups->setCurrentIndex(groups->findText(SubjectGenerator::RealGroup));
    settle();
    ModalDriver whereItIs;
    whereItIs.box();
    EventLoopGap gap;
    const double ms = timeMs([codeFinder] { click(codeFinder, "Command1"); });
    const double longestGap = gap.longestMs();
    QDir(QStringLiteral("Reports")).removeRecursively();
    if (!whereItIs.done() || whereItIs.boxes().first().icon != QMessageBox::Information) {
        note(QStringLiteral("code finder Print: ") + whereItIs.lastText());
        return -1.0;
    }
    if (recorded)
        series(ActionName::PrintGap).ms << longestGap;
    return ms;
}
