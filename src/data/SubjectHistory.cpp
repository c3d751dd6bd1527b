#include "data/SubjectHistory.h"

#include "calendar/SolarHijriDate.h"
#include "data/AuditTrail.h"
#include "data/Columns.h"
#include "data/Database.h"
#include "data/Schema.h"
#include "questionnaire/Questionnaires.h"

#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>

#include <sqlite3.h>

namespace SubjectHistory {

namespace {

QStringList answerColumns()
{
    return Questionnaires::geriatricDepression().answerColumns();
}

QString quotedList(const QStringList& columns, const QString& prefix = QString())
{
    QStringList quoted;
    for (const QString& column : columns)
        quoted << prefix + Schema::quoted(column);
    return quoted.join(QStringLiteral(", "));
}

QTime clockTime(const QString& text)
{
    static const QRegularExpression clock(
        QStringLiteral("(\\d{1,2})\\s*:\\s*(\\d{1,2})(?:\\s*:\\s*(\\d{1,2}))?"));
    QString plain;
    for (const QChar c : text)
        plain += c.isDigit() ? QChar(u'0' + c.digitValue()) : c;
    const QRegularExpressionMatch match = clock.match(plain);
    if (!match.hasMatch())
        return QTime(0, 0);
    int hour = match.captured(1).toInt();
    const QString rest = plain.mid(match.capturedEnd()).toUpper();
    const bool afternoon = rest.contains(QLatin1String("PM")) ||
                           plain.contains(QStringLiteral("ب.ظ")) ||
                           plain.contains(QStringLiteral("بعدازظهر"));
    const bool morning =
        rest.contains(QLatin1String("AM")) || plain.contains(QStringLiteral("ق.ظ"));
    if (afternoon && hour < 12)
        hour += 12;
    else if (morning && hour == 12)
        hour = 0;
    const QTime time(hour, match.captured(2).toInt(), match.captured(3).toInt());
    return time.isValid() ? time : QTime(0, 0);
}

QString textArgument(sqlite3_value* value)
{
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return bytes ? QString::fromUtf8(bytes, sqlite3_value_bytes(value)) : QString();
}

// SQL function enrolment_moment(date, time): the stored moment of an enrolment.
void enrolmentMomentFunction(sqlite3_context* context, int, sqlite3_value** values)
{
    const auto* fallback = static_cast<const QDateTime*>(sqlite3_user_data(context));
    const QByteArray text =
        momentText(enrolmentMoment(textArgument(values[0]), textArgument(values[1]), *fallback))
            .toUtf8();
    sqlite3_result_text(context, text.constData(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

sqlite3* nativeHandle(QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        return *static_cast<sqlite3* const*>(handle.constData());
    return nullptr;
}

bool fail(const QSqlQuery& query, QString* error)
{
    if (error)
        *error = query.lastError().text();
    return false;
}

// The first row of table for code (the row the screens show), the given columns as text.
QStringList firstRow(QSqlDatabase& db, const QString& table, const QStringList& columns,
                     const QString& code, bool* found)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE \"Code\" = ? ORDER BY \"ID\" LIMIT 1")
                      .arg(quotedList(columns), Schema::quoted(table)));
    query.addBindValue(code);
    QStringList row;
    *found = query.exec() && query.next();
    for (int i = 0; i < columns.size(); ++i)
        row << (*found ? query.value(i).toString() : QString());
    return row;
}

bool anyAnswer(const QStringList& answers)
{
    for (const QString& answer : answers) {
        if (!answer.isEmpty())
            return true;
    }
    return false;
}

QList<AuditTrail::Change> answerChanges(const QStringList& before, const QStringList& after)
{
    return AuditTrail::changes(answerColumns(), before, after);
}

bool insertAdministration(QSqlDatabase& db, const QString& code, int number, const QString& at,
                          const QStringList& answers, QString* error)
{
    QSqlQuery insert(db);
    insert.prepare(
        QStringLiteral("INSERT INTO \"%1\" (\"Code\", \"Number\", \"AdministeredAt\", %2) "
                       "VALUES (?, ?, ?%3)")
            .arg(TableName::Administrations, quotedList(answerColumns()),
                 QStringLiteral(", ?").repeated(answers.size())));
    insert.addBindValue(code);
    insert.addBindValue(number);
    insert.addBindValue(at);
    for (const QString& answer : answers)
        insert.addBindValue(answer);
    return insert.exec() || fail(insert, error);
}

bool updateAdministration(QSqlDatabase& db, const QString& code, int number, const QString& at,
                          const QStringList& answers, QString* error)
{
    QStringList assignments{QStringLiteral("\"AdministeredAt\" = ?")};
    for (const QString& column : answerColumns())
        assignments << Schema::quoted(column) + QStringLiteral(" = ?");
    QSqlQuery update(db);
    update.prepare(QStringLiteral("UPDATE \"%1\" SET %2 WHERE \"Code\" = ? AND \"Number\" = ?")
                       .arg(TableName::Administrations, assignments.join(QStringLiteral(", "))));
    update.addBindValue(at);
    for (const QString& answer : answers)
        update.addBindValue(answer);
    update.addBindValue(code);
    update.addBindValue(number);
    return update.exec() || fail(update, error);
}

} // namespace

QString momentText(const QDateTime& moment)
{
    const QDateTime local = moment.toLocalTime();
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

QDateTime momentOf(const QString& text)
{
    return QDateTime::fromString(text, Qt::ISODate).toLocalTime();
}

QDateTime enrolmentMoment(const QString& date, const QString& time, const QDateTime& fallback)
{
    const QDate day = ParseSolarHijriDate(date);
    if (!day.isValid())
        return fallback;
    const QDateTime moment(day, clockTime(time));
    return moment.isValid() ? moment : QDateTime(day, QTime(12, 0));
}

bool seed(QSqlDatabase& db, QString* error)
{
    sqlite3* native = nativeHandle(db);
    if (!native) {
        *error = QStringLiteral("not an SQLite connection");
        return false;
    }
    static thread_local QDateTime fallback;
    fallback = QDateTime::currentDateTime();
    sqlite3_create_function_v2(native, "enrolment_moment", 2, SQLITE_UTF8 | SQLITE_DIRECTONLY,
                               &fallback, enrolmentMomentFunction, nullptr, nullptr, nullptr);
    QStringList answered;
    QStringList values;
    for (const QString& column : answerColumns()) {
        answered << QStringLiteral("coalesce(a.%1, '') <> ''").arg(Schema::quoted(column));
        values << QStringLiteral("coalesce(CAST(a.%1 AS TEXT), '')").arg(Schema::quoted(column));
    }
    // OR IGNORE: a code with two Answer rows keeps the first one, the one the screens show.
    QSqlQuery query(db);
    const bool done = query.exec(
        QStringLiteral(
            "INSERT OR IGNORE INTO \"%1\" (\"Code\", \"Number\", \"AdministeredAt\", %2) "
            "SELECT a.\"Code\", 1, (SELECT enrolment_moment(i.\"Date\", i.\"Time\") FROM \"%3\" AS i "
            "WHERE i.\"Code\" = a.\"Code\" ORDER BY i.rowid LIMIT 1), %4 FROM \"%5\" AS a "
            "WHERE a.\"Code\" IS NOT NULL AND (%6) AND NOT EXISTS (SELECT 1 FROM \"%1\" AS x "
            "WHERE x.\"Code\" = a.\"Code\") ORDER BY a.rowid")
            .arg(TableName::Administrations, quotedList(answerColumns()), TableName::Subjects,
                 values.join(QStringLiteral(", ")), TableName::Answers,
                 answered.join(QStringLiteral(" OR "))));
    sqlite3_create_function_v2(native, "enrolment_moment", 2, SQLITE_UTF8, nullptr, nullptr,
                               nullptr, nullptr, nullptr);
    return done || fail(query, error);
}

static QStringList detailColumns()
{
    return Schema::subjectTables().first().columns;
}

SubjectDetails subjectDetails(const QString& code)
{
    QSqlDatabase db = Database::connection(Database::File::Subjects);
    bool found = false;
    return firstRow(db, TableName::Subjects, detailColumns(), code, &found);
}

bool recordDetails(const QString& action, const QString& code, const SubjectDetails& before,
                   QString* error)
{
    return AuditTrail::append(
        action, code, AuditTrail::changes(detailColumns(), before, subjectDetails(code)), error);
}

QList<Administration> administrations(const QString& code, QString* error)
{
    QSqlDatabase db = Database::connection(Database::File::Subjects);
    QList<Administration> all;
    if (!db.isOpen()) {
        if (error)
            *error = Database::lastError(Database::File::Subjects);
        return all;
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT \"Number\", \"AdministeredAt\", %1 FROM \"%2\" "
                                 "WHERE \"Code\" = ? ORDER BY \"Number\"")
                      .arg(quotedList(answerColumns()), TableName::Administrations));
    query.addBindValue(code);
    if (!query.exec()) {
        fail(query, error);
        return all;
    }
    const int items = static_cast<int>(answerColumns().size());
    while (query.next()) {
        Administration one;
        one.number = query.value(0).toInt();
        one.administeredAt = query.value(1).toString();
        for (int i = 0; i < items; ++i)
            one.answers << query.value(2 + i).toString();
        all << one;
    }
    return all;
}

bool recordAnswers(const QString& code, SaveKind kind, const QDateTime& now, QString* error)
{
    QSqlDatabase db = Database::connection(Database::File::Subjects);
    bool hasAnswerRow = false;
    const QStringList answers =
        firstRow(db, TableName::Answers, answerColumns(), code, &hasAnswerRow);
    if (!hasAnswerRow)
        return true; // no answers to record
    QSqlQuery latest(db);
    latest.prepare(QStringLiteral("SELECT \"Number\", %1 FROM \"%2\" WHERE \"Code\" = ? "
                                  "ORDER BY \"Number\" DESC LIMIT 1")
                       .arg(quotedList(answerColumns()), TableName::Administrations));
    latest.addBindValue(code);
    if (!latest.exec())
        return fail(latest, error);
    const bool hasLatest = latest.next();
    const int number = hasLatest ? latest.value(0).toInt() : 0;
    QStringList before;
    for (int i = 0; i < answerColumns().size(); ++i)
        before << (hasLatest ? latest.value(1 + i).toString() : QString());
    latest.finish();
    const QString at = momentText(now);

    if (kind == SaveKind::Retest) {
        const QList<AuditTrail::Change> changes =
            answerChanges(QStringList(before.size(), {}), answers);
        return insertAdministration(db, code, number + 1, at, answers, error) &&
               AuditTrail::append(
                   AuditTrail::Action::Retest, code,
                   QList<AuditTrail::Change>{{AdministrationColumn::Number, QString::number(number),
                                              QString::number(number + 1)}} +
                       changes,
                   error);
    }
    const QList<AuditTrail::Change> changes = answerChanges(before, answers);
    if (!hasLatest) {
        if (!anyAnswer(answers))
            return true; // nothing administered yet
        return insertAdministration(db, code, 1, at, answers, error) &&
               AuditTrail::append(AuditTrail::Action::TestSave, code, changes, error);
    }
    if (changes.isEmpty())
        return true;
    QSqlQuery stamp(db);
    stamp.prepare(QStringLiteral("SELECT \"AdministeredAt\" FROM \"%1\" WHERE \"Code\" = ? AND "
                                 "\"Number\" = ?")
                      .arg(TableName::Administrations));
    stamp.addBindValue(code);
    stamp.addBindValue(number);
    if (!stamp.exec() || !stamp.next())
        return fail(stamp, error);
    const QString givenAt = anyAnswer(before) ? stamp.value(0).toString() : at;
    stamp.finish();
    return updateAdministration(db, code, number, givenAt, answers, error) &&
           AuditTrail::append(AuditTrail::Action::TestSave, code, changes, error);
}

} // namespace SubjectHistory
