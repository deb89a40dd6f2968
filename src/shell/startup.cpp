#include "shell/startup.h"

#include "data/db.h"
#include "shell/about.h"
#include "shell/main.h"
#include "shell/messageboxdialogs.h"

namespace {
MessageBoxDialogs* MessageBoxes() {
    static MessageBoxDialogs boxes;
    return &boxes;
}
} // namespace

QVector<StartupStep> StartupSteps(const QString& programDir) {
    return {
        {QStringLiteral("TMain"), [] { Main = new TMain; }},
        {QStringLiteral("TDB"),
         [programDir] {
             DB = new TDB(programDir);
             DB->SetUi(MessageBoxes());
             DB->SetMainState(Main);
         }},
        {QStringLiteral("TAbout"), [] { About = new TAbout(Main); }},
    };
}

void CreateAll(const QString& programDir, const std::function<void(int, int)>& progress) {
    const QVector<StartupStep> steps = StartupSteps(programDir);
    int done = 0;
    for (const StartupStep& step : steps) {
        step.create();
        progress(++done, steps.size());
    }
}
