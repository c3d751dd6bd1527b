#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// The table an export writes: one row per administration, ordered by subject code and then
// administration number, in a fixed list of columns. Every format reads the same rows.
namespace ExportTable {

// What a column holds, which decides how each format stores it.
enum class Kind
{
    Text,   // any text, kept as it is
    Number, // a whole number as text; empty (or not a number) when unknown
    Answer, // "1" yes, "0" no, empty unanswered
    Coded,  // one of a short list of texts (gender, marital status)
};

struct ValueLabel
{
    double value;
    QString text;
};

struct Column
{
    QString name; // the column's name (an ASCII variable name)
    Kind kind;
    QString label;            // its Persian description
    QList<ValueLabel> values; // the labelled values of Answer and Coded columns
};

// The columns in order: Code, FName, LName, Sen, Jens, Taahol, Tahsil, Date, Time, Group,
// Administration, AdministeredAt, AdministeredDate, q1 … q15, Answered, Score, Band.
const QList<Column>& columns();
QStringList columnNames();

// The stored text of a Coded column as its code; -1 for an empty text and 0 for a text that is
// not one of the column's values.
int codeOf(const Column& column, const QString& text);

// Which administrations to export: one group (all when null) and administrations between two
// days of the local calendar, inclusive (open where invalid).
struct Filter
{
    QString group;
    QDate from;
    QDate to;
};

// One row: the texts of every column, in column order.
using Row = QStringList;

} // namespace ExportTable
