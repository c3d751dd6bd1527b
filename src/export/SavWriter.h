#pragma once

#include "export/ExportWriter.h"

#include <QFile>
#include <QList>

struct readstat_writer_s;
struct readstat_variable_s;

// An SPSS data file (.sav) through ReadStat: the column names as variable names, Persian
// variable labels, value labels for the answers (1 yes, 0 no), gender and marital status
// (1 and 2 as the enrolment panel offers them, 0 for any other text), UTF-8 strings. Age,
// administration, the answers, the number answered and the score are numeric, an empty or
// non-numeric text being system-missing. SPSS fixes each string's width before the first row:
// it is the longest text of the column (up to 32,767 bytes; a longer text is cut); strings
// cannot hold NUL (written as U+FFFD) and lose trailing blanks.
class SavWriter : public ExportWriter
{
  public:
    SavWriter() = default;
    ~SavWriter() override;
    SavWriter(const SavWriter&) = delete;
    SavWriter& operator=(const SavWriter&) = delete;

    bool begin(const QString& path, int rowCount, const QList<int>& widths) override;
    bool write(const ExportTable::Row& row) override;
    bool end() override;

    // Called by ReadStat with the bytes of the file.
    bool append(const void* bytes, qint64 length);

  private:
    void addVariables(const QList<int>& widths);
    bool check(int status);

    readstat_writer_s* writer_ = nullptr;
    QList<readstat_variable_s*> variables_;
    QList<int> widths_;
    QFile file_;
};
