#pragma once

#include <QString>

class QWidget;

// Which number-to-file table a screen uses: the backup screen differs for theme 7.
enum class ThemeTable
{
    Standard,
    Backup
};

// The theme file that the stored theme text selects, or the empty text when none does.
QString ThemeFileFor(const QString& thText, ThemeTable table = ThemeTable::Standard);

// Loads the selected theme file from the working folder and applies it to the window; sets
// the window's "themeFile" property to the loaded file's name (empty when none was loaded).
void ApplyTheme(QWidget* window, const QString& thText, ThemeTable table = ThemeTable::Standard);
