#include "backup/SubjectRestore.h"

#include "calendar/SolarHijriDate.h"
#include "data/Database.h"
#include "ui/ApplicationEnd.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

namespace SubjectRestore {

namespace {

const QString liveUnchanged = QStringLiteral("اطلاعات فعلی برنامه دست نخورده ماند.");

void refuse(QWidget* owner, QMessageBox::Icon icon, const QString& text)
{
    QMessageBox box(icon, QStringLiteral("خطا"), text + QStringLiteral("\n") + liveUnchanged,
                    QMessageBox::Ok, owner);
    box.exec();
}

QString backupFolder()
{
    return QDir::current().absoluteFilePath(QStringLiteral("Back"));
}

} // namespace

QString problemWith(const QString& path)
{
    QString problem;
    Database::isSubjectDatabase(path, &problem);
    return problem;
}

QString safetyCopyPath(const QDateTime& now)
{
    const QString stem = QStringLiteral("پیش از بازیابی %1 ساعت %2")
                             .arg(SolarHijriDate(now, 4), now.time().toString(u"H.mm.ss"));
    QString path = QDir(backupFolder()).filePath(stem + QStringLiteral(".mdbB"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(backupFolder()).filePath(stem + QStringLiteral(" (%1).mdbB").arg(n));
    return path;
}

bool restore(QWidget* owner, const QString& backupPath, const QDateTime& now,
             const CopyProgress& progress)
{
    const QString live = Database::absolutePath(Database::File::Subjects);
    const QString staged = live + QStringLiteral(".restore");
    QDir().mkpath(QFileInfo(live).absolutePath());
    if (!CopyFileInBlocks(backupPath, staged, progress))
        return false;
    if (const QString problem = problemWith(staged); !problem.isEmpty()) {
        QFile::remove(staged);
        refuse(
            owner, QMessageBox::Warning,
            QStringLiteral(
                "پرونده «%1» نسخه پشتیبان اطلاعات آزمودنی‌ها نیست و بازیابی نشد.\n%2")
                .arg(QDir::toNativeSeparators(backupPath), problem));
        return false;
    }
    Database::closeAll();
    if (QFileInfo::exists(live)) {
        QDir().mkpath(backupFolder());
        if (!CopyFileInBlocks(live, safetyCopyPath(now), progress)) {
            QFile::remove(staged);
            if (ApplicationEnd::isEnding())
                return false;
            refuse(owner, QMessageBox::Warning,
                   QStringLiteral("بازیابی انجام نشد، چون از اطلاعات فعلی نسخه ایمنی ساخته نشد."));
            return false;
        }
    }
    QString error;
    if (!RenameOver(staged, live, &error)) {
        QFile::remove(staged);
        refuse(owner, QMessageBox::Critical,
               QStringLiteral("پرونده «%1» جایگزین نشد: %2")
                   .arg(QDir::toNativeSeparators(live), error));
        return false;
    }
    // A journal left beside the old file belongs to it and must never be played into the new one.
    QFile::remove(live + QStringLiteral("-journal"));
    return true;
}

} // namespace SubjectRestore
