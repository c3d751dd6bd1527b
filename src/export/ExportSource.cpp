#include "export/ExportSource.h"

#include "calendar/SolarHijriDate.h"
#include "data/Columns.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "questionnaire/Questionnaires.h"

#include <QDateTime>
#include <QSqlError>

namespace {

using Schema::quoted;

using AdministrationColumn::AdministeredAt;
using AdministrationColumn::Number;
using TableName::Administrations;

// The subject's columns as they are read, then the administration's.
QStringList subjectColumns()
{
    using namespace SubjectColumn;
    return {Code, FirstName, LastName, Age, Sex, Marital, Education, Date, Time, Group};
}

QStringList selectedExpressions()
{
    // The code is the administration's own: it stays when the subject's row is missing.
    QStringList expressions;
    for (const QString& column : subjectColumns())
        expressions << (column == SubjectColumn::Code ? QStringLiteral("a.")
                                                      : QStringLiteral("s.")) +
                           quoted(column);
    expressions << QStringLiteral("a.") + quoted(Number)
                << QStringLiteral("a.") + quoted(AdministeredAt);
    for (const QString& column : Questionnaires::geriatricDepression().answerColumns())
        expressions << QStringLiteral("a.") + quoted(column);
    return expressions;
}

// An administration with its subject's details: the first IDE row of its code (an
// administration whose subject is missing keeps empty details), narrowed by the filter.
QString fromWhere(const ExportTable::Filter& filter)
{
    const QString code = quoted(SubjectColumn::Code);
    QString sql =
        QStringLiteral(" FROM %1 a LEFT JOIN %2 s ON s.\"ID\" = (SELECT MIN(\"ID\") FROM %2 "
                       "WHERE %3 = a.%3) WHERE 1")
            .arg(quoted(Administrations), quoted(TableName::Subjects), code);
    if (!filter.group.isNull())
        sql += QStringLiteral(" AND s.%1 = :grp").arg(quoted(SubjectColumn::Group));
    // The local calendar day is the first ten characters of the stored ISO 8601 time.
    const QString day = QStringLiteral("substr(a.%1, 1, 10)").arg(quoted(AdministeredAt));
    if (filter.from.isValid())
        sql += QStringLiteral(" AND %1 >= :fromDay").arg(day);
    if (filter.to.isValid())
        sql += QStringLiteral(" AND %1 <= :toDay").arg(day);
    return sql;
}

void bindFilter(QSqlQuery& query, const ExportTable::Filter& filter)
{
    if (!filter.group.isNull())
        query.bindValue(QStringLiteral(":grp"), filter.group);
    if (filter.from.isValid())
        query.bindValue(QStringLiteral(":fromDay"), filter.from.toString(Qt::ISODate));
    if (filter.to.isValid())
        query.bindValue(QStringLiteral(":toDay"), filter.to.toString(Qt::ISODate));
}

QString answerText(const QString& stored)
{
    const QString answer = stored.trimmed();
    return answer == Questionnaire::Yes || answer == Questionnaire::No ? answer : QString();
}

QString solarHijriDay(const QString& administeredAt)
{
    const QDateTime moment = QDateTime::fromString(administeredAt, Qt::ISODate);
    return moment.isValid() ? SolarHijriDate(moment, 0) : QString();
}

} // namespace

ExportSource::ExportSource(const QString& databasePath)
    : connection_(std::make_unique<ScopedConnection>(databasePath, Database::Access::ReadOnly))
{}

ExportSource::~ExportSource()
{
    query_.reset();
}

