#include "app/SingleInstance.h"

#include "data/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <memory>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace SingleInstance {

namespace {

// Owned from acquire() to release(); left to the system at exit, which frees the file lock.
QLockFile* held = nullptr;
QString lastProblem;

QString lockName()
{
    return QStringLiteral("senvora.lock");
}

QString cannotLock(const QString& reason)
{
    return QStringLiteral(
               "برنامه نمی‌تواند در پوشه «%1» پرونده قفل «%2» را بسازد و باز نمی‌شود.\n%3")
        .arg(QDir::toNativeSeparators(ProgramPaths::folder()), lockName(), reason);
}

QString reasonOf(QLockFile::LockError error)
{
    if (error == QLockFile::PermissionError)
        return QStringLiteral(
            "اجازه نوشتن در این پوشه نیست (پوشه فقط‌خواندنی است).");
    return QStringLiteral("نوشتن در این پوشه ممکن نشد؛ شاید دیسک پر است.");
}

// Whether a live process holds the lock file: the running copy keeps a lock of the system on
// it for as long as it runs, which a crash or a power cut ends. What the file says (process
// id, host) proves nothing: it may be empty, cut short or garbage.
bool heldByLiveProcess(const QString& path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool locked = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd); // also lets go of the probe's own lock
    return locked;
#else
    QLockFile probe(path);
    probe.setStaleLockTime(0);
    return !probe.removeStaleLockFile() && QFileInfo::exists(path);
#endif
}

Outcome fail(const QString& reason)
{
    lastProblem = cannotLock(reason);
    return Outcome::NoLockPossible;
}

} // namespace

Outcome acquire()
{
    if (held)
        return Outcome::Acquired;
    const QString path = ProgramPaths::absolute(lockName());
    // Only a regular file is read as a lock: a pipe or a device in its place would block the
    // start or be read without end.
    if (const QFileInfo existing(path);
        existing.isSymLink() || (existing.exists() && !existing.isFile())) {
        return fail(
            QStringLiteral("به جای پرونده قفل، چیز دیگری (پوشه، پیوند یا دستگاه) با این نام هست."));
    }
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        if (lock->error() != QLockFile::LockFailedError)
            return fail(reasonOf(lock->error()));
        if (heldByLiveProcess(path))
            return Outcome::AnotherCopyRuns;
        // A lock that proves nothing is taken over.
        if (!lock->removeStaleLockFile() && QFileInfo::exists(path)) {
            return heldByLiveProcess(path) ? Outcome::AnotherCopyRuns
                                           : fail(reasonOf(QLockFile::PermissionError));
        }
        if (!lock->tryLock(0)) {
            return lock->error() == QLockFile::LockFailedError ? Outcome::AnotherCopyRuns
                                                               : fail(reasonOf(lock->error()));
        }
    }
    held = lock.release();
    // Released when the application quits normally; after a crash or a power cut the next start
    // finds no live holder and takes the file over.
    static const bool releasedAtQuit [[maybe_unused]] =
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, &release);
    return Outcome::Acquired;
}

QString problem()
{
    return lastProblem;
}

void release()
{
    delete held;
    held = nullptr;
}

} // namespace SingleInstance
