// Times the ledger engine on a large generated ledger and compares each walk
// with one set-based UPDATE touching the same rows.
//   ledger_bench [documents] [years]     (defaults: 20000 documents, 10 years)
#include "data/db.h"
#include "ledgergen.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

const int kRuns = 5;

// Processor time of the whole process. The embedded database engine works
// in this process, so this is the engine's work and the program's together,
// and it hardly moves when other programs load the machine.
double CpuMs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

struct Time {
    double wall = 0;
    double cpu = 0;
};

double Median(QVector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

bool CreateDatabase(const QString& path) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QStringLiteral("bash"),
            {QStringLiteral(ORVA_SOURCE_DIR "/scripts/create-db.sh"), path});
    return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Reads every row through the table and its indexes in a transaction of its
// own, so that the versions a rolled-back run left behind are cleaned up now
// and not charged to the next run.
void Settle(TDB& db) {
    for (const char* column : {"NRDOK", "NRPOZ", "NRRK", "OKRES"})
        db.Select(
            QStringLiteral("SELECT COUNT(*) FROM DOKUMENT WHERE %1>=0").arg(QLatin1String(column)));
    db.Select(QStringLiteral("SELECT COUNT(*) FROM DOKUMENT"));
}

// Median milliseconds of the timed part of an action that is rolled back
// afterwards, so that every run starts from the same ledger.
Time Measure(TDB& db, const std::function<void()>& before, const std::function<void()>& timed) {
    QVector<double> wall;
    QVector<double> cpu;
    for (int run = 0; run < kRuns; ++run) {
        db.BeginWork();
        if (before)
            before();
        QElapsedTimer t;
        t.start();
        const double cpu0 = CpuMs();
        timed();
        cpu.append(CpuMs() - cpu0);
        wall.append(t.nsecsElapsed() / 1e6);
        db.RollbackWork();
        Settle(db);
    }
    return {Median(wall), Median(cpu)};
}

void Report(const char* what, const Time& t, const Time* floor) {
    std::printf("%-44s %8.1f ms wall %8.1f ms cpu", what, t.wall, t.cpu);
    if (floor)
        std::printf("   %5.2fx / %5.2fx floor", t.wall / floor->wall, t.cpu / floor->cpu);
    std::printf("\n");
}

bool WithinFloor(const Time& t, const Time& floor) {
    return t.cpu <= 5 * floor.cpu;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int documents = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20000;
    const int years = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 10;
    if (documents < 2 || years < 1) {
        std::fprintf(stderr, "usage: ledger_bench [documents] [years]\n");
        return 2;
    }
    QTemporaryDir dir;
    if (!CreateDatabase(dir.filePath(QStringLiteral("ORVA.GDB"))))
        return 1;
    ConsoleDialogs quiet;
    TDB db(dir.path());
    db.SetUi(&quiet);
    if (!db.Connect()) {
        std::fprintf(stderr, "%s\n", qPrintable(db.LastConnectError()));
        return 1;
    }
    try {
        QElapsedTimer t;
        t.start();
        const int rows = GenerateLedger(db, documents, years, 20100901);
        std::printf("ledger: %d documents, %d rows over %d years, generated in %.1f s\n", documents,
                    rows, years, t.elapsed() / 1000.0);

        const Time balanceFloor = Measure(db, nullptr, [&] {
            db.Exec(QStringLiteral("UPDATE DOKUMENT SET POZOSTALESR=POZOSTALESR+1 WHERE NRDOK>0"));
        });
        const Time renumberFloor = Measure(db, nullptr, [&] {
            db.Exec(QStringLiteral("UPDATE DOKUMENT SET NRDOK=NRDOK+1,NRPOZ=NRPOZ+1,"
                                   "POZOSTALESR=POZOSTALESR+1 WHERE NRDOK>0"));
        });
        Report("floor: UPDATE of every balance", balanceFloor, nullptr);
        Report("floor: UPDATE of every number and balance", renumberFloor, nullptr);

        // A correction of the first document changes every later balance.
        const Time recompute = Measure(
            db,
            [&] {
                db.Exec(QStringLiteral("UPDATE DOKUMENT SET PRZYCHOD=PRZYCHOD+5 WHERE NRDOK=1"));
            },
            [&] { db.RecomputeBalances(0, 1); });
        Report("RecomputeBalances from the first document", recompute, &balanceFloor);

        const Time unchanged = Measure(db, nullptr, [&] { db.RecomputeBalances(0, 1); });
        Report("RecomputeBalances, nothing to change", unchanged, &balanceFloor);

        const Time insertBefore = Measure(db, nullptr, [&] {
            db.ShiftNumbers(0, 1);
            db.Exec(QStringLiteral(
                "INSERT INTO DOKUMENT (DATA,PRZYCHOD,ROZCHOD,NRDOK,NRPOZ,RODZAJDOK,"
                "POZOSTALESR,OKRES,NRRK) VALUES ('2010-09-01',15,0,1,2,'KP',2015,1,1)"));
            db.RecomputeBalances(1, 1);
        });
        Report("insert before the first document", insertBefore, &renumberFloor);

        const Time deleteFirst = Measure(db, nullptr, [&] {
            const bool wasWb =
                db.Scalar(QStringLiteral("SELECT MAX(RODZAJDOK) FROM DOKUMENT WHERE NRDOK=1"))
                    .toString() == QLatin1String("WB");
            db.Exec(QStringLiteral("DELETE FROM DOKUMENT WHERE NRDOK=1"));
            db.ResequenceAfterDelete(1, wasWb ? 1 : 0, -1, 2);
        });
        Report("delete the first document", deleteFirst, &renumberFloor);

        const QDate last = db.Scalar(QStringLiteral("SELECT MAX(DATA) FROM DOKUMENT")).toDate();
        const Time prepare =
            Measure(db, nullptr, [&] { db.PrepareNextDocument(last.month(), last.year()); });
        Report("PrepareNextDocument", prepare, nullptr);

        const bool met = WithinFloor(recompute, balanceFloor) &&
                         WithinFloor(insertBefore, renumberFloor) &&
                         WithinFloor(deleteFirst, renumberFloor) && prepare.wall < 20;
        std::printf(
            "targets (walks within 5x the floor in processor time, PrepareNextDocument under "
            "20 ms): %s\n",
            met ? "met" : "NOT met");
        return met ? 0 : 3;
    } catch (const DbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.Text()));
        return 1;
    }
}
