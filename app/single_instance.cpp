#include "app/single_instance.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tavrin::app {

SingleInstance::SingleInstance(const QString& lockPath)
{
    QDir().mkpath(QFileInfo(lockPath).absolutePath());
    lock_ = std::make_unique<QLockFile>(lockPath);
    lock_->setStaleLockTime(0); // a lock is stale only when its process is gone
    acquired_ = lock_->tryLock(0);
}

QString SingleInstance::defaultLockPath()
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    return dir + QStringLiteral("/Tavrin for Windows/tavrin.lock");
}

} // namespace tavrin::app
