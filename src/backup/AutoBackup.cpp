#include "backup/AutoBackup.h"

#include "calendar/SolarHijriDate.h"
#include "data/Database.h"
#include "data/DurableFile.h"
#include "data/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUuid>

#include <algorithm>
#include <memory>

namespace AutoBackup {

namespace {

constexpr int dailyKept = 7;
constexpr int weeklyKept = 4;

QString temporarySuffix()
{
    return QStringLiteral(".partial");
}

const QRegularExpression& namePattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"(^auto-(\d{4}-\d{2}-\d{2}) \([^()/]*\)\.mdbB$)"));
    return pattern;
}

// The folder, made owner-only; the empty text when it is usable.
QString prepareFolder()
{
    const QString path = ProgramPaths::absolute(folder());
    const QFileInfo info(path);
    if (info.exists() && !info.isDir())
        return QStringLiteral(
                   "به جای پوشه «%1» پرونده‌ای با همین نام هست.")
            .arg(folder());
    if (!QDir().mkpath(path))
        return QStringLiteral("پوشه «%1» ساخته نشد.").arg(folder());
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return {};
}

// Whatever a snapshot cut short left behind: its temporary file and SQLite's side files.
void removeLeftovers(const QDir& dir)
{
    const QStringList leftovers =
        dir.entryList({QLatin1Char('*') + temporarySuffix() + QLatin1Char('*')},
                      QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : leftovers)
        QFile::remove(dir.absoluteFilePath(name));
}

QList<QDate> snapshotDays(const QDir& dir)
{
    QList<QDate> days;
    for (const QString& name : dir.entryList({QStringLiteral("auto-*.mdbB")}, QDir::Files)) {
        if (const QDate day = dayOf(name); day.isValid())
            days << day;
    }
    return days;
}

QString sqlText(const QString& text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// SQLite's own integrity check of the whole file, on a connection of its own.
QString integrityProblem(const QString& path)
{
    const QString name = QStringLiteral("senvora-auto-check-") + QUuid::createUuid().toString();
    QString problem;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (!db.open()) {
            problem = db.lastError().text();
        } else {
            QSqlQuery check(db);
            if (!check.exec(QStringLiteral("PRAGMA integrity_check")) || !check.next())
                problem = check.lastError().text();
            else if (check.value(0).toString() != QLatin1String("ok"))
                problem = check.value(0).toString();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return problem.isEmpty()
               ? QString()
               : QStringLiteral("نسخه ساخته‌شده سالم نبود: %1").arg(problem);
}

// Writes the snapshot under a temporary name, checks it and puts it in place.
QString makeSnapshot(const QDir& dir, const QDate& day)
{
    const QString target = dir.absoluteFilePath(fileName(day));
    const QString temporary = target + temporarySuffix();
    // A connection of its own: the snapshot may be taken on a thread other than the screens'.
    ScopedConnection live(Database::absolutePath(Database::File::Subjects),
                          Database::Access::ReadOnly);
    if (!live.isOpen())
        return live.db().lastError().text();
    QSqlQuery vacuum(live.db());
    QString problem;
    if (!vacuum.exec(QStringLiteral("VACUUM INTO ") + sqlText(temporary)))
        problem = vacuum.lastError().text();
    if (problem.isEmpty())
        problem = integrityProblem(temporary);
    if (problem.isEmpty()) {
        QFile::setPermissions(temporary, QFile::ReadOwner | QFile::WriteOwner);
        DurableFile::replace(temporary, target, &problem);
    }
    if (!problem.isEmpty())
        removeLeftovers(dir);
    return problem;
}

void deleteUnkept(const QDir& dir)
{
    const QList<QDate> kept = daysToKeep(snapshotDays(dir));
    bool removed = false;
    for (const QDate& day : snapshotDays(dir)) {
        if (!kept.contains(day))
            removed = QFile::remove(dir.absoluteFilePath(fileName(day))) || removed;
    }
    if (removed)
        DurableFile::flushFolder(dir.absolutePath());
}

} // namespace

QString folder()
{
    return QStringLiteral("Back/auto");
}

QString fileName(const QDate& day)
{
    return QStringLiteral("auto-%1 (%2).mdbB")
        .arg(day.toString(Qt::ISODate), SolarHijriDate(QDateTime(day, QTime(12, 0)), 4));
}

QDate dayOf(const QString& name)
{
    const QRegularExpressionMatch match = namePattern().match(name);
    if (!match.hasMatch())
        return {};
    const QDate day = QDate::fromString(match.captured(1), Qt::ISODate);
    return day.isValid() && fileName(day) == name ? day : QDate();
}

QList<QDate> daysToKeep(QList<QDate> days)
{
    std::sort(days.begin(), days.end(), std::greater<>());
    days.erase(std::unique(days.begin(), days.end()), days.end());
    QList<QDate> kept = days.mid(0, dailyKept);
    QList<QPair<int, int>> weeksSeen;
    for (const QDate& day : std::as_const(days)) {
        int weekYear = 0;
        const QPair<int, int> week{day.weekNumber(&weekYear), weekYear};
        if (weeksSeen.contains(week))
            continue;
        if (weeksSeen.size() == weeklyKept)
            break;
        weeksSeen << week; // the newest day of each week comes first
        if (!kept.contains(day))
            kept << day;
    }
    std::sort(kept.begin(), kept.end(), std::greater<>());
    return kept;
}

QString runAtStart(const QDateTime& now)
{
    if (Database::isServer(Database::File::Subjects))
        return {}; // the subjects are not in this workstation's file: the server keeps them
    QString problem = prepareFolder();
    if (problem.isEmpty()) {
        const QDir dir(ProgramPaths::absolute(folder()));
        removeLeftovers(dir);
        if (!snapshotDays(dir).contains(now.date()))
            problem = makeSnapshot(dir, now.date());
        deleteUnkept(dir);
    }
    if (problem.isEmpty())
        return {};
    return QStringLiteral(
               "نسخه پشتیبان خودکار امروز در پوشه «%1» ساخته نشد.\n%2\n"
               "برنامه بدون آن باز می‌شود؛ از صفحه پشتیبان‌گیری نسخه بگیرید.")
        .arg(folder(), problem);
}

void runInBackground(const std::function<void(const QString&)>& told)
{
    auto problem = std::make_shared<QString>();
    const QDateTime now = QDateTime::currentDateTime();
    QThread* worker = QThread::create([problem, now] { *problem = runAtStart(now); });
    QObject::connect(worker, &QThread::finished, worker, [worker, problem, told] {
        worker->deleteLater();
        if (!problem->isEmpty())
            told(*problem);
    });
    // The application never ends with a snapshot half-written: it waits for the thread.
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, worker,
                     [guard = QPointer<QThread>(worker)] {
                         if (guard)
                             guard->wait();
                     });
    worker->start(QThread::LowPriority);
}

} // namespace AutoBackup
