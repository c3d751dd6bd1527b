#pragma once

#include <QFrame>

// Panel Frame8 of the main window: the settings menu, which asks for the theme panel or the
// clinic panel beside itself. Each request starts from a main window with no panel open; the
// menu then shows itself again before the chosen panel opens.
class SettingsMenu : public QFrame
{
    Q_OBJECT

  public:
    explicit SettingsMenu(QWidget* mainWindow);

    // Shows the panel at its place.
    void open();

  signals:
    // The main window's panels are to be hidden (this menu among them).
    void panelsHideRequested();
    void themePanelRequested();
    void clinicPanelRequested();

  private:
    void Command68_Click();
    void Command67_Click();
    void Command69_Click();
    void reopenBeside();
};
