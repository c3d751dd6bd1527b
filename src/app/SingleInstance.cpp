#include "app/SingleInstance.h"

#include <QDir>
#include <QLockFile>

#include <memory>

namespace SingleInstance {

bool acquire()
{
    static std::unique_ptr<QLockFile> held;
    if (held)
        return true;
    auto lock = std::make_unique<QLockFile>(
        QDir::current().absoluteFilePath(QStringLiteral("senvora.lock")));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    held = std::move(lock);
    return true;
}

} // namespace SingleInstance
