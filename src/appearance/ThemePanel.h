#pragma once

#include <QFrame>

class Frm1;

// Panel Frame6 of the main window.
class ThemePanel : public QFrame
{
    Q_OBJECT

  public:
    explicit ThemePanel(Frm1* mainWindow);

    // Shows the panel at its place.
    void open();

  private:
    Frm1* mainWindow_;
};
