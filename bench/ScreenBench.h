#pragma once

#include "Measure.h"

#include <QList>
#include <QString>

#include <functional>

class Frm1;
class QAbstractButton;

// Drives the real screens over the generated program folder (the working folder) as an
// operator would, and times every action. An action that fails is dropped with a note on
// standard error.
class ScreenBench
{
  public:
    explicit ScreenBench(int subjects);
    ~ScreenBench();

    QList<Series> run();
    // Rows of the real group printed by the code finder's Print (0 when not measured).
    int groupPrintRows() const { return groupPrintRows_; }

  private:
    void mainWindowShown();
    void hidePanels();
    void fillEnrolment(const QString& code, int rep);
    void enrolmentSave();
    void duplicateRefusal();
    void runTestAndNext();
    void answerAndStep(QWidget* testScreen, int subject, bool recorded);
    void lastItemAndBack(QWidget* testScreen, bool recorded);
    void scoringShown();
    void scoringSearch();
    void searchSubjects(QWidget* scoringScreen);
    void codeFinder();
    void typeNames(QWidget* codeFinder, const char* selectorName, const QString& action,
                   const std::function<QString(int)>& nameOf, bool recorded);
    void chooseGroups(QWidget* codeFinder, bool recorded);
    void groupReport();
    void groupPrint();
    double printGroup(QWidget* codeFinder, bool recorded);

    Series& series(const QString& action);
    // Times fn and, when recorded, adds its time and sync calls to the action's series.
    void record(const QString& action, bool recorded, const std::function<void()>& fn);
    QAbstractButton* menuButton(const char* name) const;
    // Runs once unrecorded (warm-up), then reps times into the action's series. once returns
    // the milliseconds of one run, or a negative value when the action failed.
    void repeat(const QString& action, int reps, const std::function<double(int rep)>& once);
    int subjectFor(int purpose, int rep) const;

    int subjects_;
    Frm1* window_ = nullptr;
    int namesTyped_ = 0;
    QList<Series> series_;
    int groupPrintRows_ = 0;
};
