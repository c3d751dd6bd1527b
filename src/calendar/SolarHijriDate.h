#pragma once

#include <QDateTime>
#include <QString>

// A moment of the local clock as a Solar Hijri date text. Only the calendar date counts.
// Layouts: 0 "Y/MM/DD", 1 "D monthname Y", 2 "weekday Y/M/D", 3 "weekday D monthname Y",
// 4 "Y.M.D"; any other layout gives the empty text, and so does a date before 21 March 1953,
// the start of the day count.
QString SolarHijriDate(const QDateTime& moment, int layout = 0);

struct SolarHijriDay
{
    int year;
    int month;
    int day;
};

// Days since 21 March 1953 (1 Farvardin 1332) to year, month and day; dayCount >= 0.
SolarHijriDay DaysToSolarHijri(qint64 dayCount);
bool IsSolarHijriLeap(int year);

// The Gregorian date of a Solar Hijri day (the inverse of DaysToSolarHijri); an invalid date
// for a day that does not exist or lies before 1 Farvardin 1332.
QDate SolarHijriToDate(int year, int month, int day);
// Reads a date text of layout 0 ("Y/MM/DD", also with one-digit parts or Persian digits);
// an invalid date when it is no such date.
QDate ParseSolarHijriDate(const QString& text);
