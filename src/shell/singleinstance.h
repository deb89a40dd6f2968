#pragma once
#include <QLockFile>
#include <QString>
#include <memory>

// Refuses a second copy of the program on this computer. The lock records
// the holder's process, so a copy that was killed leaves nothing stuck.
class SingleInstance {
public:
    static QString DefaultPath();
    explicit SingleInstance(const QString& path = DefaultPath());
    // True when this process now holds the lock (or already held it).
    bool Acquire();
    void Release();

private:
    std::unique_ptr<QLockFile> lock_;
    bool held_ = false;
};
