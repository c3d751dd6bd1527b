#include "ScreenBench.h"

#include "ActionNames.h"
#include "SubjectGenerator.h"
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
#include <QFile>
#include <QLineEdit>
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
    runTestAndNext();
    scoringSearch();
    codeFinder();
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

QAbstractButton* ScreenBench::menuButton(const char* name) const
{
    return child<QAbstractButton>(window_, name);
}

void ScreenBench::repeat(const QString& action, int reps,
                         const std::function<double(int rep)>& once)
{
    for (int rep = 0; rep <= reps; ++rep) {
        const double ms = once(rep);
        if (ms < 0) {
            note(QStringLiteral("%1: failed at repetition %2; dropped").arg(action).arg(rep));
            series(action).ms.clear();
            return;
        }
        if (rep > 0)
            series(action).ms << ms;
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

void ScreenBench::enrolmentSave()
{
    repeat(ActionName::EnrolmentSave, SaveReps, [this](int rep) {
        click(window_, "Command1");
        child<QLineEdit>(window_, "Text11")->setText(QStringLiteral("enrol-%1").arg(rep));
        child<QLineEdit>(window_, "Text6")->setText(SubjectGenerator::firstNameOf(rep));
        child<QLineEdit>(window_, "Text4")->setText(QStringLiteral("بهرامی"));
        child<QLineEdit>(window_, "Text5")->setText(QStringLiteral("71"));
        child<QLineEdit>(window_, "Text7")->setText(QStringLiteral("دیپلم"));
        for (const char* combo : {"Combo1", "Combo2", "Combo3"})
            child<QComboBox>(window_, combo)->setCurrentIndex(rep % 2);
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
        const double ms = timeMs([testScreen] { click(testScreen, "CmdNext"); });
        if (recorded)
            series(ActionName::Next).ms << ms;
    }
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
                                   [&](QWidget* screen) { typeNames(screen, rep > 0); });
    });
}

// Types whole first names into the first-name selector, timing every keystroke (each one
// filters the grid).
void ScreenBench::typeNames(QWidget* codeFinder, bool recorded)
{
    auto* selector = child<QComboBox>(codeFinder, "DataCombo6");
    if (!selector || !selector->lineEdit())
        return;
    for (int name = 0; name < NamesPerOpen; ++name) {
        selector->lineEdit()->clear();
        settle();
        const QString text = SubjectGenerator::firstNameOf(namesTyped_++);
        for (const QChar key : text) {
            const double ms = timeMs([&] {
                typeText(selector->lineEdit(), QString(key));
                settle();
            });
            if (recorded)
                series(ActionName::Keystroke).ms << ms;
        }
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
