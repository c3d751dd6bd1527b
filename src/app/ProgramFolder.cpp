#include "app/ProgramFolder.h"

#include "appearance/ThemeFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ProgramFolder {

QString locate()
{
    const QString home = qEnvironmentVariable("SENVORA_HOME");
    if (!home.isEmpty())
        return QDir(home).absolutePath();
    const QDir executableFolder(QCoreApplication::applicationDirPath());
    if (executableFolder.exists(QStringLiteral("DBM")))
        return executableFolder.absolutePath();
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/Senvora");
}

QString prepare(const QString& folder)
{
    QDir dir(folder);
    for (const QString& sub :
         {QStringLiteral("."), QStringLiteral("DBM"), QStringLiteral("Back")}) {
        if (!dir.mkpath(sub))
            return QStringLiteral("پوشه «%1» ساخته نشد.").arg(dir.absoluteFilePath(sub));
    }
    if (!QDir::setCurrent(dir.absolutePath()))
        return QStringLiteral("پوشه «%1» باز نشد.").arg(dir.absolutePath());
    ThemeFiles::installMissing(dir.absolutePath(),
                               ThemeFiles::defaultsFolder(QCoreApplication::applicationDirPath()));
    return {};
}

} // namespace ProgramFolder
