#pragma once

#include <QPrinter>
#include <QString>

#include <memory>

class QPainter;
class QTemporaryFile;

// Where a report is printed: straight to the default printer, with no dialog; or, when the
// machine has none (or SENVORA_NO_PRINTER is set), into a PDF file in Reports/ of the program
// folder. The PDF is written to a temporary file and takes its dated, unique name only when
// it is complete; it is readable by its owner only.
class ReportDestination
{
  public:
    ReportDestination();
    ~ReportDestination();
    ReportDestination(const ReportDestination&) = delete;
    ReportDestination& operator=(const ReportDestination&) = delete;

    static bool hasDefaultPrinter();

    bool toPdf() const { return toPdf_; }
    QPrinter& printer() { return *printer_; }

    // Opens the destination and begins the painter on it.
    bool begin(QPainter& painter);
    // Ends the painter and, for a PDF, puts the finished file in place.
    bool finish(QPainter& painter);

    // Where the PDF was put (after finish()).
    QString pdfPath() const { return pdfPath_; }
    // Why begin() or finish() failed, in Persian.
    QString error() const { return error_; }

  private:
    bool preparePdf();
    bool placePdf();
    static QString reportsFolder();
    static QString datedName(int attempt);

    bool toPdf_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QTemporaryFile> partial_;
    QString pdfPath_;
    QString error_;
};
