#include "shell/singleinstance.h"

#include <QDir>

QString SingleInstance::DefaultPath() { return QDir::temp().filePath(QStringLiteral("Orva.lock")); }

SingleInstance::SingleInstance(const QString& path) : lock_(std::make_unique<QLockFile>(path)) {
    // Only a dead holder makes the lock stale, never its age.
    lock_->setStaleLockTime(0);
}

bool SingleInstance::Acquire() {
    if (held_)
        return true;
    // tryLock itself clears a lock whose holder no longer runs.
    held_ = lock_->tryLock(0);
    return held_;
}

void SingleInstance::Release() {
    if (held_)
        lock_->unlock();
    held_ = false;
}
