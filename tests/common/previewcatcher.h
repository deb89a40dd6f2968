#pragma once
#include <QString>
#include <functional>

// Runs a command that may open the modal report preview. Every preview it
// opens is exported to `pdf` (when given) and closed at once. Returns how
// many previews were shown.
int CatchPreviews(const std::function<void()>& command, const QString& pdf = QString());
