#include "export/ExportCommand.h"

#include "calendar/SolarHijriDate.h"
#include "data/Columns.h"
#include "data/DataFailure.h"
#include "data/Database.h"
#include "export/ExportJob.h"
#include "export/ExportSource.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <cstdio>

namespace ExportCommand {

namespace {

// The first day the calendar counts from: 1 Farvardin 1332.
const QDate Epoch(1953, 3, 21);
constexpr int EpochYear = 1332;

int monthLength(int year, int month)
{
    if (month <= 6)
        return 31;
    if (month <= 11)
        return 30;
    return IsSolarHijriLeap(year) ? 30 : 29;
}

void printLine(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fflush(stream);
}

int refuse(const QString& persian, const QString& english, int status = 1)
{
    printLine(stderr, persian + QStringLiteral(" — ") + english);
    return status;
}

// Reads a date option; false (after saying so) for a text that is not a date.
bool readDay(const QString& option, const QString& text, QDate* day)
{
    if (text.isNull())
        return true;
    *day = dayOfSolarHijri(text);
    if (day->isValid())
        return true;
    refuse(QStringLiteral("تاریخ «%1» برای %2 درست نیست؛ به شکل سال/ماه/روز خورشیدی بنویسید، "
                          "مانند 1405/09/20.")
               .arg(text, option),
           QStringLiteral("bad date \"%1\" for %2: write a Solar Hijri YYYY/MM/DD, e.g. "
                          "1405/09/20")
               .arg(text, option),
           2);
    return false;
}

bool isKnownGroup(const QString& group)
{
    if (subjectGroups().contains(group))
        return true;
    ExportSource source(Database::absolutePath(Database::File::Subjects));
    return source.groups().contains(group);
}

} // namespace

QDate dayOfSolarHijri(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9]{4})/([0-9]{1,2})/([0-9]{1,2})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return {};
    const int year = match.captured(1).toInt();
    const int month = match.captured(2).toInt();
    const int day = match.captured(3).toInt();
    if (year < EpochYear || month < 1 || month > 12 || day < 1 || day > monthLength(year, month))
        return {};
    qint64 days = day - 1 + (month <= 7 ? (month - 1) * 31 : 186 + (month - 7) * 30);
    for (int y = EpochYear; y < year; ++y)
        days += IsSolarHijriLeap(y) ? 366 : 365;
    return Epoch.addDays(days);
}

int run(const Options& options)
{
    if (const auto refused = ExportJob::extensionProblem(options.file))
        return refuse(refused->persian, refused->english, 2);
    ExportTable::Filter filter;
    if (!readDay(QStringLiteral("--from"), options.from, &filter.from) ||
        !readDay(QStringLiteral("--to"), options.to, &filter.to))
        return 2;
    if (filter.from.isValid() && filter.to.isValid() && filter.from > filter.to)
        return refuse(QStringLiteral("تاریخ --from پس از تاریخ --to است."),
                      QStringLiteral("--from is after --to"), 2);
    // The export only reads: an existing subject file is left exactly as it is; a missing one
    // is created as on a first start.
    const QString subjects = Database::absolutePath(Database::File::Subjects);
    DataFailure::Collector quiet; // no box: the failure is told here
    if (!QFileInfo::exists(subjects)) {
        if (const QString problem = Database::verify(); !problem.isEmpty())
            return refuse(problem, QStringLiteral("the program folder's databases cannot be used"));
    }
    if (!options.group.isNull()) {
        if (!isKnownGroup(options.group))
            return refuse(QStringLiteral("گروه «%1» در آزمودنی‌ها نیست.")
                              .arg(options.group),
                          QStringLiteral("unknown group \"%1\"").arg(options.group), 2);
        filter.group = options.group;
    }
    ExportJob job;
    if (!job.run(subjects, options.file, filter))
        return refuse(job.problem().persian, job.problem().english);
    const QString where = QDir::toNativeSeparators(QFileInfo(options.file).absoluteFilePath());
    printLine(stdout, QStringLiteral("%1 ردیف در «%2» نوشته شد — %1 rows written to %2")
                          .arg(job.rowsWritten())
                          .arg(where));
    return 0;
}

} // namespace ExportCommand
