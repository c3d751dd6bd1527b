#include "data/SchemaCopy.h"

#include "data/Database.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>

namespace SchemaCopy {

namespace {

const QString notADatabase = QStringLiteral("این پرونده پایگاه داده نیست یا آسیب دیده است.");

QSqlQuery prepared(QSqlDatabase& db, const QString& statement, const QVariantList& values)
{
    QSqlQuery query(db);
    query.prepare(statement);
    for (const QVariant& value : values)
        query.addBindValue(value);
    return query;
}

bool run(QSqlDatabase& db, const QString& statement, QString* error,
         const QVariantList& values = {})
{
    QSqlQuery query = prepared(db, statement, values);
    if (query.exec())
        return true;
    *error = query.lastError().text();
    return false;
}

QStringList firstColumn(QSqlDatabase& db, const QString& statement, const QVariantList& values = {})
{
    QSqlQuery query = prepared(db, statement, values);
    QStringList rows;
    if (query.exec()) {
        while (query.next())
            rows << query.value(0).toString();
    }
    return rows;
}

// Every schema object as one text: type, name, table and the statement that made it.
QSet<QString> objectsOf(QSqlDatabase& db)
{
    QSet<QString> objects;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT type, name, tbl_name, sql FROM main.sqlite_master")))
        return {QStringLiteral("<unreadable>")};
    while (query.next()) {
        QStringList parts;
        for (int column = 0; column < 4; ++column)
            parts << query.value(column).toString();
        objects << parts.join(QLatin1Char('\n'));
    }
    return objects;
}

// The objects a fresh file of ours holds, made once in memory.
const QSet<QString>& referenceObjects(const QList<TableSchema>& tables)
{
    static QHash<QString, QSet<QString>> made;
    QStringList names;
    for (const TableSchema& table : tables)
        names << table.name;
    const QString key = names.join(QLatin1Char(','));
    if (!made.contains(key)) {
        ScopedConnection memory(QStringLiteral(":memory:"), Database::Access::ReadWrite);
        QString ignored;
        create(memory.db(), tables, &ignored);
        made.insert(key, objectsOf(memory.db()));
    }
    return made[key];
}

// A table of the source file read in place of one of ours: its real name and, for each of our
// columns, the source's column of that name.
struct SourceTable
{
    QString name;
    QStringList columns;
    bool hasId = false;
};

// Finds our table among the source's real tables (a view, a virtual table or a computed
// column of that name is not read). Empty name when the table is missing; problem is set when
// it is present but lacks a column of ours.
SourceTable findTable(QSqlDatabase& db, const TableSchema& ours, QString* problem)
{
    SourceTable found;
    const QStringList names =
        firstColumn(db,
                    QStringLiteral("SELECT name FROM src.sqlite_master WHERE type = 'table' "
                                   "AND name = ? COLLATE NOCASE AND sql NOT LIKE 'CREATE "
                                   "VIRTUAL%'"),
                    {ours.name});
    if (names.isEmpty())
        return found;
    found.name = names.first();
    QHash<QString, QString> plain; // lower-case name -> the source's name
    QSqlQuery info(db);
    info.exec(QStringLiteral("PRAGMA src.table_xinfo(%1)").arg(Schema::quoted(found.name)));
    while (info.next()) {
        if (info.value(6).toInt() == 0)
            plain.insert(info.value(1).toString().toLower(), info.value(1).toString());
    }
    found.hasId = ours.hasId && plain.contains(QStringLiteral("id"));
    for (const QString& column : ours.columns) {
        const QString name = plain.value(column.toLower());
        if (name.isEmpty()) {
            *problem = QStringLiteral("ستون «%1» در جدول «%2» نیست.").arg(column, ours.name);
            return found;
        }
        found.columns << name;
    }
    return found;
}

QString copyTable(QSqlDatabase& db, const TableSchema& ours, const SourceTable& source)
{
    QStringList targets;
    QStringList values;
    if (source.hasId) {
        targets << QStringLiteral("[ID]");
        values << QStringLiteral("CASE WHEN typeof(s.[ID]) = 'integer' THEN s.[ID] END");
    }
    for (qsizetype i = 0; i < ours.columns.size(); ++i) {
        targets << Schema::quoted(ours.columns[i]);
        values << QStringLiteral("CAST(s.%1 AS TEXT)").arg(Schema::quoted(source.columns[i]));
    }
    QString error;
    if (run(db,
            QStringLiteral("INSERT INTO main.%1 (%2) SELECT %3 FROM src.%4 AS s")
                .arg(Schema::quoted(ours.name), targets.join(QStringLiteral(", ")),
                     values.join(QStringLiteral(", ")), Schema::quoted(source.name)),
            &error))
        return {};
    return QStringLiteral(
               "ردیف‌های جدول «%1» در جدول‌های برنامه نمی‌گنجند: %2")
        .arg(ours.name, error);
}

// Codes that the registry holds twice (e.g. "0", "00" and "000" stored as one number).
QString duplicateCodeProblem(QSqlDatabase& db)
{
    const QStringList twice =
        firstColumn(db, QStringLiteral("SELECT [Code] FROM main.[IDE] WHERE [Code] IS NOT NULL "
                                       "GROUP BY [Code] HAVING count(*) > 1 LIMIT 1"));
    if (twice.isEmpty())
        return {};
    return QStringLiteral("کد «%1» در این پرونده بیش از یک بار آمده است؛ "
                          "آزمودنی‌های آن از هم جدا نمی‌شوند.")
        .arg(twice.first());
}

QString copyInto(QSqlDatabase& db, const QString& source, const InTransaction& beforeCommit)
{
    QString error;
    if (!run(db, QStringLiteral("ATTACH DATABASE ? AS src"), &error, {source}) ||
        !run(db, QStringLiteral("SELECT count(*) FROM src.sqlite_master"), &error))
        return notADatabase;
    if (firstColumn(db, QStringLiteral("PRAGMA src.quick_check")) != QStringList{"ok"})
        return QStringLiteral("این پرونده ناقص یا آسیب دیده است.");
    const QList<TableSchema> tables = Schema::subjectTables();
    QList<SourceTable> sources;
    for (const TableSchema& table : tables) {
        QString problem;
        sources << findTable(db, table, &problem);
        if (!problem.isEmpty())
            return problem;
    }
    if (sources.first().name.isEmpty())
        return QStringLiteral("جدول «%1» در این پرونده نیست.").arg(tables.first().name);
    if (!db.transaction())
        return db.lastError().text();
    QString problem;
    if (!create(db, tables, &problem))
        problem = QStringLiteral("پرونده تازه ساخته نشد: %1").arg(problem);
    for (qsizetype i = 0; problem.isEmpty() && i < tables.size(); ++i) {
        if (!sources[i].name.isEmpty())
            problem = copyTable(db, tables[i], sources[i]);
    }
    if (problem.isEmpty())
        problem = duplicateCodeProblem(db);
    if (problem.isEmpty() && beforeCommit)
        problem = beforeCommit(db);
    if (!problem.isEmpty()) {
        db.rollback();
        return problem;
    }
    if (!db.commit())
        return db.lastError().text();
    run(db, QStringLiteral("DETACH DATABASE src"), &error);
    if (firstColumn(db, QStringLiteral("PRAGMA main.integrity_check")) != QStringList{"ok"})
        return QStringLiteral(
            "پرونده ساخته‌شده از این نسخه سالم نیست.");
    return {};
}

bool presentTable(const QSet<QString>& objects, const QString& table)
{
    const QString prefix = QStringLiteral("table\n") + table + QLatin1Char('\n');
    for (const QString& object : objects) {
        if (object.startsWith(prefix))
            return true;
    }
    return false;
}

} // namespace

bool create(QSqlDatabase& db, const QList<TableSchema>& tables, QString* error)
{
    for (const QString& statement :
         Schema::createStatements(tables) + Schema::indexStatements(tables)) {
        if (!run(db, statement, error))
            return false;
    }
    return true;
}

bool matches(QSqlDatabase& db, const QList<TableSchema>& tables)
{
    const QSet<QString>& reference = referenceObjects(tables);
    const QSet<QString> present = objectsOf(db);
    if (!reference.contains(present))
        return false;
    QSet<QString> addedLater;
    for (const TableSchema& table : tables) {
        if (table.addedLater)
            addedLater << table.name;
    }
    for (const QString& object : reference) {
        if (!object.startsWith(QLatin1String("table\n")) || present.contains(object))
            continue;
        const QString table = object.section(QLatin1Char('\n'), 1, 1);
        if (!addedLater.contains(table) || presentTable(present, table))
            return false; // an earlier version's file may lack a later table, not change it
    }
    return true;
}

QString copySubjects(const QString& source, const QString& target,
                     const InTransaction& beforeCommit)
{
    QFile::remove(target);
    Database::removeCompanions(target);
    QString problem;
    {
        ScopedConnection fresh(target, Database::Access::ReadWrite);
        problem =
            fresh.isOpen()
                ? copyInto(fresh.db(), source, beforeCommit)
                : QStringLiteral("پرونده تازه ساخته نشد: %1").arg(fresh.db().lastError().text());
    }
    if (problem.isEmpty()) {
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    } else {
        QFile::remove(target);
        Database::removeCompanions(target);
    }
    return problem;
}

} // namespace SchemaCopy
