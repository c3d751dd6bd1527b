#pragma once

#include <QString>

// Where the program keeps its files, inside the program folder (the working folder).
namespace ProgramPaths {

// The folder of the two database files, "DBM".
QString databaseFolder();
// The settings database ("DBM/DB.mdb") and the subjects database ("DBM/DB2.mdb"), relative.
QString settingsDatabase();
QString subjectsDatabase();
// Absolute folders of the backups ("Back") and of the reports written as PDF ("Reports").
QString backupFolder();
QString reportsFolder();
// The absolute path of a theme file, which lies in the program folder itself.
QString themeFile(const QString& name);
// The program folder itself, absolute.
QString folder();
// An absolute path for a path relative to the program folder.
QString absolute(const QString& relative);

} // namespace ProgramPaths
