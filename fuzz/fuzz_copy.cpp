// Any file content and any earlier destination: the block copy leaves the destination equal to
// the source byte for byte (cut short when it was longer), owner-only, with no temporary file
// left beside it.
#include "FuzzSupport.h"
#include "backup/CopyFileInBlocks.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

namespace {

QTemporaryDir* folder = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    folder = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The first byte scales the content, so sizes around many blocks are reached from small
    // inputs; the rest of the input is the content pattern.
    if (size < 2)
        return 0;
    const int repeat = 1 + data[0] % 64;
    const QByteArray pattern(reinterpret_cast<const char*>(data + 1),
                             static_cast<qsizetype>(size - 1));
    const QByteArray content = pattern.repeated(repeat);
    const QString source = folder->filePath(QStringLiteral("source.mdb"));
    const QString destination = folder->filePath(QStringLiteral("copy.mdbB"));
    write(source, content);
    write(destination, QByteArray(content.size() + 1 + data[0] * 37, 'x'));
    check(CopyFileInBlocks(source, destination) == 1);
    QFile copy(destination);
    check(copy.open(QIODevice::ReadOnly));
    check(copy.readAll() == content);
    check((copy.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup |
                                 QFile::WriteOther)) == QFile::Permissions());
    check(QDir(folder->path()).entryList(QDir::Files).size() == 2);
    return 0;
}
