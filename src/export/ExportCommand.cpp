#include "export/ExportCommand.h"

#include "calendar/SolarHijriDate.h"
#include "data/Columns.h"
#include "data/DataFailure.h"
#include "data/Database.h"
#include "export/ExportJob.h"
#include "export/ExportSource.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace ExportCommand {

namespace {

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
    *day = ParseSolarHijriDate(text);
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
    // The files are checked as on every start: a missing one is created, one of an earlier
    // version gets the tables it lacks.
    DataFailure::Collector quiet; // no box: the failure is told here
    if (const QString problem = Database::verify(); !problem.isEmpty())
        return refuse(problem, QStringLiteral("the program folder's databases cannot be used"));
    const QString subjects = Database::absolutePath(Database::File::Subjects);
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
