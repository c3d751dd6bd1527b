#include "ui/ApplicationEnd.h"

#include <QApplication>
#include <QWidget>

namespace ApplicationEnd {

namespace {
bool ending = false;
bool quitsEventLoop = true;
} // namespace

void endNow()
{
    ending = true;
    for (QWidget* window : QApplication::topLevelWidgets())
        window->close();
    if (quitsEventLoop)
        QCoreApplication::exit(0);
}

bool isEnding()
{
    return ending;
}

void setQuitsEventLoop(bool quits)
{
    quitsEventLoop = quits;
}

void reset()
{
    ending = false;
}

} // namespace ApplicationEnd
