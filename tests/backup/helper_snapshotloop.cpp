// Makes the day's automatic snapshot of the program folder given as its argument again and
// again (each time removing the last one first), so that a kill lands in the middle of one.
// Prints "running" once the first snapshot is done.

#include "backup/AutoBackup.h"
#include "data/Database.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2 || !QDir::setCurrent(QString::fromLocal8Bit(argv[1])))
        return 2;
    const QString snapshot =
        AutoBackup::folder() + QLatin1Char('/') + AutoBackup::fileName(QDate::currentDate());
    for (bool first = true;; first = false) {
        if (!AutoBackup::runAtStart().isEmpty())
            return 1;
        if (first) {
            std::puts("running");
            std::fflush(stdout);
        }
        QFile::remove(snapshot);
    }
}
