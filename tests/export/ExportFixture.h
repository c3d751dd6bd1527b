#pragma once

// The subjects and administrations the export tests write and read back: ordinary ones and
// hostile texts, several administrations of one subject, a subject with none, and an
// administration whose subject is missing. expectedRows() is the table an export must give.

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace ExportFixture {

struct Person
{
    QStringList details; // Code, FName, LName, Sen, Jens, Taahol, Tahsil, Date, Time, Group
};

struct Administration
{
    QString code;
    int number;
    QString at;      // ISO 8601 with offset
    QString answers; // fifteen characters: '1', '0', ' ' (empty) or 'x' (a stray text)
};

QList<Person> people();
QList<Administration> administrations();

// Writes people() and administrations() into the subject file of the working folder.
void write();
// Adds one administration.
void add(const Administration& administration);
// Adds count administrations of codes P0, P1, … with no subject row, in one transaction.
void addMany(int count, const QString& at, const QString& answers);

// The rows an export of the group (null: all) between the days (invalid: open) must hold, in
// order, as texts: an unanswered item empty, Answered, Score and Band as the scale defines.
QList<QStringList> expectedRows(const QString& group = QString(), QDate from = {}, QDate to = {});

// The column names in order.
QStringList header();

} // namespace ExportFixture
