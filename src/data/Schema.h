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
QList<TableSchema> settingsTables();
QList<TableSchema> subjectTables();
QStringList createStatements(const QList<TableSchema>& tables);
QStringList indexStatements(const QList<TableSchema>& tables);
QString quoted(const QString& identifier); // [name]: always an identifier, never a string
} // namespace Schema
