#include "scoring/PrintResultReport.h"

#include "data/Columns.h"
#include "data/DataFailure.h"
#include "data/RecordSet.h"
#include "scoring/DataRPrint.h"
#include "scoring/ReportDestination.h"
#include "scoring/ReportProgress.h"
#include "ui/Notice.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSqlQuery>
#include <QTextOption>

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

// The page of PrintTextAndPicture: heading, lines, then the picture in the rest of the page.
void drawTextAndPicture(QPainter& painter, const QRect& page, const QString& heading,
                        const QList<PrintedField>& fields, const QStringList& lines,
                        const QImage& picture)
{
    painter.setLayoutDirection(Qt::RightToLeft);
    QFont font(QStringLiteral("Nazli"));
    font.setPointSizeF(14);
    painter.setFont(font);
    const int step = painter.fontMetrics().lineSpacing();
    int top = page.top();
    painter.drawText(QRect(page.left(), top, page.width(), step * 2), Qt::AlignCenter, heading);
    top += step * 2;
    font.setPointSizeF(9);
    painter.setFont(font);
    const int lineStep = painter.fontMetrics().lineSpacing();
    const int captionWidth = page.width() / 5;
    for (const PrintedField& field : fields) {
        painter.drawText(QRect(page.right() - captionWidth, top, captionWidth, lineStep),
                         Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter, field.caption);
        const Qt::LayoutDirection direction =
            field.value.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
        QTextOption option(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
        option.setTextDirection(direction);
        option.setWrapMode(QTextOption::NoWrap);
        painter.setLayoutDirection(direction);
        painter.drawText(QRectF(page.left(), top, page.width() - captionWidth - lineStep, lineStep),
                         field.value, option);
        painter.setLayoutDirection(Qt::RightToLeft);
        top += lineStep;
    }
    for (const QString& line : lines) {
        painter.drawText(QRect(page.left(), top, page.width(), lineStep),
                         Qt::AlignRight | Qt::AlignVCenter, line);
        top += lineStep;
    }
    if (picture.isNull() || top >= page.bottom())
        return;
    const QSize room(page.width(), page.bottom() - top - lineStep);
    const QSize size = picture.size().scaled(room, Qt::KeepAspectRatio);
    painter.drawImage(
        QRect(QPoint(page.left() + (page.width() - size.width()) / 2, top + lineStep), size),
        picture);
}

} // namespace

ReportOutcome PrintTextAndPicture(QWidget* owner, const QString& heading,
                                  const QList<PrintedField>& fields, const QStringList& lines,
                                  const QImage& picture)
{
    ReportDestination destination;
    QPainter painter;
    QString failure;
    if (!destination.begin(painter)) {
        failure = destination.error();
    } else {
        drawTextAndPicture(painter,
                           QRect(0, 0, painter.device()->width(), painter.device()->height()),
                           heading, fields, lines, picture);
        if (!destination.finish(painter))
            failure = destination.error();
    }
    if (!failure.isEmpty()) {
        tellFailure(owner, failure);
        return {};
    }
    if (destination.toPdf())
        tellWherePdfIs(owner, destination.pdfPath());
    return {true, destination.pdfPath(), static_cast<int>(lines.size())};
}

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
