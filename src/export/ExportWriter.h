#pragma once

#include "export/ExportTable.h"

#include <QList>
#include <QString>

#include <memory>

// Writes the export table into one file format. begin() is given the path of a fresh file to
// fill, the number of rows to come and the longest text (UTF-8 bytes) of each column; then
// each row in order; end() completes the file. After a false return error() says why (in
// English, as the platform or library gives it) and the file is unusable.
class ExportWriter
{
  public:
    enum class Format
    {
        Csv,
        Xlsx,
        Sav
    };

    virtual ~ExportWriter() = default;
    virtual bool begin(const QString& path, int rowCount, const QList<int>& widths) = 0;
    virtual bool write(const ExportTable::Row& row) = 0;
    virtual bool end() = 0;
    QString error() const { return error_; }

    // The format named by the file's extension (.csv, .xlsx, .sav, in any case).
    static std::optional<Format> formatOf(const QString& path);
    static std::unique_ptr<ExportWriter> make(Format format);

  protected:
    bool fail(const QString& reason)
    {
        error_ = reason;
        return false;
    }

  private:
    QString error_;
};
