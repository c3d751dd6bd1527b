#pragma once

// Independent readers of the exported files: a strict RFC 4180 parser, the worksheet XML inside
// the .xlsx (through unzip), and the readstat tool for .sav.

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>

namespace ExportReaders {

// Records of CSV text: fields separated by commas, records ended by lineEnd, a field with a
// comma, quote or line break in double quotes with its quotes doubled. Anything else (a bare
// quote, a line break outside quotes, a missing last line end) is an error.
QList<QStringList> parseCsv(const QString& text, const QString& lineEnd, QString* error);

struct Sheet
{
    QList<QStringList> cells;      // rows of the sheet, every row as wide as the widest
    QSet<QPair<int, int>> numbers; // (row, column) of numeric cells
    bool hasFormula = false;
    bool rightToLeft = false;
    bool headerFrozen = false;
    bool headerBold = false;
};
// The first worksheet of an .xlsx file; error set when it cannot be read.
Sheet readXlsx(const QString& path, QString* error);

// A .sav file as readstat writes it out as CSV.
QList<QStringList> readSav(const QString& path, QString* error);
// What readstat tells of the file as a whole (format, encoding, columns, rows).
QString savSummary(const QString& path);

// The dictionary of a .sav file as ReadStat's parser reads it.
struct SavVariable
{
    QString name;
    QString label;
    bool numeric;
    QMap<double, QString> valueLabels;
};
QList<SavVariable> savDictionary(const QString& path, QString* error);

} // namespace ExportReaders
