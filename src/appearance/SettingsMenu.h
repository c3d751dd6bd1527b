#pragma once

#include <QFrame>

class Frm1;

// Panel Frame8 of the main window: the settings menu, which opens the theme panel or the
// clinic panel beside itself.
class SettingsMenu : public QFrame
{
    Q_OBJECT

  public:
    explicit SettingsMenu(Frm1* mainWindow);

    // Shows the panel at its place.
    void open();

  private:
    void Command68_Click();
    void Command67_Click();
    void Command69_Click();
    void reopenBeside();

    Frm1* mainWindow_;
};
