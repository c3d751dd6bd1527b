// Holds the running-copy lock of the folder given as its argument, as a running copy does,
// until its standard input closes. Prints "held" once the lock is taken.

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>

#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2)
        return 2;
    QLockFile lock(
        QDir(QString::fromLocal8Bit(argv[1])).absoluteFilePath(QStringLiteral("senvora.lock")));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0))
        return 1;
    std::puts("held");
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}
