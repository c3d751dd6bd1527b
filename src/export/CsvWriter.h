#pragma once

#include "export/ExportWriter.h"

#include <QFile>

// UTF-8 with a byte-order mark (so that spreadsheets read the Persian correctly), comma
// separated, quoted as RFC 4180 asks (a field with a comma, quote, CR or LF in double quotes,
// its quotes doubled), CRLF line ends; a text that could run as a formula gets a leading
// apostrophe (CellText::neutralised). NUL and every other character are written as they are.
class CsvWriter : public ExportWriter
{
  public:
    bool begin(const QString& path, int rowCount, const QList<int>& widths) override;
    bool write(const ExportTable::Row& row) override;
    bool end() override;

  private:
    bool writeLine(const QStringList& fields);

    QFile file_;
};
