#include "export/ExportJob.h"

#include "data/DurableFile.h"
#include "export/ExportSource.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

ExportJob::ExportJob() = default;

std::optional<ExportJob::Problem> ExportJob::extensionProblem(const QString& target)
{
    if (ExportWriter::formatOf(target))
        return std::nullopt;
    const QString suffix = QFileInfo(target).suffix();
    return Problem{QStringLiteral("پسوند «%1» شناخته نیست؛ پرونده باید .csv یا .xlsx یا .sav "
                                  "باشد.")
                       .arg(suffix),
                   QStringLiteral("unknown extension \"%1\": use .csv, .xlsx or .sav").arg(suffix)};
}

ExportJob::~ExportJob()
{
    abandon();
}

bool ExportJob::failWriting(const QString& reason)
{
    const QString name = QDir::toNativeSeparators(target_);
    problem_ = {QStringLiteral("پرونده‌ی «%1» نوشته نشد: %2").arg(name, reason),
                QStringLiteral("could not write %1: %2").arg(name, reason)};
    abandon();
    return false;
}

// A new, empty, owner-only file in the target's folder, named after it.
bool ExportJob::createPartial()
{
    const QFileInfo target(target_);
    if (target.isDir())
        return failWriting(QStringLiteral("is a folder"));
    if (!target.absoluteDir().exists())
        return failWriting(QStringLiteral("the folder does not exist"));
    QTemporaryFile file(target.absoluteDir().filePath(QStringLiteral(".") + target.fileName() +
                                                      QStringLiteral(".XXXXXX.partial")));
    file.setAutoRemove(false);
    if (!file.open())
        return failWriting(file.errorString());
    partial_ = file.fileName();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return true;
}

bool ExportJob::start(const QString& databasePath, const QString& target,
                      const ExportTable::Filter& filter)
{
    target_ = QFileInfo(target).absoluteFilePath();
    if (const auto refused = extensionProblem(target_)) {
        problem_ = *refused;
        return false;
    }
    source_ = std::make_unique<ExportSource>(databasePath);
    if (!source_->open(filter, &problem_.persian, &problem_.english))
        return false;
    if (!createPartial())
        return false;
    writer_ = ExportWriter::make(*ExportWriter::formatOf(target_));
    if (!writer_->begin(partial_, source_->rowCount(), source_->widths()))
        return failWriting(writer_->error());
    return true;
}

bool ExportJob::writeSome(int count)
{
    for (int i = 0; i < count; ++i) {
        if (!source_->next(row_)) {
            atEnd_ = true;
            return true;
        }
        if (!writer_->write(row_))
            return failWriting(writer_->error());
        ++written_;
    }
    return true;
}

bool ExportJob::finish()
{
    if (!writer_->end())
        return failWriting(writer_->error());
    writer_.reset();
    source_.reset();
    // The libraries may have made the file anew: it is the user's data, owner-only.
    QFile::setPermissions(partial_, QFile::ReadOwner | QFile::WriteOwner);
    QString reason;
    if (!DurableFile::replace(partial_, target_, &reason))
        return failWriting(reason);
    partial_.clear();
    return true;
}

void ExportJob::abandon()
{
    writer_.reset();
    source_.reset();
    if (!partial_.isEmpty())
        QFile::remove(partial_);
    partial_.clear();
}

int ExportJob::rowCount() const
{
    return source_ ? source_->rowCount() : written_;
}

bool ExportJob::run(const QString& databasePath, const QString& target,
                    const ExportTable::Filter& filter)
{
    if (!start(databasePath, target, filter))
        return false;
    while (!atEnd()) {
        if (!writeSome(1000))
            return false;
    }
    return finish();
}
