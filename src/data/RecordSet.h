#pragma once

#include "data/Database.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSqlQuery>
#include <QStringList>

#include <functional>

// A screen's view of one table: a current row (or none), an optional filter on one column by
// exact text, at most one pending new or edited row, and controls bound to columns.
//
// The record set keeps a snapshot of its current row: commits made through other record sets
// become visible after refresh(). Filter values are data, never SQL text. Rows come in table
// order; only the current row and a row count are read, so large tables cost nothing extra.
class RecordSet : public QObject
{
    Q_OBJECT

  public:
    RecordSet(Database::File file, const QString& table, QObject* parent = nullptr);

    Database::File file() const { return file_; }
    QString table() const { return table_; }
    QStringList columns() const { return columns_; }

    // Reads the table again: drops the filter and a pending row, first row current.
    bool refresh();
    // Only rows whose column equals value (compared as text) stay visible; the first of them
    // becomes current. The column name is matched without regard to case.
    bool setFilter(const QString& column, const QString& value);
    bool hasFilter() const { return !filterColumn_.isEmpty(); }
    QString filterColumn() const { return filterColumn_; }
    QString filterValue() const { return filterValue_; }

    int recordCount() const;
    // recordCount() != 0, without counting: whether the last read found a row (or this record
    // set has stored one since).
    bool hasRows() const { return rowsSeen_; }
    bool bof() const { return !hasRow_; }
    bool isNewRow() const { return hasRow_ && rowId_ < 0; }

    void addNew();
    QString field(const QString& column) const;
    // The current row's values of the given columns, in their order.
    QStringList fields(const QStringList& columns) const;
    bool setField(const QString& column, const QString& value);
    // Writes the current row (new or edited), bound controls included. A second commit of an
    // unchanged row writes nothing.
    bool commitRow();

    // Ties a control's "text" property (line edits, labels) to a column. Binding an already
    // bound control to another column first keeps its text in the row buffer.
    bool bind(QObject* control, const QString& column);
    void unbind(QObject* control);
    QString boundColumn(const QObject* control) const;

    // The visible rows, in table order, with the given columns (for grids and reports).
    QSqlQuery select(const QStringList& columns) const;
    // The same rows and columns (without the row number that select() puts first), prepared
    // with the filter's value and not yet run.
    QSqlQuery prepareSelect(const QStringList& columns) const;

    QString lastError() const { return lastError_; }
    // Whether the last commitRow() was refused because the store already holds a row with the
    // same code (a server keeps codes unique even when two workstations enrol at once).
    bool refusedDuplicate() const { return refusedDuplicate_; }
    QString canonicalColumn(const QString& column) const;
    // canonicalColumn() for a column the caller's code names: an unknown one is a fault in that
    // code, asserted in debug builds and logged in release builds.
    QString knownColumn(const QString& column) const;

    // What a commit changes, as a step that puts it back (used when the transaction that held
    // the commit is rolled back): the row is pending again with its edits.
    std::function<void()> commitState();

  signals:
    void currentRowChanged();

  private:
    struct Binding
    {
        QPointer<QObject> control;
        QString column;
    };

    bool loadFirstRow();
    bool filterMatchesNothing() const;
    QString whereClause() const;
    QSqlQuery prepareSelect(QStringList quoted, const QStringList& columns, bool forwardOnly) const;
    void bindFilterValue(QSqlQuery& query) const;
    void pushToControls();
    void pushToControl(const Binding& binding);
    void pullFromControls();
    void pullFromControl(const Binding& binding);
    bool storable(const QStringList& columns);
    bool insertRow();
    bool updateRow(const QStringList& changed);
    QStringList changedColumns() const;
    bool fail(const QString& message, const QString& detail);
    bool failQuery(const QString& message, const QSqlError& error);

    Database::File file_;
    QString table_;
    QStringList columns_;
    QString filterColumn_;
    QString filterValue_;
    bool hasRow_ = false;
    bool rowsSeen_ = false;
    qint64 rowId_ = -1;
    QHash<QString, QString> values_;
    QHash<QString, QString> stored_;
    mutable int count_ = -1;
    QList<Binding> bindings_;
    QString lastError_;
    bool refusedDuplicate_ = false;
};
