#include "backup/CopyFileInBlocks.h"

#include "data/DurableFile.h"
#include "ui/ApplicationEnd.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

constexpr qint64 BlockSize = 4048;

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

class BlockCopy
{
  public:
    BlockCopy(const QString& source, const QString& destination, const CopyProgress& progress)
        : source_(source), destinationPath_(destination), progress_(progress)
    {}

    // True on success; otherwise problem() says what went wrong (empty when the application
    // ended meanwhile).
    bool run() { return openFiles() && copyBlocks() && putInPlace(); }
    QString problem() const { return problem_; }

  private:
    bool fail(const QString& problem)
    {
        problem_ = problem;
        return false;
    }

    bool openFiles()
    {
        if (QFileInfo(destinationPath_).isDir())
            return fail(
                QStringLiteral("«%1» یک پوشه است، نه پرونده.").arg(shown(destinationPath_)));
        if (!source_.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            return fail(QStringLiteral("پرونده «%1» باز نشد: %2")
                            .arg(shown(source_.fileName()), source_.errorString()));
        const QFileInfo target(destinationPath_);
        temporary_.setFileTemplate(target.absolutePath() + QStringLiteral("/.") +
                                   target.fileName() + QStringLiteral(".XXXXXX.part"));
        if (!temporary_.open())
            return fail(
                QStringLiteral("در پوشه «%1» پرونده‌ای ساخته نشد: %2")
                    .arg(shown(target.absolutePath()), temporary_.errorString()));
        temporary_.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return true;
    }

    bool copyBlocks()
    {
        const qint64 total = source_.size();
        QByteArray block(BlockSize, Qt::Uninitialized);
        qint64 position = 0;
        report(position, total);
        while (position < total) {
            QCoreApplication::processEvents();
            if (ApplicationEnd::isEnding())
                return fail(QString());
            const qint64 length = qMin(BlockSize, total - position);
            const qint64 read = source_.read(block.data(), length);
            if (read != length)
                return fail(QStringLiteral("خواندن پرونده «%1» ناتمام ماند: %2")
                                .arg(shown(source_.fileName()), source_.errorString()));
            if (temporary_.write(block.constData(), length) != length)
                return failedWrite();
            position += length;
            report(position, total);
        }
        return true;
    }

    bool putInPlace()
    {
        if (!DurableFile::flush(temporary_))
            return failedWrite();
        temporary_.close();
        source_.close();
        QString error;
        if (!DurableFile::replace(temporary_.fileName(), destinationPath_, &error))
            return fail(
                QStringLiteral("پرونده «%1» جایگزین نشد: %2").arg(shown(destinationPath_), error));
        temporary_.setAutoRemove(false);
        return true;
    }

    bool failedWrite()
    {
        return fail(QStringLiteral("نوشتن نسخه «%1» ناتمام ماند: %2")
                        .arg(shown(destinationPath_), temporary_.errorString()));
    }

    void report(qint64 copied, qint64 total) const
    {
        if (progress_)
            progress_(copied, total);
    }

    QFile source_;
    QString destinationPath_;
    QTemporaryFile temporary_; // removed with its partial contents unless renamed into place
    const CopyProgress& progress_;
    QString problem_;
};

} // namespace

Notice::Message copyFailure(const QString& problem, const QString& destination)
{
    if (problem.isEmpty())
        return {};
    return {QMessageBox::Critical, QStringLiteral("Senvora"),
            QStringLiteral("اشکال در ايجاد نسخه پشتيباني") + QStringLiteral("\r\n") + problem +
                QStringLiteral("\n") +
                QStringLiteral("در «%1» چیزی نوشته نشد و هیچ پرونده ناقصی به جا نماند.")
                    .arg(shown(destination))};
}

int CopyFileInBlocks(const QString& source, const QString& destination)
{
    return CopyFileInBlocks(source, destination, CopyProgress());
}

int CopyFileInBlocks(const QString& source, const QString& destination,
                     const CopyProgress& progress)
{
    QString problem;
    if (copyInBlocks(source, destination, progress, &problem))
        return 1;
    Notice::tell(QApplication::activeWindow(), copyFailure(problem, destination));
    return 0;
}

bool copyInBlocks(const QString& source, const QString& destination, const CopyProgress& progress,
                  QString* problem)
{
    BlockCopy copy(source, destination, progress);
    if (copy.run())
        return true;
    *problem = copy.problem();
    return false;
}
