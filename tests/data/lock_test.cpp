// Two workstations saving documents at the same moment: two connections to
// one database, each on its own thread.
#include "common/testdb.h"

#include <QSemaphore>
#include <QTest>
#include <QThread>
#include <memory>

namespace {

const int kSavesEach = 12;

// One workstation saving documents as the entry dialogs do: numbers first,
// then the rows, then the commit. What it was told ends in *told.
void SaveDocuments(const QString& folder, QSemaphore* ready, QSemaphore* go, QStringList* told) {
    ScriptedDialogs ui;
    MainState state;
    TDB db(folder);
    db.SetUi(&ui);
    db.SetMainState(&state);
    ready->release();
    go->acquire();
    for (int i = 0; i < kSavesEach; ++i) {
        db.RunAction([&] {
            if (!db.PrepareNextDocument(3, 2011))
                return;
            QThread::msleep(2); // the other workstation reads its numbers meanwhile
            db.Exec(QStringLiteral("INSERT INTO DOKUMENT (DATA,PRZYCHOD,ROZCHOD,NRDOK,NRPOZ,RODZAJDOK,"
                                   "POZOSTALESR,OKRES,NRRK) VALUES ('2011-03-15',1,0,:NRDOK,:NRPOZ,'KP',"
                                   ":POZOSTALESR,:OKRES,:NRRK)"),
                    {{QStringLiteral("NRDOK"), db.NextNrDok},
                     {QStringLiteral("NRPOZ"), db.NextNrPoz},
                     {QStringLiteral("POZOSTALESR"), static_cast<double>(TDB::RoundMoney(db.LastBalance + 1))},
                     {QStringLiteral("OKRES"), db.CurrentOkres},
                     {QStringLiteral("NRRK"), db.CurrentNrRk}});
            db.CommitWork();
        });
    }
    *told = ui.Texts();
}

} // namespace

class LockTest : public QObject {
    Q_OBJECT
private slots:
    void twoWorkstationsTakeDifferentNumbers();
};

void LockTest::twoWorkstationsTakeDifferentNumbers() {
    TestDb t;
    t.Run({QStringLiteral("INSERT INTO DOKUMENT (DATA,PRZYCHOD,ROZCHOD,NRDOK,NRPOZ,RODZAJDOK,POZOSTALESR,OKRES,NRRK)"
                          " VALUES ('2011-03-01',10,0,1,2,'KP',10,1,1)")});
    t.db().Disconnect();
    QSemaphore ready;
    QSemaphore go;
    QStringList toldA;
    QStringList toldB;
    std::unique_ptr<QThread> a(QThread::create(SaveDocuments, t.folder(), &ready, &go, &toldA));
    std::unique_ptr<QThread> b(QThread::create(SaveDocuments, t.folder(), &ready, &go, &toldB));
    a->start();
    b->start();
    ready.acquire(2);
    go.release(2);
    QVERIFY(a->wait(60000));
    QVERIFY(b->wait(60000));
    QVERIFY2(toldA.isEmpty() && toldB.isEmpty(), qPrintable((toldA + toldB).join(QLatin1Char('\n'))));

    const int documents = 1 + 2 * kSavesEach;
    QCOMPARE(t.Value(QStringLiteral("SELECT COUNT(*) FROM DOKUMENT")).toInt(), documents);
    QCOMPARE(t.Value(QStringLiteral("SELECT COUNT(DISTINCT NRDOK) FROM DOKUMENT")).toInt(), documents);
    QCOMPARE(t.Value(QStringLiteral("SELECT COUNT(DISTINCT NRPOZ) FROM DOKUMENT")).toInt(), documents);
    QCOMPARE(t.Value(QStringLiteral("SELECT MAX(NRDOK) FROM DOKUMENT")).toInt(), documents);
    // Each saw the other's documents: the balance grew by one each time.
    QCOMPARE(t.Value(QStringLiteral("SELECT MAX(POZOSTALESR) FROM DOKUMENT")).toDouble(), 10.0 + 2 * kSavesEach);
}

QTEST_GUILESS_MAIN(LockTest)
#include "lock_test.moc"
