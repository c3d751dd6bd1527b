#include "appearance/ThemeFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace ThemeFiles {

void installMissing(const QString& folder)
{
    QDirIterator it(QStringLiteral(":/themes"), {QStringLiteral("*.skn")}, QDir::Files);
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
