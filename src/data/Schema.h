#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// Table definitions of the two database files.
struct TableSchema
{
    QString name;
    QStringList columns; // without the database-assigned ID
    bool hasId;
    QHash<QString, QString> declared = {}; // column -> its declaration, when not plain TEXT
    QString constraint = {};               // a table constraint, e.g. UNIQUE(...)
    bool addedLater = false; // missing in files of earlier versions: created when they are opened
};

namespace Schema {

// The two kinds of store: the SQLite files, and a PostgreSQL server holding the subject tables.
enum class Dialect
{
    SQLite,
    PostgreSQL
};

// The version of the subject tables' layout a server holds (table SenvoraSchema); a program
// refuses a server whose version is newer than its own.
inline constexpr int Version = 1;
inline const QString VersionTable = QStringLiteral("SenvoraSchema");

QList<TableSchema> settingsTables();
QList<TableSchema> subjectTables();
// On SQLite the statements are kept word for word as earlier versions wrote them, so that the
// schema stored in existing files stays recognisably ours. On a server the subject codes are
// unique and every text compares by code point, as SQLite compares.
QStringList createStatements(const QList<TableSchema>& tables, Dialect dialect = Dialect::SQLite);
QStringList indexStatements(const QList<TableSchema>& tables, Dialect dialect = Dialect::SQLite);
// "name": always an identifier, never a string, in both dialects.
QString quoted(const QString& identifier);

} // namespace Schema
