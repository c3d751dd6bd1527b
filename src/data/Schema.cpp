#include "data/Schema.h"

namespace Schema {

QString quoted(const QString& identifier)
{
    QString inner = identifier;
    inner.replace(QLatin1Char(']'), QLatin1String("]]"));
    return QLatin1Char('[') + inner + QLatin1Char(']');
}

QList<TableSchema> settingsTables()
{
    return {{QStringLiteral("Theme"),
             {QStringLiteral("TH"), QStringLiteral("Name"), QStringLiteral("Adress")},
             false}};
}

static QStringList answerColumns()
{
    QStringList columns{QStringLiteral("Code"), QStringLiteral("Group")};
    for (int item = 1; item <= 15; ++item)
        columns << QString::number(item);
    return columns;
}

QList<TableSchema> subjectTables()
{
    return {
        {QStringLiteral("IDE"),
         {"Code", "FName", "LName", "Sen", "Jens", "Taahol", "Tahsil", "Date", "Time", "Group"},
         true},
        {QStringLiteral("Answer"), answerColumns(), true},
        {QStringLiteral("Print1"), {"Code", "FName", "LName", "Group", "Score", "Comment"}, true},
    };
}

QStringList createStatements(const QList<TableSchema>& tables)
{
    QStringList statements;
    for (const TableSchema& table : tables) {
        QStringList parts;
        if (table.hasId)
            parts << QStringLiteral("[ID] INTEGER PRIMARY KEY AUTOINCREMENT");
        for (const QString& column : table.columns)
            parts << quoted(column) + QStringLiteral(" TEXT");
        statements << QStringLiteral("CREATE TABLE %1 (%2)")
                          .arg(quoted(table.name), parts.join(QStringLiteral(", ")));
    }
    return statements;
}

// Lookups by code and the code finder's selectors stay fast on large registries.
QStringList indexStatements(const QList<TableSchema>& tables)
{
    static const QStringList indexed{"Code", "FName", "LName", "Group"};
    QStringList statements;
    for (const TableSchema& table : tables) {
        if (!table.hasId)
            continue;
        for (const QString& column : table.columns) {
            if (!indexed.contains(column))
                continue;
            statements << QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                              .arg(quoted(table.name + QLatin1Char('_') + column),
                                   quoted(table.name), quoted(column));
        }
    }
    return statements;
}

} // namespace Schema
