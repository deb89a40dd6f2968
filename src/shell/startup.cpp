#include "shell/startup.h"

#include "data/db.h"
#include "documents/addfv.h"
#include "documents/addkp.h"
#include "documents/addwb.h"
#include "documents/szukajf.h"
#include "documents/wyborkto.h"
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
        {QStringLiteral("TAddKp"), [] { AddKp = new TAddKp(Main); }},
        {QStringLiteral("TSzukajF"), [] { SzukajF = new TSzukajF(Main); }},
        {QStringLiteral("TAddFv"), [] { AddFv = new TAddFv(Main); }},
        {QStringLiteral("TAddWb"), [] { AddWb = new TAddWb(Main); }},
        {QStringLiteral("TWyborKto"), [] { WyborKto = new TWyborKto(Main); }},
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
