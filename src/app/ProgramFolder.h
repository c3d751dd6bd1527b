#pragma once

#include <QString>

// The program folder: SENVORA_HOME if set; else the executable's folder when it holds DBM
// (a portable install); else the per-user data folder. prepare() creates it with DBM/ and
// Back/ and the theme files (copied from the installed defaults), and makes it the working
// folder. Nothing is ever written beside an installed executable.
namespace ProgramFolder {
QString locate();
// Returns the Persian description of a failure, or the empty text.
QString prepare(const QString& folder);
} // namespace ProgramFolder
