#include "appearance/ThemePanel.h"

#include "appearance/PanelButton.h"
#include "appearance/SettingsCommit.h"
#include "data/Columns.h"
#include "data/RecordSet.h"
#include "ui/Twips.h"

#include <QLineEdit>
#include <QPushButton>

ThemePanel::ThemePanel(RecordSet& settings, QWidget* mainWindow)
    : QFrame(mainWindow), settings_(settings)
{
    setObjectName(QStringLiteral("Frame6"));
    setFrameShape(QFrame::StyledPanel);
    addThemeButton("Command45", QStringLiteral(" تم شماره 1"), 1);
    addThemeButton("Command44", QStringLiteral("تم شماره 2"), 2);
    addThemeButton("Command43", QStringLiteral("تم شماره 3"), 3);
    addThemeButton("Command42", QStringLiteral("تم شماره 4"), 4);
    addThemeButton("Command50", QStringLiteral(" تم شماره 5"), 5);
    addThemeButton("Command49", QStringLiteral("تم شماره 6"), 6);
    addThemeButton("Command48", QStringLiteral("تم شماره 7"), 7);
    addThemeButton("Command47", QStringLiteral("تم شماره 8"), 8);
    addThemeButton("Command41", QStringLiteral("تم شماره 9"), 9);
    addThemeButton("Command52", QStringLiteral("تم شماره 10 "), 10);
    addThemeButton("Command53", QStringLiteral("تم شماره 11"), 11);
    panelButton(this, QStringLiteral("Command46"), QStringLiteral("خروج"),
                twipsRect(720, 6900, 1185, 435), [this] { Command46_Click(); });
    hide();
}

void ThemePanel::addThemeButton(const char* name, const QString& caption, int number)
{
    panelButton(this, QString::fromLatin1(name), caption,
                twipsRect(240, 240 + 600 * (number - 1), 2145, 555),
                [this, number] { ThemeButton_Click(number); });
}

void ThemePanel::open()
{
    show();
    setGeometry(twipsRect(3420, 780, 2595, 7575));
}

void ThemePanel::Command46_Click()
{
    hide();
}

// The main window is told (and marks itself as closing for a restart) only once the theme is
// stored: while a failure is being told it is still the ordinary main window, whose close asks
// about a backup.
void ThemePanel::ThemeButton_Click(int number)
{
    // When nothing was stored the main window stays, and a later close is a normal exit.
    if (storeTheme(number))
        emit themeStored();
}

// The stored name and address are read again first, so that text left by the clinic panel's
// Cancel is not stored with the theme.
bool ThemePanel::storeTheme(int number)
{
    SettingsCommit write(settings_);
    settings_.refresh();
    settings_.setField(SettingsColumn::Theme, QString::number(number));
    const bool stored = write.commit(QStringLiteral("تم برنامه عوض نشد."));
    settings_.refresh();
    return stored;
}
