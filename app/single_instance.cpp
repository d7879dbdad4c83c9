#include "app/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace tavrin::app {

SingleInstance::SingleInstance(const QStringList& lockPaths)
{
    lockPath_ = lockPaths.value(0);
    for (const QString& path : lockPaths) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        auto lock = std::make_unique<QLockFile>(path);
        lock->setStaleLockTime(0); // a lock is stale only when its process is gone
        if (lock->tryLock(0)) {
            lock_ = std::move(lock);
            lockPath_ = path;
            state_ = State::Acquired;
            return;
        }
        if (lock->error() == QLockFile::LockFailedError) {
            lockPath_ = path;
            state_ = State::HeldByOther;
            return;
        }
    }
    state_ = State::CannotWrite;
}

QString SingleInstance::defaultLockPath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    return dir + QStringLiteral("/Tavrin for Windows/tavrin.lock");
}

QStringList SingleInstance::lockPaths()
{
    // The runtime folder only when the session has one (asking Qt without it
    // would make a folder of its own and complain).
    const QString runtime = qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")
                                ? QString()
                                : QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    const QString folder = runtime.isEmpty() ? QDir::tempPath() : runtime;
    return {defaultLockPath(),
            folder + QStringLiteral("/tavrin-") + QString::number(::getuid()) + QStringLiteral(".lock")};
}

} // namespace tavrin::app
