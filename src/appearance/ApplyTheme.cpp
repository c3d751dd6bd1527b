#include "appearance/ApplyTheme.h"

#include "appearance/ThemeFiles.h"
#include "text/NumericText.h"

#include <QWidget>

#include <array>

namespace {

constexpr int themeCount = 11;

const std::array<QString, themeCount>& standardTable()
{
    static const std::array<QString, themeCount> files{
        QStringLiteral("chizh.skn"),      QStringLiteral("Green.skn"),
        QStringLiteral("galaxy.skn"),     QStringLiteral("_temp.skn"),
        QStringLiteral("B-Studio.skn"),   QStringLiteral("Mac.skn"),
        QStringLiteral("O-Universe.skn"), QStringLiteral("metallic.skn"),
        QStringLiteral("Paper.skn"),      QStringLiteral("winaqua.skn"),
        QStringLiteral("office2007.skn"),
    };
    return files;
}

// The backup screen's table differs from the standard one in a single row.
constexpr int backupOwnNumber = 7;

QString backupOwnFile()
{
    return QStringLiteral("Zippo.skn");
}

} // namespace

QString ThemeFileFor(const QString& thText, ThemeTable table)
{
    const double value = numericValue(thText);
    for (int number = 1; number <= themeCount; ++number) {
        if (value != number)
            continue;
        if (table == ThemeTable::Backup && number == backupOwnNumber)
            return backupOwnFile();
        return standardTable().at(static_cast<std::size_t>(number - 1));
    }
    return {};
}

void ApplyTheme(QWidget* window, const QString& thText, ThemeTable table)
{
    const QString fileName = ThemeFileFor(thText, table);
    const QString styleSheet =
        fileName.isEmpty() ? QString() : ThemeFiles::readStyleSheet(fileName);
    const bool loaded = !styleSheet.trimmed().isEmpty();
    // Lets the theme draw the window's own background, gradients and pictures included.
    window->setAttribute(Qt::WA_StyledBackground, loaded);
    window->setStyleSheet(loaded ? styleSheet : QString());
    window->setProperty("themeFile", loaded ? fileName : QString());
}
