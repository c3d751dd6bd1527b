#include "scoring/PrintResultReport.h"

#include "data/Columns.h"
#include "data/DataFailure.h"
#include "data/RecordSet.h"
#include "scoring/DataRPrint.h"
#include "scoring/ReportDestination.h"
#include "scoring/ReportProgress.h"
#include "ui/Notice.h"

#include <QDir>
#include <QPainter>
#include <QSqlQuery>

namespace {

const QStringList& reportColumns()
{
    using namespace SubjectColumn;
    static const QStringList columns{Code,  FirstName,           LastName,
                                     Group, ResultColumn::Score, ResultColumn::Comment};
    return columns;
}

void tellWherePdfIs(QWidget* owner, const QString& path)
{
    Notice::tell(owner, QMessageBox::Information, QStringLiteral("گزارش"),
                 QStringLiteral("چاپگری در دسترس نیست؛ گزارش در این پرونده ذخیره شد:\n%1")
                     .arg(QDir::toNativeSeparators(path)));
}

void tellFailure(QWidget* owner, const QString& reason)
{
    Notice::tell(owner, QMessageBox::Critical, Notice::ErrorTitle,
                 QStringLiteral("گزارش چاپ نشد.\n%1").arg(reason));
}

// Draws the report onto the destination, showing progress over owner when it is long; returns
// the reason when it fails. A report stopped by the operator fails with no reason and leaves
// nothing behind.
QString printOnto(QWidget* owner, ReportDestination& destination, const RecordSet& rows,
                  DataRPrint& report, bool* stopped)
{
    DataFailure::Collector readFailure;
    const int total = rows.recordCount();
    QSqlQuery query = rows.select(reportColumns());
    if (readFailure.failed())
        return readFailure.message();
    QPainter painter;
    if (!destination.begin(painter))
        return destination.error();
    ReportProgress progress(owner, total);
    const auto keepGoing = [&progress](int drawn) { return progress.advance(drawn); };
    if (!report.print(painter, destination.printer(), query, keepGoing) || !progress.finish()) {
        destination.printer().abort(); // nothing half-printed; a partial PDF is dropped
        painter.end();
        *stopped = progress.stopped();
        return *stopped ? QString()
                        : QStringLiteral("چاپگر صفحه تازه‌ای نپذیرفت.");
    }
    if (!destination.finish(painter))
        return destination.error();
    return {};
}

} // namespace

ReportOutcome PrintResultReport(QWidget* owner, const RecordSet& rows, const QString& clinicName,
                                const QString& clinicAddress)
{
    DataRPrint report;
    report.setClinic(clinicName, clinicAddress);
    ReportDestination destination;
    bool stopped = false;
    const QString failure = printOnto(owner, destination, rows, report, &stopped);
    if (stopped)
        return {};
    if (!failure.isEmpty()) {
        tellFailure(owner, failure);
        return {};
    }
    if (destination.toPdf())
        tellWherePdfIs(owner, destination.pdfPath());
    return {true, destination.pdfPath(), report.rowCounter()};
}
