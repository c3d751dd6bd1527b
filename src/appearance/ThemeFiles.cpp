#include "appearance/ThemeFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ThemeFiles {

QString defaultsFolder(const QString& executableFolder)
{
    const QDir installed(executableFolder + QStringLiteral("/../share/senvora/themes"));
    if (installed.exists())
        return installed.canonicalPath();
    return QStringLiteral(":/themes");
}

void installMissing(const QString& folder, const QString& defaults)
{
    QDirIterator it(defaults, {QStringLiteral("*.skn")}, QDir::Files);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = QDir(folder).absoluteFilePath(QFileInfo(source).fileName());
        if (QFileInfo::exists(target))
            continue;
        if (QFile::copy(source, target))
            QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
}

namespace {

#ifdef Q_OS_UNIX
bool isSmallRegularFile(const struct stat& status)
{
    return S_ISREG(status.st_mode) && status.st_size <= maximumSize;
}

// The file's first maximumSize + 1 bytes at most, or nothing when it is not a small regular
// file. The type is checked before the open (opening a device or a pipe may block or act) and
// again on the opened file, which may have been swapped in between; the open never waits.
std::optional<QByteArray> readSmallRegularFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status
    {
    };
    if (::stat(name.constData(), &status) != 0 || !isSmallRegularFile(status))
        return std::nullopt;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    std::optional<QByteArray> bytes;
    if (::fstat(fd, &status) == 0 && isSmallRegularFile(status)) {
        QByteArray buffer(maximumSize + 1, Qt::Uninitialized);
        qsizetype filled = 0;
        while (filled < buffer.size()) {
            const ssize_t got =
                ::read(fd, buffer.data() + filled, static_cast<size_t>(buffer.size() - filled));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                if (got < 0)
                    filled = -1;
                break;
            }
            filled += got;
        }
        if (filled >= 0 && filled <= maximumSize) {
            buffer.truncate(filled);
            bytes = buffer;
        }
    }
    ::close(fd);
    return bytes;
}
#else
std::optional<QByteArray> readSmallRegularFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > maximumSize)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(maximumSize + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > maximumSize)
        return std::nullopt;
    return bytes;
}
#endif

} // namespace

QString readStyleSheet(const QString& path)
{
    const std::optional<QByteArray> bytes = readSmallRegularFile(path);
    if (!bytes || bytes->contains('\0'))
        return {};
    QStringDecoder decode(QStringDecoder::Utf8);
    const QString text = decode(*bytes);
    return decode.hasError() ? QString() : text;
}

} // namespace ThemeFiles
