#include "support/ForeignFile.h"

#include "data/Schema.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

QStringList peek(const QString& path, const QString& sql)
{
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "peek");
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(sql, db);
            while (query.next())
                rows << query.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    return rows;
}

ForeignFile::ForeignFile(const QString& path, const QStringList& extra, bool keepLog,
                         const QString& codeType)
{
    const QString made = keepLog ? path + QStringLiteral(".src") : path;
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("foreign"));
    db_.setDatabaseName(made);
    db_.open();
    QStringList statements;
    for (QString statement : Schema::createStatements(Schema::subjectTables()))
        statements << statement.replace(QStringLiteral("[Code] TEXT"),
                                        QStringLiteral("[Code] ") + codeType);
    for (const char* code : {"B1", "B2", "B3"})
        statements << insertsFor(QString::fromLatin1(code));
    if (keepLog)
        statements << QStringLiteral("PRAGMA journal_mode = WAL")
                   << QStringLiteral("PRAGMA wal_autocheckpoint = 0");
    for (const QString& statement : statements + extra) {
        QSqlQuery query(db_);
        if (!query.exec(statement) && problem_.isEmpty())
            problem_ = statement + QStringLiteral(": ") + query.lastError().text();
    }
    if (!keepLog)
        return;
    // Copied while the log still holds the changes.
    const QString log = made + QStringLiteral("-wal");
    if (QFileInfo(log).size() == 0 || !QFile::copy(made, path) ||
        !QFile::copy(log, path + QStringLiteral("-wal")))
        problem_ += QStringLiteral(" the log was not kept");
}

ForeignFile::~ForeignFile()
{
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("foreign"));
}

QStringList ForeignFile::insertsFor(const QString& code)
{
    return {QStringLiteral("INSERT INTO IDE (Code, FName) VALUES ('%1', 'x')").arg(code),
            QStringLiteral("INSERT INTO Answer (Code) VALUES ('%1')").arg(code),
            QStringLiteral("INSERT INTO Print1 (Code, Score) VALUES ('%1', '5')").arg(code)};
}
