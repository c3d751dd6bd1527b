#include "appearance/ThemePanel.h"

#include "app/Frm1.h"

ThemePanel::ThemePanel(Frm1* mainWindow) : QFrame(mainWindow), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("Frame6"));
    hide();
}

void ThemePanel::open()
{
    show();
}
