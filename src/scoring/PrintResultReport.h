#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QImage;

class QWidget;
class RecordSet;

struct ReportOutcome
{
    bool printed = false; // the whole report reached the printer or its PDF file
    QString pdfPath;      // where the PDF was put, when there was no printer
    int lines = 0;        // detail lines printed
};

// Prints the result report over the visible rows of a Print1 record set, in table order,
// numbered from 1, under the clinic's name and above its address: straight to the default
// printer with no dialog, or, with no printer, as a PDF in Reports/, and then tells the user
// where it is. A long report shows its progress and can be stopped: nothing is printed or
// written then, and nothing is said. A failure is told to the user; nothing is left
// half-written.
ReportOutcome PrintResultReport(QWidget* owner, const RecordSet& rows,
                                const QString& clinicName = {}, const QString& clinicAddress = {});

// A caption and the value printed beside it (the value in its own reading direction).
struct PrintedField
{
    QString caption;
    QString value;
};

// Prints one page, right to left: the heading, the fields, the lines of text under them and
// the picture (a chart) below, scaled to the page's width, the same way and to the same places
// as the result report. A failure is told to the user.
ReportOutcome PrintTextAndPicture(QWidget* owner, const QString& heading,
                                  const QList<PrintedField>& fields, const QStringList& lines,
                                  const QImage& picture);
