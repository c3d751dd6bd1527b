#pragma once

#include <QString>

// The theme files: their read-only defaults, and their copies in the program folder.
namespace ThemeFiles {
// Where the defaults come from for a program in executableFolder: the installed
// share/senvora/themes beside its bin/ when that folder exists, else the program's resources.
QString defaultsFolder(const QString& executableFolder);
// Writes each theme file of defaults that the folder lacks; existing files are left as they are.
void installMissing(const QString& folder, const QString& defaults = QStringLiteral(":/themes"));

// A real theme is a few kilobytes; anything larger is not one of ours.
inline constexpr qint64 maximumSize = 256 * 1024;

// The style sheet in the theme file at path, or the empty text when the file is not a usable
// theme: missing, not a regular file once links are followed (a folder, a pipe, a device),
// larger than maximumSize, unreadable, binary or not UTF-8. Never blocks and never reads more
// than maximumSize + 1 bytes.
QString readStyleSheet(const QString& path);
} // namespace ThemeFiles
