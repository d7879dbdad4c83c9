// One running game per user.
#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace tavrin::app {

class SingleInstance {
public:
    // Holds the lock file `lockPath` for as long as the object lives.
    explicit SingleInstance(const QString& lockPath);

    // False when another running program already holds the lock.
    bool acquired() const { return acquired_; }

    // The lock beside the per-user settings.
    static QString defaultLockPath();

private:
    std::unique_ptr<QLockFile> lock_;
    bool acquired_ = false;
};

} // namespace tavrin::app
