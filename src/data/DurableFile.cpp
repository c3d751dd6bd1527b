#include "data/DurableFile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace DurableFile {

namespace {

std::function<void(const QString&)>& traceSink()
{
    static std::function<void(const QString&)> sink;
    return sink;
}

void trace(const QString& step)
{
    if (traceSink())
        traceSink()(step);
}

std::filesystem::path nativePath(const QString& path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// fsync on a descriptor opened read-only: enough for a file's data and for a folder's entries.
bool syncPath(const QString& path, int flags)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
#else
    Q_UNUSED(path);
    Q_UNUSED(flags);
    return true;
#endif
}

} // namespace

void setTrace(std::function<void(const QString& step)> sink)
{
    traceSink() = std::move(sink);
}

bool flush(QFileDevice& file)
{
    trace(QStringLiteral("flush ") + QFileInfo(file.fileName()).absoluteFilePath());
    if (!file.flush())
        return false;
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    return true;
#endif
}

bool flush(const QString& path)
{
    trace(QStringLiteral("flush ") + QFileInfo(path).absoluteFilePath());
#ifdef Q_OS_UNIX
    return syncPath(path, O_RDONLY);
#else
    return syncPath(path, 0);
#endif
}

bool flushFolder(const QString& folder)
{
    trace(QStringLiteral("folder ") + QFileInfo(folder).absoluteFilePath());
#ifdef Q_OS_UNIX
    return syncPath(folder, O_RDONLY | O_DIRECTORY);
#else
    return syncPath(folder, 0);
#endif
}

bool replace(const QString& from, const QString& to, QString* error)
{
    if (!flush(from)) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    trace(QStringLiteral("rename %1 %2")
              .arg(QFileInfo(from).absoluteFilePath(), QFileInfo(to).absoluteFilePath()));
    std::error_code code;
    std::filesystem::rename(nativePath(from), nativePath(to), code);
    if (code) {
        if (error)
            *error = QString::fromLocal8Bit(code.message());
        return false;
    }
    flushFolder(QFileInfo(to).absolutePath());
    return true;
}

} // namespace DurableFile
