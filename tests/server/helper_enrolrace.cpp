// One workstation of a race: enrols the codes given as arguments through the real main window,
// in its working folder, on the store SENVORA_DATABASE names. Prints "ready" and waits for a
// line on standard input, so that several start at once; then prints, a line per code,
// "<code><TAB>saved" or "<code><TAB>refused<TAB><the box's text>".

#include "app/Frm1.h"
#include "support/ScreenDriver.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Frm1 window;
    window.show();
    QTextStream out(stdout);
    out << "ready" << Qt::endl;
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        return 1;
    for (const QString& code : QCoreApplication::arguments().mid(1)) {
        QString refusal;
        if (ScreenDriver::enrol(window, {.code = code}, &refusal))
            out << code << "\tsaved" << Qt::endl;
        else
            out << code << "\trefused\t" << refusal.simplified() << Qt::endl;
    }
    return 0;
}
