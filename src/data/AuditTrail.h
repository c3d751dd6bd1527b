#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>

// The audit trail: one row per changed field of a subject, appended in the transaction of the
// change and never edited.
namespace AuditTrail {

// The fixed keys of the actions recorded.
namespace Action {
inline const QString Enrolment = QStringLiteral("enrolment");
inline const QString TestSave = QStringLiteral("test-save");
inline const QString Retest = QStringLiteral("retest");
inline const QString Scoring = QStringLiteral("scoring");
inline const QString SubjectEdit = QStringLiteral("subject-edit");
inline const QString Restore = QStringLiteral("restore");
} // namespace Action

struct Change
{
    QString field;
    QString oldValue;
    QString newValue;
};

struct Entry
{
    QString at; // ISO 8601 with offset
    QString user;
    QString host;
    QString action;
    QString code;
    Change change;
};

// The fields whose values differ between before and after (matched by position).
QList<Change> changes(const QStringList& fields, const QStringList& before,
                      const QStringList& after);

// Appends one row per change on the subject file's connection (the caller's transaction
// holds it). False with SQLite's reason when a row is not written.
bool append(const QString& action, const QString& code, const QList<Change>& changes,
            QString* error);

// The same on the given connection (a file not yet in place, inside its filling transaction).
bool append(QSqlDatabase& db, const QString& action, const QString& code,
            const QList<Change>& changes, QString* error);

// The subject's trail, oldest first; empty when there is none or reading failed.
QList<Entry> entries(const QString& code, QString* error = nullptr);

// The operating-system user and the computer's name, as recorded.
QString currentUser();
QString currentHost();

} // namespace AuditTrail
