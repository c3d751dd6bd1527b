#pragma once

#include "export/ExportWriter.h"

struct lxw_workbook;
struct lxw_worksheet;
struct lxw_format;

// An Excel workbook of one right-to-left sheet: a bold, frozen header row, then one row per
// administration. Numbers (age, administration, answers, counts, score) are numbers; every
// other cell is written as a string, which a spreadsheet never runs as a formula. Rows go
// straight to the file as they come (constant memory).
class XlsxWriter : public ExportWriter
{
  public:
    XlsxWriter() = default;
    ~XlsxWriter() override;
    XlsxWriter(const XlsxWriter&) = delete;
    XlsxWriter& operator=(const XlsxWriter&) = delete;

    bool begin(const QString& path, int rowCount, const QList<int>& widths) override;
    bool write(const ExportTable::Row& row) override;
    bool end() override;

  private:
    bool writeCell(int column, const ExportTable::Column& kind, const QString& text);
    bool writeText(int column, const QString& text, lxw_format* format);

    lxw_workbook* workbook_ = nullptr;
    lxw_worksheet* sheet_ = nullptr;
    lxw_format* bold_ = nullptr;
    int row_ = 0;
};
