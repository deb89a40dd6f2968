#pragma once
#include <QString>
#include <QVector>
#include <functional>

// The windows and the data module made at start-up, in their fixed order.
struct StartupStep {
    QString name;
    std::function<void()> create;
};

QVector<StartupStep> StartupSteps(const QString& programDir);

// Makes everything, reporting (done, total) after each step.
void CreateAll(const QString& programDir, const std::function<void(int, int)>& progress);
