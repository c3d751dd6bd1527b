#include "app/WindowFlow.h"

#include "app/Frm1.h"
#include "appearance/Frmskin.h"
#include "backup/exitpro.h"
#include "ui/WindowPlacement.h"
#include "ui/WindowRequests.h"

#include <QCoreApplication>
#include <QPointer>

namespace {

QPointer<exitpro> shownPrompt;

// The flow answers the screens' requests from the start of the application on.
void answerWindowRequests()
{
    QObject::connect(&WindowRequests::instance(), &WindowRequests::mainWindowWanted,
                     QCoreApplication::instance(), [] { WindowFlow::openMainWindow(); });
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(answerWindowRequests)

namespace WindowFlow {

void showExitPrompt(const QPoint& place)
{
    if (!shownPrompt || !shownPrompt->isVisible()) {
        shownPrompt = new exitpro;
        shownPrompt->setAttribute(Qt::WA_DeleteOnClose);
    }
    shownPrompt->move(place);
    shownPrompt->show();
}

void showThemedScreen()
{
    auto* screen = new Frmskin;
    screen->setAttribute(Qt::WA_DeleteOnClose);
    WindowPlacement::centre(screen, nullptr);
    screen->show();
}

QWidget* openMainWindow()
{
    return Frm1::openNew();
}

} // namespace WindowFlow
