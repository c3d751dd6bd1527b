#include "data/AuditTrail.h"

#include "data/Columns.h"
#include "data/Database.h"
#include "data/SubjectHistory.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>

namespace AuditTrail {

QList<Change> changes(const QStringList& fields, const QStringList& before,
                      const QStringList& after)
{
    QList<Change> changed;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const QString old = before.value(i);
        const QString now = after.value(i);
        if (old != now)
            changed << Change{fields[i], old, now};
    }
    return changed;
}

bool append(const QString& action, const QString& code, const QList<Change>& changes,
            QString* error)
{
    QSqlDatabase db = Database::connection(Database::File::Subjects);
    return append(db, action, code, changes, error);
}

bool append(QSqlDatabase& db, const QString& action, const QString& code,
            const QList<Change>& changes, QString* error)
{
    if (changes.isEmpty())
        return true;
    QSqlQuery insert(db);
    insert.prepare(
        QStringLiteral("INSERT INTO \"%1\" (\"At\", \"User\", \"Host\", \"Action\", \"Code\", "
                       "\"Field\", \"OldValue\", \"NewValue\") VALUES (?, ?, ?, ?, ?, ?, ?, ?)")
            .arg(TableName::AuditTrail));
    const QString at = SubjectHistory::momentText(QDateTime::currentDateTime());
    for (const Change& change : changes) {
        for (const QString& value : {at, currentUser(), currentHost(), action, code, change.field,
                                     change.oldValue, change.newValue})
            insert.addBindValue(value.isNull() ? QStringLiteral("") : value); // never NULL
        if (!insert.exec()) {
            if (error)
                *error = insert.lastError().text();
            return false;
        }
    }
    return true;
}

QList<Entry> entries(const QString& code, QString* error)
{
    QList<Entry> all;
    QSqlDatabase db = Database::connection(Database::File::Subjects);
    if (!db.isOpen()) {
        if (error)
            *error = Database::lastError(Database::File::Subjects);
        return all;
    }
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(
        QStringLiteral("SELECT \"At\", \"User\", \"Host\", \"Action\", \"Code\", \"Field\", "
                       "\"OldValue\", \"NewValue\" FROM \"%1\" WHERE \"Code\" = ? ORDER BY \"ID\"")
            .arg(TableName::AuditTrail));
    query.addBindValue(code);
    if (!query.exec()) {
        if (error)
            *error = query.lastError().text();
        return all;
    }
    while (query.next()) {
        const auto text = [&query](int column) { return query.value(column).toString(); };
        all << Entry{text(0), text(1), text(2), text(3), text(4), {text(5), text(6), text(7)}};
    }
    return all;
}

QString currentUser()
{
    static const QString user = [] {
        QString name = qEnvironmentVariable("USER");
        if (name.isEmpty())
            name = qEnvironmentVariable("USERNAME");
        if (name.isEmpty())
            name = qEnvironmentVariable("LOGNAME");
        return name;
    }();
    return user;
}

QString currentHost()
{
    static const QString host = QSysInfo::machineHostName();
    return host;
}

} // namespace AuditTrail
