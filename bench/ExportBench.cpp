#include "ExportBench.h"

#include "ActionNames.h"
#include "data/Database.h"
#include "export/ExportJob.h"

#include <QTemporaryDir>
#include <QTextStream>

namespace {
constexpr int ExportReps = 3;
}

void measureExports(QList<Series>& series)
{
    QTemporaryDir folder;
    const QString database = Database::absolutePath(Database::File::Subjects);
    const QList<QPair<QString, QString>> formats{{ActionName::ExportCsv, QStringLiteral("csv")},
                                                 {ActionName::ExportXlsx, QStringLiteral("xlsx")},
                                                 {ActionName::ExportSav, QStringLiteral("sav")}};
    for (const auto& [action, suffix] : formats) {
        Series timed{action, {}};
        for (int rep = 0; rep < ExportReps; ++rep) {
            ExportJob job;
            bool done = false;
            timed.ms << timeMs([&] {
                done = job.run(database, folder.filePath(QStringLiteral("all.") + suffix), {});
            });
            if (!done) {
                QTextStream(stderr) << "export failed: " << job.problem().english << Qt::endl;
                return;
            }
        }
        series << timed;
    }
}
