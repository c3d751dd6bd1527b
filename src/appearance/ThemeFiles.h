#pragma once

#include <QString>

// The theme files: their read-only defaults, and their copies in the program folder.
namespace ThemeFiles {
// Where the defaults come from for a program in executableFolder: the installed
// share/senvora/themes beside its bin/ when that folder exists, else the program's resources.
QString defaultsFolder(const QString& executableFolder);
// Writes each theme file of defaults that the folder lacks; existing files are left as they are.
void installMissing(const QString& folder, const QString& defaults = QStringLiteral(":/themes"));
} // namespace ThemeFiles
