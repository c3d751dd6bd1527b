#pragma once

// Drives the real screens the way an operator does: enrol a subject on the main window's
// panel, answer the fifteen items on the test screen, score on the scoring screen. Each step
// returns whether the interface confirmed it (no refusal, the screen closed as expected).

#include <QString>

#include <functional>

class Frm1;

namespace ScreenDriver {

struct Enrolment
{
    QString code;
    QString firstName = QStringLiteral("علی");
    QString familyName = QStringLiteral("رضایی");
    QString age = QStringLiteral("72");
    QString education = QStringLiteral("دیپلم");
    int gender = 0;  // index in the gender list
    int marital = 1; // index in the marital-status list
    int group = 0;   // index in the group list ("A" … "G")
};

// Called before each operator step (a click, a typed box); the crash test counts these.
void setStepHook(std::function<void()> hook);

// refusal, when given, receives the text of the box that refused the enrolment.
bool enrol(Frm1& window, const Enrolment& subject, QString* refusal = nullptr);
// answers: fifteen characters '1' (yes) or '0' (no).
bool answerTest(Frm1& window, const QString& code, const QString& answers);
// Searches the subject on the scoring screen; the score shown afterwards, or -1.
int score(Frm1& window, const QString& code);

} // namespace ScreenDriver
