#pragma once

#include <QString>
#include <QStringList>

// The names of the tables and columns of the two database files, as the schema creates them.
// Code names a column through these constants; a misspelt one fails to compile.
namespace TableName {
inline const QString Settings = QStringLiteral("Theme");
inline const QString Subjects = QStringLiteral("IDE");
inline const QString Answers = QStringLiteral("Answer");
inline const QString Results = QStringLiteral("Print1");
inline const QString Administrations = QStringLiteral("Administration");
inline const QString AuditTrail = QStringLiteral("AuditTrail");
} // namespace TableName

// Table Theme: the theme number, the clinic's name and its address.
namespace SettingsColumn {
inline const QString Theme = QStringLiteral("TH");
inline const QString Name = QStringLiteral("Name");
inline const QString Address = QStringLiteral("Adress");
} // namespace SettingsColumn

// Columns that several tables share: the database-assigned row number, and the subject's code,
// names and group (IDE, Answer and Print1 carry the ones they need).
namespace SubjectColumn {
inline const QString Id = QStringLiteral("ID");
inline const QString Code = QStringLiteral("Code");
inline const QString FirstName = QStringLiteral("FName");
inline const QString LastName = QStringLiteral("LName");
inline const QString Age = QStringLiteral("Sen");
inline const QString Sex = QStringLiteral("Jens");
inline const QString Marital = QStringLiteral("Taahol");
inline const QString Education = QStringLiteral("Tahsil");
inline const QString Date = QStringLiteral("Date");
inline const QString Time = QStringLiteral("Time");
inline const QString Group = QStringLiteral("Group");
} // namespace SubjectColumn

// The texts the enrolment panel offers and stores for gender and marital status.
namespace SubjectChoice {
inline const QString Male = QStringLiteral("مرد");
inline const QString Female = QStringLiteral("زن");
inline const QString Single = QStringLiteral("مجرد");
inline const QString Married = QStringLiteral("متأهل");
} // namespace SubjectChoice

// The groups a subject is enrolled in, as offered for choosing.
inline QStringList subjectGroups()
{
    return {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
            QStringLiteral("E"), QStringLiteral("F"), QStringLiteral("G")};
}

// Table Print1: the score and its band text.
namespace ResultColumn {
inline const QString Score = QStringLiteral("Score");
inline const QString Comment = QStringLiteral("Comment");
} // namespace ResultColumn

// Table Administration: every administration of the scale to a subject, numbered 1, 2, … per
// code, with its moment (ISO 8601 local time with offset) and its answers in the columns of
// Answer. The latest administration of a subject equals its row in Answer.
namespace AdministrationColumn {
inline const QString Number = QStringLiteral("Number");
inline const QString AdministeredAt = QStringLiteral("AdministeredAt");
} // namespace AdministrationColumn

// Table AuditTrail, only ever appended to: who changed which field of which subject, and when.
namespace AuditColumn {
inline const QString At = QStringLiteral("At");
inline const QString User = QStringLiteral("User");
inline const QString Host = QStringLiteral("Host");
inline const QString Action = QStringLiteral("Action");
inline const QString Field = QStringLiteral("Field");
inline const QString OldValue = QStringLiteral("OldValue");
inline const QString NewValue = QStringLiteral("NewValue");
} // namespace AuditColumn
