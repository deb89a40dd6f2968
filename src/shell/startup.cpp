#include "shell/startup.h"

#include "backup/archiwizacja.h"
#include "data/db.h"
#include "documents/addfv.h"
#include "documents/addkp.h"
#include "documents/addwb.h"
#include "documents/szukajf.h"
#include "documents/wyborkto.h"
#include "reference/addkoszty.h"
#include "reference/addokres.h"
#include "reference/addprzychody.h"
#include "reference/koszty.h"
#include "reference/nrrk.h"
#include "reference/poczatkowe.h"
#include "reference/przychody.h"
#include "shell/about.h"
#include "shell/main.h"
#include "shell/messageboxdialogs.h"
#include "shell/parametry.h"
#include "shell/serwer.h"

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
        {QStringLiteral("TArchiwizacja"), [] { Archiwizacja = new TArchiwizacja(Main); }},
        {QStringLiteral("TAbout"), [] { About = new TAbout(Main); }},
        {QStringLiteral("TSerwer"), [] { Serwer = new TSerwer(Main); }},
        {QStringLiteral("TAddKp"), [] { AddKp = new TAddKp(Main); }},
        {QStringLiteral("TSzukajF"), [] { SzukajF = new TSzukajF(Main); }},
        {QStringLiteral("TAddFv"), [] { AddFv = new TAddFv(Main); }},
        {QStringLiteral("TAddWb"), [] { AddWb = new TAddWb(Main); }},
        {QStringLiteral("TPoczatkowe"), [] { Poczatkowe = new TPoczatkowe(Main); }},
        {QStringLiteral("TAddOkres"), [] { AddOkres = new TAddOkres(Main); }},
        {QStringLiteral("TKoszty"), [] { Koszty = new TKoszty(Main); }},
        {QStringLiteral("TPrzychody"), [] { Przychody = new TPrzychody(Main); }},
        {QStringLiteral("TAddKoszty"), [] { AddKoszty = new TAddKoszty(Main); }},
        {QStringLiteral("TAddPrzychody"), [] { AddPrzychody = new TAddPrzychody(Main); }},
        {QStringLiteral("TParametry"), [] { Parametry = new TParametry(Main); }},
        {QStringLiteral("TNrRk"), [] { NrRk = new TNrRk(Main); }},
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
