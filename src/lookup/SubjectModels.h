#pragma once

#include "data/Database.h"

#include <QSqlQueryModel>
#include <QStringList>
#include <QStringListModel>

class RecordSet;

// The visible rows of a record set, as currently filtered, for a grid: fetched from the
// database a page at a time as the grid scrolls, never copied whole. Read-only.
class RecordSetGridModel : public QSqlQueryModel
{
    Q_OBJECT

  public:
    // The columns shown and their headings, in order.
    RecordSetGridModel(const QStringList& columns, const QStringList& headings,
                       QObject* parent = nullptr);

    // Reads the record set's rows again, with its current filter, in table order.
    bool show(const RecordSet& records);

  private:
    QStringList columns_;
    QStringList headings_;
};

// Each value of a column of a table once, in Persian alphabetical order: the entries of a
// drop-down list. The database gives them in code-point order (through the column's index,
// one seek a value) and they are sorted here, so the files need no ordering of their own.
class DistinctValuesModel : public QStringListModel
{
    Q_OBJECT

  public:
    DistinctValuesModel(const RecordSet& records, const QString& column, QObject* parent = nullptr);
};

// The first values of a column, each once and in Persian alphabetical order, that begin with a
// prefix: what a completer offers while the operator types, read through the column's index.
class PrefixValuesModel : public QStringListModel
{
    Q_OBJECT

  public:
    static constexpr int Offered = 50;

    PrefixValuesModel(const RecordSet& records, const QString& column, QObject* parent = nullptr);

    void setPrefix(const QString& prefix);

  private:
    Database::File file_;
    QString table_;
    QString column_;
};

// Sorts texts in Persian alphabetical order (پ after ب, ک and گ after ق, ی last; the Arabic
// forms of Yeh and Kaf with their Persian letters).
void sortPersian(QStringList& texts);
