#include "appearance/ApplyTheme.h"

#include "data/NumericText.h"

#include <QFile>
#include <QStringDecoder>
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

// A theme file's text, or the empty text when it is missing, unreadable or not a text file
// (a theme file of another program, for one, is binary).
QString readStyleSheet(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError || bytes.contains('\0'))
        return {};
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(bytes);
    return decode.hasError() ? QString() : text;
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
    const QString styleSheet = fileName.isEmpty() ? QString() : readStyleSheet(fileName);
    const bool loaded = !styleSheet.trimmed().isEmpty();
    // Lets the theme draw the window's own background, gradients and pictures included.
    window->setAttribute(Qt::WA_StyledBackground, loaded);
    window->setStyleSheet(loaded ? styleSheet : QString());
    window->setProperty("themeFile", loaded ? fileName : QString());
}
