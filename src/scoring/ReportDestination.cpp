#include "scoring/ReportDestination.h"

#include "calendar/SolarHijriDate.h"
#include "data/DurableFile.h"
#include "data/ProgramPaths.h"
#include "questionnaire/Questionnaires.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinterInfo>
#include <QTemporaryFile>

namespace {
constexpr int NameAttempts = 100;
}

ReportDestination::ReportDestination() : toPdf_(!hasDefaultPrinter())
{
    if (toPdf_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setPageSize(QPageSize(QPageSize::A4));
    } else {
        printer_ =
            std::make_unique<QPrinter>(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    }
    printer_->setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    printer_->setDocName(Questionnaires::geriatricDepression().shortName);
}

ReportDestination::~ReportDestination() = default;

bool ReportDestination::hasDefaultPrinter()
{
    return !qEnvironmentVariableIsSet("SENVORA_NO_PRINTER") &&
           !QPrinterInfo::defaultPrinter().isNull();
}

bool ReportDestination::begin(QPainter& painter)
{
    if (toPdf_ && !preparePdf())
        return false;
    if (painter.begin(printer_.get()))
        return true;
    error_ = toPdf_ ? QStringLiteral("پرونده گزارش در «%1» نوشته نشد.").arg(reportsFolder())
                    : QStringLiteral("چاپگر «%1» گزارش را نپذیرفت.").arg(printer_->printerName());
    return false;
}

bool ReportDestination::finish(QPainter& painter)
{
    const bool ended = painter.end();
    if (!ended || printer_->printerState() == QPrinter::Error) {
        error_ =
            toPdf_
                ? QStringLiteral("پرونده گزارش در «%1» نوشته نشد.").arg(reportsFolder())
                : QStringLiteral("چاپ گزارش در چاپگر «%1» انجام نشد.").arg(printer_->printerName());
        return false;
    }
    return !toPdf_ || placePdf();
}

QString ReportDestination::reportsFolder()
{
    return ProgramPaths::reportsFolder();
}

// The folder is made, owner-only, when it is missing; the report is written beside its final
// place under a temporary name.
bool ReportDestination::preparePdf()
{
    const QString folder = reportsFolder();
    if (!QFileInfo(folder).isDir()) {
        if (!QDir().mkpath(folder)) {
            error_ = QStringLiteral("پوشه گزارش‌ها («%1») ساخته نشد.")
                         .arg(folder);
            return false;
        }
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    partial_ = std::make_unique<QTemporaryFile>(folder + QStringLiteral("/.report-XXXXXX.part"));
    if (!partial_->open()) {
        error_ = QStringLiteral("در پوشه «%1» نمی‌توان نوشت.").arg(folder);
        return false;
    }
    partial_->close();
    printer_->setOutputFileName(partial_->fileName());
    return true;
}

QString ReportDestination::datedName(int attempt)
{
    const QDateTime now = QDateTime::currentDateTime();
    QString name = QStringLiteral("%1-%2-%3")
                       .arg(Questionnaires::geriatricDepression().shortName, SolarHijriDate(now, 4),
                            now.toString(QStringLiteral("HHmmss")));
    if (attempt > 1)
        name += QStringLiteral("-%1").arg(attempt);
    return name + QStringLiteral(".pdf");
}

// The finished file takes the first free dated name; an existing report is never replaced.
bool ReportDestination::placePdf()
{
    QFile::setPermissions(partial_->fileName(), QFile::ReadOwner | QFile::WriteOwner);
    for (int attempt = 1; attempt <= NameAttempts; ++attempt) {
        const QString target = QDir(reportsFolder()).absoluteFilePath(datedName(attempt));
        if (QFileInfo::exists(target))
            continue;
        if (DurableFile::replace(partial_->fileName(), target)) {
            partial_->setAutoRemove(false);
            pdfPath_ = target;
            return true;
        }
    }
    error_ = QStringLiteral("پرونده گزارش در «%1» نام‌گذاری نشد.")
                 .arg(reportsFolder());
    return false;
}
