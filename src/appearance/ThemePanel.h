#pragma once

#include <QFrame>

class Frm1;

// Panel Frame6 of the main window: one button per theme and the panel's exit.
class ThemePanel : public QFrame
{
    Q_OBJECT

  public:
    explicit ThemePanel(Frm1* mainWindow);

    // Shows the panel at its place.
    void open();

  private:
    void addThemeButton(const char* name, const QString& caption, int number);
    void Command46_Click();
    // The click of the button for theme "number": stores it, opens the theme-applied screen
    // and closes the main window without the exit prompt.
    void ThemeButton_Click(int number);
    bool storeTheme(int number);

    Frm1* mainWindow_;
};
