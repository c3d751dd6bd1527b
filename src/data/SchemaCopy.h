#pragma once

#include "data/Schema.h"

#include <QSqlDatabase>
#include <QString>

#include <functional>

// Files from outside carry schema of their own (triggers, views, other column types). Our
// files only ever hold the schema we make; these functions check that and bring rows from a
// foreign file into a fresh file of ours.
namespace SchemaCopy {

// Makes our tables and their indexes in the open, empty database. False with the reason.
bool create(QSqlDatabase& db, const QList<TableSchema>& tables, QString* error);

// Whether the open database holds exactly the objects our schema makes for the tables and
// nothing else (an index of ours may be missing: older files are given it later).
bool matches(QSqlDatabase& db, const QList<TableSchema>& tables);

// Copies the subject rows of the file at source into a new file at target made with our own
// schema, in one transaction, and checks the result with SQLite's integrity check. Only real
// tables named like ours and only our columns are read, every value as text; IDs are kept when
// they are whole numbers. The IDE table is required, Answer and Print1 may be missing (files of
// earlier versions). Returns the Persian reason the file cannot be brought in (target is then
// removed), or the empty text. beforeCommit, when given, runs on the new file inside that same
// transaction once the rows are in, so what it writes lands with them or not at all; it returns
// the reason it failed, or the empty text.
using InTransaction = std::function<QString(QSqlDatabase&)>;
QString copySubjects(const QString& source, const QString& target,
                     const InTransaction& beforeCommit = {});

} // namespace SchemaCopy
