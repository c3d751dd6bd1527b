#include "CopyBench.h"

#include "ActionNames.h"
#include "backup/CopyFileInBlocks.h"
#include "data/Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QTemporaryDir>

#include <filesystem>

#include <unistd.h>

namespace {

constexpr int CopyReps = 5;
constexpr int FlushReps = 50;

// What a plain `cp` does: the kernel copies, nothing is forced to the disk.
bool plainCopy(const QString& source, const QString& destination)
{
    std::error_code error;
    std::filesystem::copy_file(QFile::encodeName(source).toStdString(),
                               QFile::encodeName(destination).toStdString(),
                               std::filesystem::copy_options::overwrite_existing, error);
    return !error;
}

// The same, then forced to the disk as the backup copy is (for comparison only).
bool syncedCopy(const QString& source, const QString& destination)
{
    if (!plainCopy(source, destination))
        return false;
    QFile copy(destination);
    return copy.open(QIODevice::ReadWrite) && ::fsync(copy.handle()) == 0;
}

// The backup copy as the operator meets it: a progress bar shown beside it, set from every
// block the copy reports (it repaints whenever its bar grows by a pixel). The longest wait of
// the event loop during the copy is kept.
double copyWithBar(const QString& source, const QString& destination, double* longestGapMs)
{
    QProgressBar bar;
    bar.setRange(0, 1000);
    bar.resize(312, 20);
    bar.show();
    QCoreApplication::processEvents();
    EventLoopGap gap;
    const double ms = timeMs([&] {
        CopyFileInBlocks(source, destination, [&bar](qint64 copied, qint64 total) {
            bar.setValue(total > 0 ? static_cast<int>(copied * 1000 / total) : 1000);
        });
    });
    *longestGapMs = gap.longestMs();
    return ms;
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
    const QString synced = target.filePath(QStringLiteral("synced.mdb"));
    Series blocks{ActionName::BlockCopy, {}};
    Series plainSeries{ActionName::PlainCopy, {}};
    Series syncedSeries{ActionName::SyncedCopy, {}};
    Series barSeries{ActionName::BarCopy, {}};
    Series gapSeries{ActionName::CopyGap, {}};
    for (int rep = 0; rep <= CopyReps; ++rep) {
        QFile::remove(blocksCopy);
        QFile::remove(plain);
        QFile::remove(synced);
        double gapMs = 0;
        const double barMs = copyWithBar(source, blocksCopy, &gapMs);
        QFile::remove(blocksCopy);
        const double blocksMs = timeMs([&] { CopyFileInBlocks(source, blocksCopy); });
        const double plainMs = timeMs([&] { plainCopy(source, plain); });
        const double syncedMs = timeMs([&] { syncedCopy(source, synced); });
        if (rep == 0)
            continue; // the first pass brings the file into the page cache
        blocks.ms << blocksMs;
        plainSeries.ms << plainMs;
        syncedSeries.ms << syncedMs;
        barSeries.ms << barMs;
        gapSeries.ms << gapMs;
    }
    CopyFigures figures;
    figures.bytes = QFileInfo(source).size();
    if (QFileInfo(blocksCopy).size() != figures.bytes || QFileInfo(plain).size() != figures.bytes)
        return figures;
    figures.blocksMbPerS = megabytesPerSecond(figures.bytes, blocks.percentile(50));
    figures.plainMbPerS = megabytesPerSecond(figures.bytes, plainSeries.percentile(50));
    figures.barMbPerS = megabytesPerSecond(figures.bytes, barSeries.percentile(50));
    figures.syncedMbPerS = megabytesPerSecond(figures.bytes, syncedSeries.percentile(50));
    series << blocks << barSeries << gapSeries << plainSeries << syncedSeries;
    return figures;
}

void measureDiskFlush(QList<Series>& series)
{
    QTemporaryDir folder(QDir::current().absoluteFilePath(QStringLiteral("flush-XXXXXX")));
    QFile file(folder.filePath(QStringLiteral("probe")));
    if (!file.open(QIODevice::WriteOnly))
        return;
    const QByteArray page(4096, 'x');
    Series flush{ActionName::DiskFlush, {}};
    for (int rep = 0; rep < FlushReps; ++rep) {
        flush.ms << timeMs([&] {
            file.seek(0);
            file.write(page);
            file.flush();
            ::fdatasync(file.handle());
        });
    }
    series << flush;
}
