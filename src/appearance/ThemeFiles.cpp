#include "appearance/ThemeFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace ThemeFiles {

QString defaultsFolder(const QString& executableFolder)
{
    const QDir installed(executableFolder + QStringLiteral("/../share/senvora/themes"));
    if (installed.exists())
        return installed.canonicalPath();
    return QStringLiteral(":/themes");
}

void installMissing(const QString& folder, const QString& defaults)
{
    QDirIterator it(defaults, {QStringLiteral("*.skn")}, QDir::Files);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = QDir(folder).absoluteFilePath(QFileInfo(source).fileName());
        if (QFileInfo::exists(target))
            continue;
        if (QFile::copy(source, target))
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
}

} // namespace ThemeFiles
