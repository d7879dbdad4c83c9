// One running game per user.
#pragma once

#include <QLockFile>
#include <QString>
#include <QStringList>

#include <memory>

namespace tavrin::app {

class SingleInstance {
public:
    enum class State {
        Acquired,    // this program holds the lock
        HeldByOther, // another running program holds it
        CannotWrite, // no lock could be made (a folder that cannot be written)
    };

    // Holds the first lock file of `lockPaths` that can be written, for as
    // long as the object lives. A lock held by another program ends the
    // search: that program is running.
    explicit SingleInstance(const QStringList& lockPaths);
    explicit SingleInstance(const QString& lockPath) : SingleInstance(QStringList{lockPath}) {}

    State state() const { return state_; }
    bool acquired() const { return state_ == State::Acquired; }
    // The lock held, or the one another program holds; else the first.
    const QString& lockPath() const { return lockPath_; }

    // The lock beside the per-user settings.
    static QString defaultLockPath();
    // The default lock, then one in the user's runtime or temporary folder
    // for a settings folder that cannot be written.
    static QStringList lockPaths();

private:
    std::unique_ptr<QLockFile> lock_;
    State state_ = State::CannotWrite;
    QString lockPath_;
};

} // namespace tavrin::app
