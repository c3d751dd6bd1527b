#pragma once

#include <QSqlDatabase>
#include <QString>

// The two database files of the program folder: the settings file (one row: theme number,
// clinic name and address) and the subject file (IDE, Answer, Print1). Paths are relative to
// the working folder, which is the program folder.
class Database
{
  public:
    enum class File
    {
        Settings,
        Subjects
    };

    static QString relativePath(File file);
    static QString absolutePath(File file);

    // An open connection to the file, created with its tables when it is missing. An existing
    // file that is not one of ours is never changed: the connection is then invalid and
    // lastError() says why, in Persian, naming the file.
    static QSqlDatabase connection(File file);
    static QString lastError(File file);

    // Checks both files (creating missing ones); returns the Persian description of the first
    // problem, or the empty text when both are usable.
    static QString verify();

    // Whether the file at path is a usable subject database (opens, has IDE, Answer, Print1
    // with their columns, passes SQLite's quick check). Used before a restored file is put in
    // place.
    static bool isSubjectDatabase(const QString& path, QString* problem = nullptr);

    // Releases every connection, e.g. before the subject file is replaced.
    static void closeAll();

    static QStringList columns(File file, const QString& table);
};
