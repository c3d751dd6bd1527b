#pragma once

// Every screen, panel and box of the application in the states an operator sees them, for
// tests and pictures that must cover them all. Each entry builds its window, brings it to its
// state, hands the shown window to the visitor and closes it again. A fresh program folder
// with seeded subjects must be the working folder; the stored theme decides the look.

#include <QList>
#include <QString>

#include <functional>
#include <memory>

class QWidget;
class TestHome;

namespace ScreenCatalogue {

using Visitor = std::function<void(QWidget* window)>;

struct Entry
{
    QString name;
    std::function<void(const Visitor& visit)> run;
    // Faults that are the design, by the start of their line (the widget's path from the
    // window): widgets that move on purpose, places that overlap on purpose.
    QStringList byDesign = {};
};

// Seeds the subjects the screens show (call once in the fresh program folder).
void seed();
const QList<Entry>& entries();

// For a test over the catalogue: a fresh program folder with the themes and seeded subjects;
// the data columns "theme" and "entry" with a row for every entry in each of the eleven
// themes; and the run of one row's entry in its theme.
std::unique_ptr<TestHome> seededHome();
void addRowsForEveryTheme();
void runRow(int theme, int entry, const std::function<void(QWidget*, const Entry&)>& visit);

} // namespace ScreenCatalogue
