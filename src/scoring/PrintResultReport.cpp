#include "scoring/PrintResultReport.h"

#include "data/Columns.h"
#include "data/DataFailure.h"
#include "data/RecordSet.h"
#include "scoring/DataRPrint.h"
#include "scoring/ReportDestination.h"
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

// Draws the report onto the destination; returns the reason when it fails.
QString printOnto(ReportDestination& destination, const RecordSet& rows, DataRPrint& report)
{
    DataFailure::Collector readFailure;
    QSqlQuery query = rows.select(reportColumns());
    if (readFailure.failed())
        return readFailure.message();
    QPainter painter;
    if (!destination.begin(painter))
        return destination.error();
    if (!report.print(painter, destination.printer(), query)) {
        destination.printer().abort(); // nothing half-printed; a partial PDF is dropped
        painter.end();
        return QStringLiteral("چاپگر صفحه تازه‌ای نپذیرفت.");
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
    const QString failure = printOnto(destination, rows, report);
    if (!failure.isEmpty()) {
        tellFailure(owner, failure);
        return {};
    }
    if (destination.toPdf())
        tellWherePdfIs(owner, destination.pdfPath());
    return {true, destination.pdfPath(), report.rowCounter()};
}
