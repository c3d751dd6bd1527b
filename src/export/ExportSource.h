#pragma once

#include "export/ExportTable.h"

#include <QSqlQuery>

#include <memory>

class ScopedConnection;

// Reads the export's rows from the subject file on a private read-only connection, one at a
// time from a forward-only query: memory does not grow with the number of rows.
class ExportSource
{
  public:
    explicit ExportSource(const QString& databasePath);
    ~ExportSource();
    ExportSource(const ExportSource&) = delete;
    ExportSource& operator=(const ExportSource&) = delete;

    // Runs the query; false (with the Persian and English reason) when the file cannot be read.
    bool open(const ExportTable::Filter& filter, QString* persian, QString* english);

    // How many rows the filter selects, and the longest text in bytes (UTF-8) of each column.
    int rowCount() const { return rowCount_; }
    const QList<int>& widths() const { return widths_; }

    // The next row into row; false at the end.
    bool next(ExportTable::Row& row);

    // The groups of the enrolled subjects, each once.
    QStringList groups();

  private:
    bool measure(const ExportTable::Filter& filter, QString* reason);
    ExportTable::Row rowOf() const;

    std::unique_ptr<ScopedConnection> connection_;
    std::unique_ptr<QSqlQuery> query_;
    int rowCount_ = 0;
    QList<int> widths_;
};
