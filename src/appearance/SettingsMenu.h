#pragma once

#include <QFrame>

class Frm1;

// Panel Frame8 of the main window.
class SettingsMenu : public QFrame
{
    Q_OBJECT

  public:
    explicit SettingsMenu(Frm1* mainWindow);

    // Shows the panel at its place.
    void open();

  private:
    Frm1* mainWindow_;
};
