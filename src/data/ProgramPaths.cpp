#include "data/ProgramPaths.h"

#include <QDir>

namespace ProgramPaths {

QString databaseFolder()
{
    return QStringLiteral("DBM");
}

QString settingsDatabase()
{
    return databaseFolder() + QStringLiteral("/DB.mdb");
}

QString subjectsDatabase()
{
    return databaseFolder() + QStringLiteral("/DB2.mdb");
}

QString backupFolder()
{
    return absolute(QStringLiteral("Back"));
}

QString reportsFolder()
{
    return absolute(QStringLiteral("Reports"));
}

QString themeFile(const QString& name)
{
    return absolute(name);
}

QString folder()
{
    return QDir::currentPath();
}

QString absolute(const QString& relative)
{
    return QDir::current().absoluteFilePath(relative);
}

} // namespace ProgramPaths
