// Two workstations saving documents at the same moment: two connections to
// one database, each on its own thread.
#include "common/testdb.h"

#include <QSemaphore>
#include <QTest>
#include <QThread>
#include <functional>
#include <memory>
#include <utility>

namespace {

const int kSavesEach = 12;

// The row of a one-line KP of 1 zł, numbered as the engine said.
void WriteDocument(TDB& db, const QString& date) {
    db.Exec(
        QStringLiteral(
            "INSERT INTO DOKUMENT (DATA,PRZYCHOD,ROZCHOD,NRDOK,NRPOZ,RODZAJDOK,POZOSTALESR,OKRES,"
            "NRRK) VALUES (:DATA,1,0,:NRDOK,:NRPOZ,'KP',:POZOSTALESR,:OKRES,:NRRK)"),
        {{QStringLiteral("DATA"), date},
         {QStringLiteral("NRDOK"), db.NextNrDok},
         {QStringLiteral("NRPOZ"), db.NextNrPoz},
         {QStringLiteral("POZOSTALESR"), static_cast<double>(TDB::RoundMoney(db.LastBalance + 1))},
         {QStringLiteral("OKRES"), db.CurrentOkres},
         {QStringLiteral("NRRK"), db.CurrentNrRk}});
}

// Lets another workstation act while this one's user is being asked.
class AskedWhileOthersSave : public ScriptedDialogs {
  public:
    bool Ask(const QString& caption, const QString& text) override {
        if (meanwhile)
            std::exchange(meanwhile, nullptr)();
        return ScriptedDialogs::Ask(caption, text);
    }
    std::function<void()> meanwhile;
};

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
            WriteDocument(db, QStringLiteral("2011-03-15"));
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
    void newMonthOpenedElsewhereWhileAsking();
};

void LockTest::twoWorkstationsTakeDifferentNumbers() {
    TestDb t;
    t.Run({QStringLiteral(
        "INSERT INTO DOKUMENT (DATA,PRZYCHOD,ROZCHOD,NRDOK,NRPOZ,RODZAJDOK,POZOSTALESR,OKRES,NRRK)"
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
    QVERIFY2(toldA.isEmpty() && toldB.isEmpty(),
             qPrintable((toldA + toldB).join(QLatin1Char('\n'))));

    const int documents = 1 + 2 * kSavesEach;
    QCOMPARE(t.Value(QStringLiteral("SELECT COUNT(*) FROM DOKUMENT")).toInt(), documents);
    QCOMPARE(t.Value(QStringLiteral("SELECT COUNT(DISTINCT NRDOK) FROM DOKUMENT")).toInt(),
             documents);
    QCOMPARE(t.Value(QStringLiteral("SELECT COUNT(DISTINCT NRPOZ) FROM DOKUMENT")).toInt(),
             documents);
    QCOMPARE(t.Value(QStringLiteral("SELECT MAX(NRDOK) FROM DOKUMENT")).toInt(), documents);
    // Each saw the other's documents: the balance grew by one each time.
    QCOMPARE(t.Value(QStringLiteral("SELECT MAX(POZOSTALESR) FROM DOKUMENT")).toDouble(),
             10.0 + 2 * kSavesEach);
}

// The new-month question is asked with the ledger let go; another
// workstation opens the month meanwhile. After Yes the numbers are read
// again: the document joins that period instead of opening one more.
void LockTest::newMonthOpenedElsewhereWhileAsking() {
    TestDb t;
    t.Run({QStringLiteral(
        "INSERT INTO DOKUMENT (DATA,PRZYCHOD,ROZCHOD,NRDOK,NRPOZ,RODZAJDOK,POZOSTALESR,OKRES,NRRK)"
        " VALUES ('2010-12-15',10,0,1,2,'KP',10,1,1)")});
    AskedWhileOthersSave ui;
    t.db().SetUi(&ui);
    ui.Answer(true);
    ui.meanwhile = [&] {
        ScriptedDialogs otherUi;
        otherUi.Answer(true);
        TDB other(t.folder());
        other.SetUi(&otherUi);
        QVERIFY(other.RunAction([&] {
            QVERIFY(other.PrepareNextDocument(1, 2011));
            WriteDocument(other, QStringLiteral("2011-01-02"));
            other.CommitWork();
        }));
        QCOMPARE(otherUi.messages.size(), 1); // its own new-month question
    };
    bool ok = false;
    QVERIFY(t.db().RunAction([&] { ok = t.db().PrepareNextDocument(1, 2011); }));
    QVERIFY(ok);
    QCOMPARE(ui.messages.size(), 1);
    QCOMPARE(t.db().NextNrDok, 3);
    QCOMPARE(t.db().NextNrPoz, 7); // after the other's 6, no second jump
    QCOMPARE(t.db().CurrentOkres, 2);
    QCOMPARE(t.db().LastBalance, 11.0f);
}

QTEST_GUILESS_MAIN(LockTest)
#include "lock_test.moc"
