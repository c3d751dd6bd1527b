#pragma once

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Every administration of the scale to a subject, kept in table Administration beside the
// latest one in Answer. All writes run on the subject file's connection, inside the caller's
// transaction.
namespace SubjectHistory {

struct Administration
{
    int number = 0;
    QString administeredAt; // ISO 8601, local time with its offset
    QStringList answers;    // answers[n - 1] is item n's answer: "1", "0" or empty
};

// How a save of the test screen treats the answers in Answer.
enum class SaveKind
{
    Correction, // they correct the latest administration
    Retest      // they are a new administration given now
};

// A moment as stored: ISO 8601 local time with the offset from UTC.
QString momentText(const QDateTime& moment);
// The local time of a stored moment; invalid when the text is no such moment.
QDateTime momentOf(const QString& text);

// The moment of an enrolment from its Solar Hijri date text ("Y/MM/DD") and its clock text
// (e.g. "14:05:09" or "2:05:09 PM"); an unreadable time counts as midnight. When the date is
// unreadable, the fallback moment is taken.
QDateTime enrolmentMoment(const QString& date, const QString& time, const QDateTime& fallback);

// Gives every subject that has answers but no administration its administration 1 from its
// Answer row, dated from its enrolment (or, when that date is unreadable, from now). One
// statement over the code index; false with SQLite's reason when it fails.
bool seed(QSqlDatabase& db, QString* error);

// The subject's administrations in their order; empty when there are none or reading failed
// (error then says why).
QList<Administration> administrations(const QString& code, QString* error = nullptr);

// The subject's details (the IDE row's columns, in the schema's order) as they stand now.
using SubjectDetails = QStringList;
SubjectDetails subjectDetails(const QString& code);
// Writes to the audit trail each detail that differs from before ("subject-edit").
bool recordSubjectEdit(const QString& code, const SubjectDetails& before, QString* error);

// Records the answers the subject's Answer row now holds, after the test screen saved it:
// a retest adds the next administration dated now; a correction updates the latest one (an
// administration without any answer yet is dated now), or adds administration 1. Each changed
// answer is written to the audit trail. False with the reason when a write fails.
bool recordAnswers(const QString& code, SaveKind kind, const QDateTime& now, QString* error);

} // namespace SubjectHistory
