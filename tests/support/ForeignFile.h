#pragma once

// Subject files as another program (the sqlite3 tool, an older version) leaves them, and a
// plain SQLite reader that shares nothing with the application's own database layer.

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The first column of each row a query gives on a plain connection to the file.
QStringList peek(const QString& path, const QString& sql);

// A subject file made by another program: our tables (Code declared as codeType), the
// subjects B1, B2 and B3, then the extra statements. With keepLog the extra statements run in
// WAL mode and, while the object lives, their changes are still in the log beside path.
class ForeignFile
{
  public:
    ForeignFile(const QString& path, const QStringList& extra, bool keepLog = false,
                const QString& codeType = QStringLiteral("TEXT"));
    ~ForeignFile();
    ForeignFile(const ForeignFile&) = delete;
    ForeignFile& operator=(const ForeignFile&) = delete;

    // The rows of one subject in IDE, Answer and Print1 (score 5).
    static QStringList insertsFor(const QString& code);
    // Empty when the file was made as asked, else what went wrong.
    QString problem() const { return problem_; }

  private:
    QSqlDatabase db_;
    QString problem_;
};
