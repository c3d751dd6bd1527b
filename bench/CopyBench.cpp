#include "CopyBench.h"

#include "backup/CopyFileInBlocks.h"
#include "data/Database.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <filesystem>

namespace {

constexpr int CopyReps = 5;

bool plainCopy(const QString& source, const QString& destination)
{
    std::error_code error;
    std::filesystem::copy_file(QFile::encodeName(source).toStdString(),
                               QFile::encodeName(destination).toStdString(),
                               std::filesystem::copy_options::overwrite_existing, error);
    return !error;
}

double megabytesPerSecond(qint64 bytes, double ms)
{
    return ms > 0 ? static_cast<double>(bytes) / (1024.0 * 1024.0) / (ms / 1000.0) : 0.0;
}

} // namespace

CopyFigures measureCopies(QList<Series>& series)
{
    Database::closeAll();
    const QString source = Database::absolutePath(Database::File::Subjects);
    QTemporaryDir target(QFileInfo(source).absolutePath() + QStringLiteral("/copy-XXXXXX"));
    const QString blocksCopy = target.filePath(QStringLiteral("blocks.mdbB"));
    const QString plain = target.filePath(QStringLiteral("plain.mdb"));
    Series blocks{QStringLiteral("CopyFileInBlocks of DB2.mdb"), {}};
    Series plainSeries{QStringLiteral("plain copy of DB2.mdb"), {}};
    for (int rep = 0; rep <= CopyReps; ++rep) {
        QFile::remove(blocksCopy);
        QFile::remove(plain);
        const double blocksMs = timeMs([&] { CopyFileInBlocks(source, blocksCopy); });
        const double plainMs = timeMs([&] { plainCopy(source, plain); });
        if (rep == 0)
            continue; // the first pass brings the file into the page cache
        blocks.ms << blocksMs;
        plainSeries.ms << plainMs;
    }
    CopyFigures figures;
    figures.bytes = QFileInfo(source).size();
    if (QFileInfo(blocksCopy).size() != figures.bytes || QFileInfo(plain).size() != figures.bytes)
        return figures;
    figures.blocksMbPerS = megabytesPerSecond(figures.bytes, blocks.percentile(50));
    figures.plainMbPerS = megabytesPerSecond(figures.bytes, plainSeries.percentile(50));
    series << blocks << plainSeries;
    return figures;
}
