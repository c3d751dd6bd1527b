#include "appearance/SettingsMenu.h"

#include "app/Frm1.h"
#include "app/Twips.h"
#include "appearance/ClinicPanel.h"
#include "appearance/PanelButton.h"
#include "appearance/ThemePanel.h"

SettingsMenu::SettingsMenu(Frm1* mainWindow) : QFrame(mainWindow), mainWindow_(mainWindow)
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
    mainWindow_->HidePanels();
    show();
}

void SettingsMenu::Command68_Click()
{
    reopenBeside();
    mainWindow_->themePanel()->open();
}

void SettingsMenu::Command67_Click()
{
    reopenBeside();
    mainWindow_->clinicPanel()->open();
}

void SettingsMenu::Command69_Click()
{
    mainWindow_->HidePanels();
}
