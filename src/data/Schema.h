#pragma once

#include <QString>
#include <QStringList>

// Table definitions of the two database files.
struct TableSchema
{
    QString name;
    QStringList columns; // without the database-assigned ID
    bool hasId;
};

namespace Schema {
QList<TableSchema> settingsTables();
QList<TableSchema> subjectTables();
QStringList createStatements(const QList<TableSchema>& tables);
QStringList indexStatements(const QList<TableSchema>& tables);
QString quoted(const QString& identifier); // [name]: always an identifier, never a string
} // namespace Schema
