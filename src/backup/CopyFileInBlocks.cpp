#include "backup/CopyFileInBlocks.h"

#include "data/DurableFile.h"
#include "ui/ApplicationEnd.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr qint64 BlockSize = 4048;
// Blocks copied per system call: a quarter of a megabyte of blocks.
constexpr qint64 BlocksPerChunk = 64;
// The event loop turns at least this often, so the windows keep painting.
constexpr qint64 TurnEveryMs = 16;

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

    // Copies many blocks per system call, inside the kernel where it can (no pass of the bytes
    // through this process), and asks the disk to start writing each chunk at once so that the
    // final flush finds little left to do. Progress is still told block by block, and the event
    // loop turns every few milliseconds (and once at the start). A source that changes its
    // length meanwhile fails the copy.
    bool copyBlocks()
    {
        const qint64 total = source_.size();
        qint64 position = 0;
        report(position, total);
        if (!turnEventLoop())
            return false;
        while (position < total) {
            const qint64 length = qMin(BlockSize * BlocksPerChunk, total - position);
            if (!copyChunk(position, length))
                return false;
            startWriting(position, length);
            for (qint64 done = position + BlockSize; done < position + length; done += BlockSize)
                report(done, total);
            position += length;
            report(position, total);
            if (sinceTurn_.elapsed() >= TurnEveryMs && !turnEventLoop())
                return false;
            if (ApplicationEnd::isEnding())
                return fail(QString());
        }
        if (source_.size() != total)
            return failedRead();
        return true;
    }

    // One chunk at position: by the kernel's own copy while it serves, otherwise (another file
    // system, or any error, whose reason the plain read and write then tell) read and written.
    bool copyChunk(qint64 position, qint64 length)
    {
        qint64 done = 0;
        while (kernelCopies_ && done < length) {
            loff_t from = position + done;
            loff_t to = from;
            const ssize_t copied = ::copy_file_range(source_.handle(), &from, temporary_.handle(),
                                                     &to, static_cast<size_t>(length - done), 0);
            if (copied <= 0)
                kernelCopies_ = false; // an error, or a source cut short: read it to know which
            else
                done += copied;
        }
        if (done == length)
            return true;
        const qint64 rest = length - done;
        if (chunk_.size() < rest)
            chunk_.resize(rest);
        if (!source_.seek(position + done) || source_.read(chunk_.data(), rest) != rest)
            return failedRead();
        if (!temporary_.seek(position + done) || temporary_.write(chunk_.constData(), rest) != rest)
            return failedWrite();
        return true;
    }

    // Starts the disk writing the copied chunk without waiting for it.
    void startWriting(qint64 position, qint64 length)
    {
        ::sync_file_range(temporary_.handle(), position, length, SYNC_FILE_RANGE_WRITE);
    }

    bool turnEventLoop()
    {
        QCoreApplication::processEvents();
        sinceTurn_.start();
        return !ApplicationEnd::isEnding() || fail(QString());
    }

    bool failedRead()
    {
        return fail(QStringLiteral("خواندن پرونده «%1» ناتمام ماند: %2")
                        .arg(shown(source_.fileName()), source_.errorString()));
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
    QElapsedTimer sinceTurn_;
    bool kernelCopies_ = true; // false once the kernel's copy failed: read and write from then on
    QByteArray chunk_;         // the bytes of a chunk read and written
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
