#pragma once

#include <QString>

// The theme files kept in the program's resources and written into the program folder.
namespace ThemeFiles {
// Writes each theme file that the folder lacks; existing files are left as they are.
void installMissing(const QString& folder);
} // namespace ThemeFiles
