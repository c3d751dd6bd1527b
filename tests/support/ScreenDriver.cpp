#include "support/ScreenDriver.h"

#include "app/Frm1.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

namespace ScreenDriver {

namespace {

std::function<void()> stepHook;

void step()
{
    if (stepHook)
        stepHook();
}

template <typename T> T* child(QWidget* parent, const char* name)
{
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("control %s not found on %s", name, qPrintable(parent->objectName()));
    return found;
}

void click(QWidget* parent, const char* name)
{
    step();
    child<QAbstractButton>(parent, name)->click();
}

void fill(QWidget* parent, const char* name, const QString& text)
{
    step();
    child<QLineEdit>(parent, name)->setText(text);
}

void choose(QWidget* parent, const char* name, int index)
{
    step();
    auto* combo = child<QComboBox>(parent, name);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

} // namespace

void setStepHook(std::function<void()> hook)
{
    stepHook = std::move(hook);
}

bool enrol(Frm1& window, const Enrolment& s, QString* refusal)
{
    ModalDriver refusals; // no box may appear: any box is a refusal
    refusals.box();
    click(&window, "Command1");
    QWidget* panel = child<QWidget>(&window, "Frame10");
    fill(panel, "Text11", s.code);
    fill(panel, "Text6", s.firstName);
    fill(panel, "Text4", s.familyName);
    fill(panel, "Text5", s.age);
    choose(panel, "Combo1", s.marital);
    choose(panel, "Combo2", s.gender);
    choose(panel, "Combo3", s.group);
    fill(panel, "Text7", s.education);
    click(panel, "Command8");
    if (refusal)
        *refusal = refusals.lastText();
    return refusals.boxes().isEmpty() && !panel->isVisible();
}

bool answerTest(Frm1& window, const QString& code, const QString& answers)
{
    bool saved = false;
    ModalDriver driver;
    driver.input(code).then([&](QWidget* screen) {
        click(screen, "Command1");
        for (int item = 1; item <= 15; ++item) {
            click(screen, answers.at(item - 1) == QLatin1Char('1') ? "Option1" : "Option2");
            if (item < 15)
                click(screen, "CmdNext");
        }
        click(screen, "Command5");
        saved = !screen->isVisible();
    });
    click(&window, "Command2");
    return driver.done() && saved;
}

int score(Frm1& window, const QString& code)
{
    int shown = -1;
    ModalDriver driver;
    driver
        .then([&](QWidget* screen) {
            click(screen, "Command1");
            bool ok = false;
            const int value = child<QLineEdit>(screen, "Txt6")->text().toInt(&ok);
            shown = ok ? value : -1;
            click(screen, "Command4");
        })
        .input(code);
    click(&window, "Command3");
    return driver.done() ? shown : -1;
}

} // namespace ScreenDriver
