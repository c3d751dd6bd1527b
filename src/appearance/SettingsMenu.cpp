#include "appearance/SettingsMenu.h"

#include "app/Frm1.h"

SettingsMenu::SettingsMenu(Frm1* mainWindow) : QFrame(mainWindow), mainWindow_(mainWindow)
{
    setObjectName(QStringLiteral("Frame8"));
    hide();
}

void SettingsMenu::open()
{
    show();
}
