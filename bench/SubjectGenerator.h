#pragma once

#include <QString>

// Fills the subject database of the working folder with synthetic subjects: IDE rows with
// Persian names, ages, dates and groups, Answer rows with answers and Print1 rows with the
// score and its band text. Every value is a function of the subject's index, so the benchmark
// can ask what any subject holds without reading it back.
namespace SubjectGenerator {

// The group whose report the benchmark prints, and how many rows it has once the registry is
// large enough (below that the whole table makes the report).
inline constexpr int ReportRows = 1000;
QString reportGroup();
// Whether group reportGroup() holds exactly ReportRows subjects for this many subjects.
bool hasReportGroup(int subjects);

QString codeOf(int index);
QString firstNameOf(int index);
QString familyNameOf(int index);
// The group a real report prints: about a sixth of the subjects.
inline const QString RealGroup = QStringLiteral("A");
QString groupOf(int index, int subjects);
// Fifteen answers "1"/"0", or empty for the subjects who have not taken the test yet.
QString answersOf(int index);
bool hasTakenTest(int index);
int scoreOf(int index); // -1 when the test was not taken

// Writes the subjects in one transaction with prepared statements. Returns the empty text on
// success, else what failed.
QString fill(int subjects);

} // namespace SubjectGenerator
