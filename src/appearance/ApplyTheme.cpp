#include "appearance/ApplyTheme.h"

#include <QWidget>

QString ThemeFileFor(const QString&, ThemeTable)
{
    return {};
}

void ApplyTheme(QWidget* window, const QString& thText, ThemeTable table)
{
    window->setProperty("themeFile", ThemeFileFor(thText, table));
}
