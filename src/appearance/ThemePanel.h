#pragma once

#include <QFrame>

class RecordSet;

// Panel Frame6 of the main window: one button per theme and the panel's exit.
class ThemePanel : public QFrame
{
    Q_OBJECT

  public:
    ThemePanel(RecordSet& settings, QWidget* mainWindow);

    // Shows the panel at its place.
    void open();

  signals:
    // A theme was stored: the theme-applied screen is to follow, and the main window to close
    // without the exit prompt.
    void themeStored();

  private:
    void addThemeButton(const char* name, const QString& caption, int number);
    void Command46_Click();
    // The click of the button for theme "number": stores it and tells so.
    void ThemeButton_Click(int number);
    bool storeTheme(int number);

    RecordSet& settings_;
};
