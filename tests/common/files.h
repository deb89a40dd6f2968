#pragma once
#include <QByteArray>
#include <QString>

// Whole files, for tests that plant or inspect copies and databases.
QByteArray ReadFile(const QString& path); // empty when there is none
// Writes (and replaces) the file, making its folder when needed.
bool WriteFile(const QString& path, const QByteArray& data);
