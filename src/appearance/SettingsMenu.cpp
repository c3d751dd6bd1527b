#include "appearance/SettingsMenu.h"

#include "appearance/ClinicPanel.h"
#include "appearance/PanelButton.h"
#include "appearance/ThemePanel.h"
#include "ui/Twips.h"

SettingsMenu::SettingsMenu(QWidget* mainWindow) : QFrame(mainWindow)
{
    setObjectName(QStringLiteral("Frame8"));
    setFrameShape(QFrame::StyledPanel);
    panelButton(this, QStringLiteral("Command68"), QStringLiteral("تغيير تم برنامه"),
                twipsRect(120, 240, 1905, 555), [this] { Command68_Click(); });
    panelButton(this, QStringLiteral("Command67"), QStringLiteral(" تعريف نام کلينيک"),
                twipsRect(120, 840, 1905, 555), [this] { Command67_Click(); });
    panelButton(this, QStringLiteral("Command69"), QStringLiteral("خروج"),
                twipsRect(480, 1500, 1185, 435), [this] { Command69_Click(); });
    hide();
}

void SettingsMenu::open()
{
    show();
    setGeometry(twipsRect(6060, 3780, 2175, 2055));
}

// Every opener starts from a main window with no panel open, then shows this menu again.
void SettingsMenu::reopenBeside()
{
    emit panelsHideRequested();
    show();
}

void SettingsMenu::Command68_Click()
{
    reopenBeside();
    emit themePanelRequested();
}

void SettingsMenu::Command67_Click()
{
    reopenBeside();
    emit clinicPanelRequested();
}

void SettingsMenu::Command69_Click()
{
    emit panelsHideRequested();
}
