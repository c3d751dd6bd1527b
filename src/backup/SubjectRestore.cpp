#include "backup/SubjectRestore.h"

#include "data/AuditTrail.h"
#include "data/Columns.h"
#include "data/Database.h"
#include "data/DurableFile.h"
#include "data/ProgramPaths.h"
#include "data/SchemaCopy.h"
#include "ui/ApplicationEnd.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>

namespace SubjectRestore {

namespace {

const QString liveUnchanged = QStringLiteral("اطلاعات فعلی برنامه دست نخورده ماند.");

Outcome refused(const QString& problem, QMessageBox::Icon icon = QMessageBox::Warning)
{
    return {false, problem, icon};
}

Outcome copyFailed(const QString& problem)
{
    if (problem.isEmpty()) // the application ended meanwhile
        return refused(QString());
    return refused(QStringLiteral("بازیابی اطلاعات انجام نشد.\n") + problem, QMessageBox::Critical);
}

// The staged copy of the backup, with the write-ahead log that holds the rest of its content
// when the file was left in that mode.
bool stage(const QString& backupPath, const QString& staged, const CopyProgress& progress,
           QString* problem)
{
    if (!copyInBlocks(backupPath, staged, progress, problem))
        return false;
    const QString log = backupPath + QStringLiteral("-wal");
    return !QFileInfo(log).isFile() ||
           copyInBlocks(log, staged + QStringLiteral("-wal"), CopyProgress(), problem);
}

// How many subjects the database holds, as text; empty when it cannot be read.
QString subjectCount(const QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(TableName::Subjects)) &&
        query.next())
        return query.value(0).toString();
    return {};
}

QString liveSubjectCount()
{
    if (!QFileInfo::exists(Database::absolutePath(Database::File::Subjects)))
        return QStringLiteral("0");
    return subjectCount(Database::connection(Database::File::Subjects));
}

// The trail row of the restore, written into the restored file in the transaction that fills
// it: the backup's file name, and the number of subjects before and after.
SchemaCopy::InTransaction restoreNote(const QString& backupPath)
{
    return [fileName = QFileInfo(backupPath).fileName(),
            before = liveSubjectCount()](QSqlDatabase& db) {
        QString error;
        const AuditTrail::Change change{fileName, before, subjectCount(db)};
        if (!AuditTrail::append(db, AuditTrail::Action::Restore, QString(), {change}, &error))
            return QStringLiteral("ردیف بازیابی در سابقه تغییرات نوشته نشد: %1").arg(error);
        return QString();
    };
}

void removeStaged(const QString& staged)
{
    QFile::remove(staged);
    Database::removeCompanions(staged);
}

Outcome replaceLive(const QString& rebuilt, const QDateTime& now, const CopyProgress& progress)
{
    const QString live = Database::absolutePath(Database::File::Subjects);
    QString problem;
    if (!Database::release(Database::File::Subjects, &problem))
        return refused(problem, QMessageBox::Critical);
    Database::closeAll();
    if (QFileInfo::exists(live)) {
        QDir().mkpath(ProgramPaths::backupFolder());
        if (!copyInBlocks(live, safetyCopyPath(now), progress, &problem)) {
            if (problem.isEmpty())
                return refused(QString());
            return refused(
                QStringLiteral("بازیابی انجام نشد، چون از اطلاعات فعلی نسخه ایمنی ساخته نشد.\n") +
                problem);
        }
    }
    // A journal or log left beside the old file belongs to it and must never meet the new one.
    Database::removeCompanions(live);
    if (!DurableFile::replace(rebuilt, live, &problem))
        return refused(QStringLiteral("پرونده «%1» جایگزین نشد: %2")
                           .arg(QDir::toNativeSeparators(live), problem),
                       QMessageBox::Critical);
    return {true, QString(), QMessageBox::NoIcon};
}

} // namespace

QString safetyCopyPath(const QDateTime& now)
{
    return Database::safetyCopyPath(QStringLiteral("پیش از بازیابی"), now);
}

Outcome place(const QString& backupPath, const QDateTime& now, const CopyProgress& progress)
{
    Database::removeLeftovers();
    const QString live = Database::absolutePath(Database::File::Subjects);
    QDir().mkpath(QFileInfo(live).absolutePath());
    const QString staged = Database::stagingPath();
    const QString rebuilt = Database::stagingPath(QStringLiteral("-ours"));
    QString problem;
    const bool staging = stage(backupPath, staged, progress, &problem);
    if (staging)
        problem = SchemaCopy::copySubjects(staged, rebuilt, restoreNote(backupPath));
    removeStaged(staged);
    if (!staging)
        return copyFailed(problem);
    if (!problem.isEmpty())
        return refused(
            QStringLiteral(
                "پرونده «%1» نسخه پشتیبان اطلاعات آزمودنی‌ها نیست و بازیابی نشد.\n%2")
                .arg(QDir::toNativeSeparators(backupPath), problem));
    const Outcome outcome = replaceLive(rebuilt, now, progress);
    removeStaged(rebuilt);
    return outcome;
}

Notice::Message failure(const Outcome& outcome)
{
    if (outcome.placed || outcome.problem.isEmpty() || ApplicationEnd::isEnding())
        return {};
    return {outcome.icon, Notice::ErrorTitle,
            outcome.problem + QStringLiteral("\n") + liveUnchanged};
}

} // namespace SubjectRestore
