#include "app/SingleInstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QLockFile>

namespace SingleInstance {

bool acquire()
{
    static QLockFile* held = nullptr;
    if (held)
        return true;
    auto* lock = new QLockFile(QDir::current().absoluteFilePath(QStringLiteral("senvora.lock")));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) {
        delete lock;
        return false;
    }
    held = lock;
    // Released when the application quits normally; after a crash the next start recognises
    // the lock as stale by its process id.
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, [] {
        delete held;
        held = nullptr;
    });
    return true;
}

} // namespace SingleInstance
