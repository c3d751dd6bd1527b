#include "data/Schema.h"

#include "data/Columns.h"
#include "questionnaire/Questionnaires.h"

namespace Schema {

QString quoted(const QString& identifier)
{
    QString inner = identifier;
    inner.replace(QLatin1Char(']'), QLatin1String("]]"));
    return QLatin1Char('[') + inner + QLatin1Char(']');
}

QList<TableSchema> settingsTables()
{
    using namespace SettingsColumn;
    return {{TableName::Settings, {Theme, Name, Address}, false}};
}

static QStringList answerColumns()
{
    return QStringList{SubjectColumn::Code, SubjectColumn::Group} +
           Questionnaires::geriatricDepression().answerColumns();
}

QList<TableSchema> subjectTables()
{
    using namespace SubjectColumn;
    return {
        {TableName::Subjects,
         {Code, FirstName, LastName, Age, Sex, Marital, Education, Date, Time, Group},
         true},
        {TableName::Answers, answerColumns(), true},
        {TableName::Results,
         {Code, FirstName, LastName, Group, ResultColumn::Score, ResultColumn::Comment},
         true},
        {TableName::Administrations,
         QStringList{Code, AdministrationColumn::Number, AdministrationColumn::AdministeredAt} +
             Questionnaires::geriatricDepression().answerColumns(),
         true,
         {{Code, QStringLiteral("TEXT NOT NULL")},
          {AdministrationColumn::Number, QStringLiteral("INTEGER NOT NULL")},
          {AdministrationColumn::AdministeredAt, QStringLiteral("TEXT NOT NULL")}},
         QStringLiteral("UNIQUE([Code], [Number])"),
         true},
        {TableName::AuditTrail,
         {AuditColumn::At, AuditColumn::User, AuditColumn::Host, AuditColumn::Action, Code,
          AuditColumn::Field, AuditColumn::OldValue, AuditColumn::NewValue},
         true,
         {},
         {},
         true},
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
            parts << quoted(column) + QLatin1Char(' ') +
                         table.declared.value(column, QStringLiteral("TEXT"));
        if (!table.constraint.isEmpty())
            parts << table.constraint;
        statements << QStringLiteral("CREATE TABLE %1 (%2)")
                          .arg(quoted(table.name), parts.join(QStringLiteral(", ")));
    }
    return statements;
}

// Lookups by code and the code finder's selectors stay fast on large registries.
QStringList indexStatements(const QList<TableSchema>& tables)
{
    using namespace SubjectColumn;
    static const QStringList indexed{Code, FirstName, LastName, Group};
    QStringList statements;
    for (const TableSchema& table : tables) {
        if (!table.hasId || !table.constraint.isEmpty())
            continue; // a table with a unique key is looked up through that key's index
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
