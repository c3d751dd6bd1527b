#include "appearance/ThemeBox.h"

#include "data/Columns.h"
#include "data/RecordSet.h"
#include "ui/HiddenBox.h"

#include <QLineEdit>

QLineEdit* themeBox(QWidget* screen, RecordSet& settings, const QString& boxName)
{
    QLineEdit* box = hiddenBox(screen, boxName);
    settings.bind(box, SettingsColumn::Theme);
    return box;
}
