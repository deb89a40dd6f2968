#pragma once
#include <QProcess>
#include <QString>

// Another process (isql-fb) attached to a database through the embedded
// engine, which then holds the file for itself until the holder ends.
class DatabaseHolder {
  public:
    explicit DatabaseHolder(const QString& path);
    ~DatabaseHolder();
    // True once the holder has read from the database.
    bool Holds() const { return holds_; }

  private:
    QProcess isql_;
    bool holds_ = false;
};
