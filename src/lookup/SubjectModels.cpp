#include "lookup/SubjectModels.h"

#include "data/DataFailure.h"
#include "data/RecordSet.h"
#include "data/Schema.h"

#include <QSqlError>
#include <QSqlQuery>

namespace {

QString quotedList(const QStringList& columns)
{
    QStringList quoted;
    for (const QString& column : columns)
        quoted << Schema::quoted(column);
    return quoted.join(QStringLiteral(", "));
}

// Runs a read for a model; a failure is told to the user as every failed read is.
bool runForModel(QSqlQueryModel& model, QSqlQuery&& query, const QString& table)
{
    if (!query.exec()) {
        DataFailure::report(QStringLiteral("خواندن اطلاعات از جدول «%1» ممکن نشد.\n%2")
                                .arg(table, query.lastError().text()));
        model.clear();
        return false;
    }
    model.setQuery(std::move(query));
    return true;
}

} // namespace

RecordSetGridModel::RecordSetGridModel(const QStringList& columns, const QStringList& headings,
                                       QObject* parent)
    : QSqlQueryModel(parent), columns_(columns), headings_(headings)
{}

bool RecordSetGridModel::show(const RecordSet& records)
{
    QSqlQuery query(Database::connection(records.file()));
    QString sql = QStringLiteral("SELECT %1 FROM %2")
                      .arg(quotedList(columns_), Schema::quoted(records.table()));
    if (records.hasFilter())
        sql += QStringLiteral(" WHERE %1 = ?").arg(Schema::quoted(records.filterColumn()));
    query.prepare(sql + QStringLiteral(" ORDER BY rowid"));
    if (records.hasFilter())
        query.addBindValue(records.filterValue());
    const bool ok = runForModel(*this, std::move(query), records.table());
    for (int i = 0; i < headings_.size(); ++i)
        setHeaderData(i, Qt::Horizontal, headings_[i]);
    return ok;
}

DistinctValuesModel::DistinctValuesModel(const RecordSet& records, const QString& column,
                                         QObject* parent)
    : QSqlQueryModel(parent)
{
    const QString quoted = Schema::quoted(records.canonicalColumn(column));
    QSqlQuery query(Database::connection(records.file()));
    query.prepare(QStringLiteral("SELECT DISTINCT %1 FROM %2 WHERE %1 IS NOT NULL ORDER BY %1")
                      .arg(quoted, Schema::quoted(records.table())));
    runForModel(*this, std::move(query), records.table());
}

PrefixValuesModel::PrefixValuesModel(const RecordSet& records, const QString& column,
                                     QObject* parent)
    : QSqlQueryModel(parent), file_(records.file()), table_(records.table()),
      column_(records.canonicalColumn(column))
{}

void PrefixValuesModel::setPrefix(const QString& prefix)
{
    const QString quoted = Schema::quoted(column_);
    QSqlQuery query(Database::connection(file_));
    query.prepare(QStringLiteral("SELECT DISTINCT %1 FROM %2 WHERE %1 >= ? AND %1 < ? || "
                                 "char(1114111) ORDER BY %1 LIMIT %3")
                      .arg(quoted, Schema::quoted(table_))
                      .arg(Offered));
    query.addBindValue(prefix);
    query.addBindValue(prefix);
    runForModel(*this, std::move(query), table_);
}
