#include "lookup/SubjectModels.h"

#include "data/DataFailure.h"
#include "data/RecordSet.h"
#include "data/Schema.h"

#include <QCollator>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <vector>

namespace {

// Runs a read; a failure is told to the user as every failed read is.
bool execute(QSqlQuery& query, Database::File file, const QString& table)
{
    if (query.exec())
        return true;
    Database::noteFailure(file, query.lastError());
    DataFailure::report(QStringLiteral("خواندن اطلاعات از جدول «%1» ممکن نشد.\n%2")
                            .arg(table, query.lastError().text()));
    return false;
}

// The texts a read gives, in Persian order (none when it failed).
QStringList valuesOf(QSqlQuery&& query, Database::File file, const QString& table)
{
    QStringList values;
    if (!execute(query, file, table))
        return values;
    while (query.next())
        values << query.value(0).toString();
    sortPersian(values);
    return values;
}

// Runs a read for a model.
bool runForModel(QSqlQueryModel& model, QSqlQuery&& query, Database::File file,
                 const QString& table)
{
    if (!execute(query, file, table)) {
        model.clear();
        return false;
    }
    model.setQuery(std::move(query));
    return true;
}

// The distinct values of an indexed column in ascending order, found by stepping from one value
// to the next through the index (one seek a value) rather than reading every row. first is the
// condition on the first value, next an extra condition on the following ones; "%1" in either
// stands for the column.
QString distinctValuesSql(const QString& column, const QString& table, const QString& first,
                          const QString& next)
{
    const QString c = Schema::quoted(column);
    const QString t = Schema::quoted(table);
    return QStringLiteral("WITH RECURSIVE v(x) AS (SELECT min(%1) FROM %2 WHERE %1 %3 "
                          "UNION ALL SELECT (SELECT min(%1) FROM %2 WHERE %1 > v.x%4) FROM v "
                          "WHERE v.x IS NOT NULL) SELECT x FROM v WHERE x IS NOT NULL")
        .arg(c, t, QString(first).replace(QLatin1String("%1"), c),
             QString(next).replace(QLatin1String("%1"), c));
}

} // namespace

RecordSetGridModel::RecordSetGridModel(const QStringList& columns, const QStringList& headings,
                                       QObject* parent)
    : QSqlQueryModel(parent), columns_(columns), headings_(headings)
{}

bool RecordSetGridModel::show(const RecordSet& records)
{
    const bool ok =
        runForModel(*this, records.prepareSelect(columns_), records.file(), records.table());
    for (int i = 0; i < headings_.size(); ++i)
        setHeaderData(i, Qt::Horizontal, headings_[i]);
    return ok;
}

DistinctValuesModel::DistinctValuesModel(const RecordSet& records, const QString& column,
                                         QObject* parent)
    : QStringListModel(parent)
{
    QSqlQuery query(Database::connection(records.file()));
    query.prepare(distinctValuesSql(records.canonicalColumn(column), records.table(),
                                    QStringLiteral("IS NOT NULL"), QStringLiteral("")));
    setStringList(valuesOf(std::move(query), records.file(), records.table()));
}

PrefixValuesModel::PrefixValuesModel(const RecordSet& records, const QString& column,
                                     QObject* parent)
    : QStringListModel(parent), file_(records.file()), table_(records.table()),
      column_(records.canonicalColumn(column))
{}

void PrefixValuesModel::setPrefix(const QString& prefix)
{
    // Every text with the prefix sorts below the prefix followed by the last code point.
    const QString below = Database::isServer(file_) ? QStringLiteral("< ? || chr(1114111)")
                                                    : QStringLiteral("< ? || char(1114111)");
    QSqlQuery query(Database::connection(file_));
    query.prepare(distinctValuesSql(column_, table_, QStringLiteral(">= ? AND %1 ") + below,
                                    QStringLiteral(" AND %1 ") + below) +
                  QStringLiteral(" LIMIT %1").arg(Offered));
    query.addBindValue(prefix);
    query.addBindValue(prefix);
    query.addBindValue(prefix);
    setStringList(valuesOf(std::move(query), file_, table_));
}

void sortPersian(QStringList& texts)
{
    // The Arabic Yeh and Kaf of older entries are the same letters as the Persian ones.
    static const QCollator collator(QLocale(QLocale::Persian, QLocale::Iran));
    const auto folded = [](QString text) {
        return text.replace(QChar(0x064A), QChar(0x06CC)).replace(QChar(0x0643), QChar(0x06A9));
    };
    std::vector<std::pair<QCollatorSortKey, qsizetype>> keys;
    keys.reserve(static_cast<std::size_t>(texts.size()));
    for (qsizetype i = 0; i < texts.size(); ++i)
        keys.emplace_back(collator.sortKey(folded(texts[i])), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    QStringList sorted;
    sorted.reserve(texts.size());
    for (const auto& key : keys)
        sorted << texts[key.second];
    texts = std::move(sorted);
}