bool ExportSource::open(const ExportTable::Filter& filter, QString* persian, QString* english)
{
    const auto fail = [&](const QString& reason) {
        *persian = QStringLiteral("پرونده‌ی آزمودنی‌ها خوانده نشد: %1")
                       .arg(reason);
        *english = QStringLiteral("the subject database could not be read: %1").arg(reason);
        return false;
    };
    if (!connection_->isOpen())
        return fail(connection_->db().lastError().text());
    // One read transaction: the count and the rows see the same state of the file.
    if (!connection_->db().transaction())
        return fail(connection_->db().lastError().text());
    if (QString reason; !measure(filter, &reason))
        return fail(reason);
    query_ = std::make_unique<QSqlQuery>(connection_->db());
    query_->setForwardOnly(true);
    query_->prepare(
        QStringLiteral("SELECT ") + selectedExpressions().join(QStringLiteral(", ")) +
        fromWhere(filter) +
        QStringLiteral(" ORDER BY a.%1, a.%2").arg(quoted(SubjectColumn::Code), quoted(Number)));
    bindFilter(*query_, filter);
    if (!query_->exec())
        return fail(query_->lastError().text());
    return true;
}

// The row count and the longest stored text of each column, so that formats that fix their
// widths before the first row know them.
bool ExportSource::measure(const ExportTable::Filter& filter, QString* reason)
{
    const QStringList expressions = selectedExpressions();
    QStringList parts{QStringLiteral("COUNT(*)")};
    for (const QString& expression : expressions)
        // A NUL is written as U+FFFD, three bytes: a text that has one may need thrice its
        // length (SQLite's text functions stop at a NUL, so the NULs are not counted).
        parts << QStringLiteral("MAX(length(CAST(%1 AS BLOB)) * (CASE WHEN instr(CAST(%1 AS "
                                "BLOB), x'00') > 0 THEN 3 ELSE 1 END))")
                     .arg(expression);
    QSqlQuery query(connection_->db());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT ") + parts.join(QStringLiteral(", ")) + fromWhere(filter));
    bindFilter(query, filter);
    if (!query.exec() || !query.next()) {
        *reason = query.lastError().text();
        return false;
    }
    rowCount_ = query.value(0).toInt();
    QList<int> stored;
    for (int i = 1; i <= expressions.size(); ++i)
        stored << query.value(i).toInt();
    // In column order: the subject's ten, Administration, AdministeredAt, AdministeredDate
    // (layout 0 is at most ten ASCII characters), the answers (one character), Answered,
    // Score and Band.
    const int subject = static_cast<int>(subjectColumns().size());
    widths_ = stored.mid(0, subject + 2);
    widths_ << 10;
    const int items = Questionnaires::geriatricDepression().itemCount();
    for (int item = 0; item < items; ++item)
        widths_ << 1;
    int band = 1;
    for (const QuestionnaireBand& each : Questionnaires::geriatricDepression().bands)
        band = std::max(band, static_cast<int>(each.text.toUtf8().size()));
    widths_ << 2 << 2 << band;
    return true;
}

bool ExportSource::next(ExportTable::Row& row)
{
    if (!query_ || !query_->next())
        return false;
    row = rowOf();
    return true;
}

ExportTable::Row ExportSource::rowOf() const
{
    const Questionnaire& scale = Questionnaires::geriatricDepression();
    const int subject = static_cast<int>(subjectColumns().size());
    ExportTable::Row row;
    row.reserve(static_cast<int>(ExportTable::columns().size()));
    for (int i = 0; i < subject; ++i)
        row << query_->value(i).toString();
    row << query_->value(subject).toString();
    const QString at = query_->value(subject + 1).toString();
    row << at << solarHijriDay(at);
    QStringList answers;
    int answered = 0;
    for (int item = 0; item < scale.itemCount(); ++item) {
        answers << answerText(query_->value(subject + 2 + item).toString());
        answered += answers.constLast().isEmpty() ? 0 : 1;
    }
    const int score = scale.score(answers);
    row << answers << QString::number(answered) << QString::number(score)
        << (answered == scale.itemCount() ? scale.bandText(score) : QString());
    return row;
}

QStringList ExportSource::groups()
{
    QStringList found;
    if (!connection_->isOpen())
        return found;
    QSqlQuery query(connection_->db());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT DISTINCT %1 FROM %2")
                        .arg(quoted(SubjectColumn::Group), quoted(TableName::Subjects))))
        return found;
    while (query.next())
        found << query.value(0).toString();
    return found;
}
