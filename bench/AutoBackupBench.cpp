#include "AutoBackupBench.h"

#include "ActionNames.h"
#include "backup/AutoBackup.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {
constexpr int AutoBackupReps = 5;
}

void measureAutoBackup(QList<Series>& series)
{
    const QDate today = QDate::currentDate();
    const QString snapshot =
        QDir(AutoBackup::folder()).absoluteFilePath(AutoBackup::fileName(today));
    Series start{ActionName::AutoBackup, {}};
    for (int rep = 0; rep < AutoBackupReps; ++rep) {
        QFile::remove(snapshot); // each repetition is the day's first start
        QString problem;
        start.ms << timeMs([&] { problem = AutoBackup::runAtStart(); });
        if (!problem.isEmpty()) {
            QTextStream(stderr) << "automatic backup failed: " << problem << Qt::endl;
            return;
        }
    }
    series << start;
}
