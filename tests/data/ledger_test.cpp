// The ledger engine: numbers of a new document, the month guard, the walks
// that renumber and rebalance the ledger, and the cash in the till.
#include "common/testdb.h"

#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTest>

namespace {

// Dialogs that also note whether a transaction (and so the ledger lock) was
// held while the user was asked.
class WatchingDialogs : public ScriptedDialogs {
  public:
    bool Ask(const QString& caption, const QString& text) override {
        heldWhileAsking = heldWhileAsking || (DB && DB->InTransaction());
        return ScriptedDialogs::Ask(caption, text);
    }
    void Show(const QString& caption, const QString& text, MsgIcon icon) override {
        heldWhileAsking = heldWhileAsking || (DB && DB->InTransaction());
        ScriptedDialogs::Show(caption, text, icon);
    }
    bool heldWhileAsking = false;
};

QString Money(double v) {
    return QString::number(v, 'f', 2);
}

QString RowSql(int nrdok, int nrpoz, const QString& kind, double in, double out, double balance,
               int nrrk, const QString& date = QStringLiteral("2011-03-10"), int okres = 1) {
    return QStringLiteral(
               "INSERT INTO DOKUMENT (DATA,PRZYCHOD,ROZCHOD,NRDOK,NRPOZ,RODZAJDOK,POZOSTALESR,"
               "OKRES,NRRK) VALUES ('%1',%2,%3,%4,%5,'%6',%7,%8,%9)")
        .arg(date, Money(in), Money(out))
        .arg(nrdok)
        .arg(nrpoz)
        .arg(kind, Money(balance))
        .arg(okres)
        .arg(nrrk < 0 ? QStringLiteral("NULL") : QString::number(nrrk));
}

// A ledger written from a short description, one document per entry:
// "KP 100 1" (kind, amount, cash report; "-" for none), "KW 30 1",
// "WB -50 -" (a WB's negative amount is a cost), "KP 40+60 1" (two lines).
// Documents are numbered from 1, positions from 2; balances run from
// opening, the first line of a two-line KP holding the balance after it.
void WriteLedger(TestDb& t, const QStringList& docs, double opening = 0) {
    QStringList sql{QStringLiteral("UPDATE STANP SET WARTOSC=%1").arg(Money(opening))};
    double balance = opening;
    int nrdok = 0;
    for (const QString& doc : docs) {
        ++nrdok;
        const QStringList f = doc.split(QLatin1Char(' '));
        const int nrrk = f[2] == QLatin1String("-") ? -1 : f[2].toInt();
        for (const QString& part : f[1].split(QLatin1Char('+'))) {
            const double amount = part.toDouble();
            const bool cost = f[0] == QLatin1String("KW") || amount < 0;
            balance += cost ? -qAbs(amount) : amount;
            sql << RowSql(nrdok, nrdok + 1, f[0], cost ? 0 : amount, cost ? qAbs(amount) : 0,
                          balance, nrrk);
        }
    }
    t.Run(sql);
}

// "NRDOK/NRPOZ/NRRK/POZOSTALESR" of every row, in the order written.
QStringList Snapshot(TestDb& t) {
    QStringList out;
    for (const QSqlRecord& r : t.db().Select(QStringLiteral(
             "SELECT NRDOK,NRPOZ,NRRK,POZOSTALESR FROM DOKUMENT ORDER BY ID_DOKUMENT")))
        out << QStringLiteral("%1/%2/%3/%4")
                   .arg(r.value(0).toInt())
                   .arg(r.value(1).toInt())
                   .arg(r.isNull(2) ? QStringLiteral("-") : r.value(2).toString())
                   .arg(Money(r.value(3).toDouble()));
    return out;
}

const char* const kNegative = "Uwaga w niektórych pozycjach stan środków wyszedł na minus.";

// --- the walks as a row-by-row reading of the ledger, one statement at a
// time, to hold the engine's results against ---------------------------

float ReferenceBalance(TDB& db, int d, int back, int* negatives) {
    const Rows p =
        db.Select(QStringLiteral("SELECT NRDOK,MAX(POZOSTALESR) as POZOSTALESR FROM DOKUMENT "
                                 "WHERE NRDOK=:WYBOR GROUP BY NRDOK"),
                  {{QStringLiteral("WYBOR"), d - back}});
    const float prior =
        p.isEmpty()
            ? static_cast<float>(db.Scalar(QStringLiteral("SELECT WARTOSC FROM STANP")).toDouble())
            : static_cast<float>(p[0].value(1).toDouble());
    const Rows s =
        db.Select(QStringLiteral("SELECT NRDOK,SUM(PRZYCHOD) as PRZYCHOD, SUM(ROZCHOD) AS ROZCHOD "
                                 "FROM DOKUMENT WHERE NRDOK=:WYBOR GROUP BY NRDOK"),
                  {{QStringLiteral("WYBOR"), d}});
    const float in = s.isEmpty() ? 0 : static_cast<float>(s[0].value(1).toDouble());
    const float out = s.isEmpty() ? 0 : static_cast<float>(s[0].value(2).toDouble());
    const float balance = static_cast<float>(
        TDB::RoundMoney(static_cast<float>(static_cast<long double>(prior) + in - out)));
    if (balance < 0)
        ++*negatives;
    return balance;
}

Rows ReferenceWalkRows(TDB& db, int after) {
    return db.Select(
        QStringLiteral(
            "SELECT NRDOK,NRPOZ,NRRK,RODZAJDOK,POZOSTALESR FROM DOKUMENT WHERE NRDOK>'%1'"
            " ORDER BY NRDOK,ID_DOKUMENT")
            .arg(after));
}

int ReferenceRecompute(TDB& db, int after, int back) {
    int negatives = 0;
    for (const QSqlRecord& r : ReferenceWalkRows(db, after)) {
        const int d = r.value(0).toInt();
        const float balance = ReferenceBalance(db, d, back, &negatives);
        db.Exec(QStringLiteral("UPDATE DOKUMENT SET POZOSTALESR=:POZOSTALESR WHERE NRDOK=:WYBOR"),
                {{QStringLiteral("POZOSTALESR"), static_cast<double>(balance)},
                 {QStringLiteral("WYBOR"), d}});
    }
    return negatives;
}

int ReferenceResequence(TDB& db, int deleted, int wasWb, int shift, int back) {
    const bool formB = db.Main().ManualRk != 1 && wasWb != 0;
    int negatives = 0;
    for (const QSqlRecord& r : ReferenceWalkRows(db, deleted)) {
        const int d = r.value(0).toInt();
        const bool withRk = formB && db.Main().NextIsWb == 0 &&
                            r.value(3).toString().trimmed() != QLatin1String("WB");
        QVariantMap p{{QStringLiteral("WYBOR"), d},
                      {QStringLiteral("NRDOK"), d + shift},
                      {QStringLiteral("NRPOZ"), r.value(1).toInt() + shift}};
        if (withRk)
            p[QStringLiteral("NRRK")] = r.value(2).toInt() + shift;
        p[QStringLiteral("POZOSTALESR")] =
            static_cast<double>(ReferenceBalance(db, d, back, &negatives));
        db.Exec(QStringLiteral(
                    "UPDATE DOKUMENT SET NRDOK=:NRDOK,NRPOZ=:NRPOZ,POZOSTALESR=:POZOSTALESR %1"
                    "WHERE NRDOK=:WYBOR")
                    .arg(withRk ? QStringLiteral(",NRRK=:NRRK ") : QString()),
                p);
    }
    return negatives;
}

} // namespace

class LedgerTest : public QObject {
    Q_OBJECT
  private slots:
    void emptyLedgerTakesOpeningValues();
    void monthGuard_data();
    void monthGuard();
    void balanceIsAfterWholeLastDocument();
    void cashReportNumber_data();
    void cashReportNumber();
    void schoolYearLabel_data();
    void schoolYearLabel();

    void recomputeBalances_data();
    void recomputeBalances();
    void warningOnlyAfterCommitAndOnlyWhenNegative();
    void resequenceAfterDelete_data();
    void resequenceAfterDelete();
    void shiftAndPropagate();
    void walksMatchRowByRowReading_data();
    void walksMatchRowByRowReading();
    void cashOnHand_data();
    void cashOnHand();
};

void LedgerTest::emptyLedgerTakesOpeningValues() {
    TestDb t;
    t.Run({QStringLiteral("UPDATE STANP SET LICZNIKSTART=1,LICZNIKPOZ=5,WARTOSC=100,NRK=3")});
    for (const QDate& d : {QDate(2011, 3, 1), QDate(1999, 1, 31), QDate(2030, 12, 1)}) {
        bool ok = false;
        QVERIFY(t.db().RunAction([&] { ok = t.db().PrepareNextDocument(d.month(), d.year()); }));
        QVERIFY(ok);
        QCOMPARE(t.db().NextNrDok, 1);
        QCOMPARE(t.db().NextNrPoz, 5);
        QCOMPARE(t.db().LastBalance, 100.0f);
        QCOMPARE(t.db().CurrentOkres, 1);
        QCOMPARE(t.db().CurrentNrRk, 3);
        QCOMPARE(t.db().PreviousNrRk, 0);
    }
    QVERIFY(t.ui().messages.isEmpty());
}

void LedgerTest::monthGuard_data() {
    QTest::addColumn<QString>("lastDate");
    QTest::addColumn<QDate>("newDate");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("caption"); // of the one message, "" for none
    QTest::addColumn<QString>("text");
    const QString question = QStringLiteral("Uwaga, dokument jest z nowego miesiąca. Czy chcesz "
                                            "zamknąć poprzedni miesiąc i utworzyć nowy?");
    const QString refusal =
        QStringLiteral("Wybrano miesiąc wcześniejszy niż z ostatniego istniejącego "
                       "dokumentu, dokument nie może zostać zapisany.");
    QTest::newRow("new month, yes")
        << "2010-12-15" << QDate(2011, 1, 3) << true << true << "Ostrzeżenie" << question;
    QTest::newRow("new month, no")
        << "2010-12-15" << QDate(2011, 1, 3) << false << false << "Ostrzeżenie" << question;
    QTest::newRow("year decides first")
        << "2011-01-20" << QDate(2010, 12, 1) << true << false << "Błąd" << refusal;
    QTest::newRow("earlier month")
        << "2011-05-02" << QDate(2011, 4, 30) << true << false << "Błąd" << refusal;
    QTest::newRow("same month") << "2011-03-10" << QDate(2011, 3, 25) << true << true << ""
                                << "";
}

void LedgerTest::monthGuard() {
    QFETCH(QString, lastDate);
    QFETCH(QDate, newDate);
    QFETCH(bool, answer);
    QFETCH(bool, accepted);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    TestDb t;
    WatchingDialogs ui;
    t.db().SetUi(&ui);
    t.Run({RowSql(7, 9, QStringLiteral("KP"), 50, 0, 80, 2, QStringLiteral("2011-01-01"), 4),
           RowSql(8, 10, QStringLiteral("KW"), 0, 5, 75, 2, lastDate, 4)});
    ui.Answer(answer);
    bool ok = !accepted;
    QVERIFY(t.db().RunAction(
        [&] { ok = t.db().PrepareNextDocument(newDate.month(), newDate.year()); }));
    QCOMPARE(ok, accepted);
    QCOMPARE(ui.messages.size(), caption.isEmpty() ? 0 : 1);
    if (!caption.isEmpty()) {
        QCOMPARE(ui.messages[0].caption, caption);
        QCOMPARE(ui.messages[0].text, text);
        QCOMPARE(ui.messages[0].icon,
                 caption == QStringLiteral("Błąd") ? MsgIcon::Exclamation : MsgIcon::None);
        QCOMPARE(ui.messages[0].question, caption == QStringLiteral("Ostrzeżenie"));
    }
    // Nobody waits on this workstation while its user decides.
    QVERIFY(!ui.heldWhileAsking);
    if (!accepted)
        return;
    const bool newMonth = !caption.isEmpty();
    QCOMPARE(t.db().NextNrDok, 9);
    QCOMPARE(t.db().NextNrPoz, newMonth ? 14 : 11);
    QCOMPARE(t.db().CurrentOkres, newMonth ? 5 : 4);
    QCOMPARE(t.db().LastBalance, 75.0f);
}

void LedgerTest::balanceIsAfterWholeLastDocument() {
    TestDb t;
    // A freshly written two-line KP: the second line holds the balance after
    // the whole document, whichever row the database returns last.
    t.Run({RowSql(1, 2, QStringLiteral("KP"), 10, 0, 10, 1),
           RowSql(2, 3, QStringLiteral("KP"), 60, 0, 110, 1),
           RowSql(2, 3, QStringLiteral("KP"), 40, 0, 50, 1)});
    QVERIFY(t.db().RunAction([&] { QVERIFY(t.db().PrepareNextDocument(3, 2011)); }));
    QCOMPARE(t.db().LastBalance, 110.0f);
    QCOMPARE(t.db().NextNrDok, 3);
    QCOMPARE(t.db().NextNrPoz, 4);
}

void LedgerTest::cashReportNumber_data() {
    QTest::addColumn<QStringList>("ledger");
    QTest::addColumn<int>("manualRk");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("previous");
    QTest::newRow("automatic, last is WB") << QStringList{"KP 10 7", "WB 5 -"} << 0 << 8 << 7;
    QTest::newRow("automatic, last is KP") << QStringList{"WB 5 -", "KP 10 7"} << 0 << 7 << 7;
    QTest::newRow("closed by hand") << QStringList{"KP 10 7", "WB 5 -"} << 1 << 12 << 7;
    QTest::newRow("only WB rows") << QStringList{"WB 5 -", "WB 5 -"} << 0 << 3 << 0;
}

void LedgerTest::cashReportNumber() {
    QFETCH(QStringList, ledger);
    QFETCH(int, manualRk);
    QFETCH(int, current);
    QFETCH(int, previous);
    TestDb t;
    WriteLedger(t, ledger);
    t.Run({QStringLiteral("UPDATE SYSCOUNT SET DOCID=12 WHERE ID_SYSCOUNT='5'"),
           QStringLiteral("UPDATE STANP SET NRK=3")});
    t.state().ManualRk = manualRk;
    QVERIFY(t.db().RunAction([&] {
        QVERIFY(t.db().PrepareNextDocument(3, 2011));
        t.db().SetDocCounter(t.db().CurrentNrRk);
        t.db().CommitWork();
    }));
    QCOMPARE(t.db().CurrentNrRk, current);
    QCOMPARE(t.db().PreviousNrRk, previous);
    QCOMPARE(t.Value(QStringLiteral("SELECT DOCID FROM SYSCOUNT WHERE ID_SYSCOUNT='5'")).toInt(),
             current);
}

void LedgerTest::schoolYearLabel_data() {
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("label");
    QTest::newRow("September opens") << 9 << 2011 << "2011/2012";
    QTest::newRow("October") << 10 << 2011 << "2011/2012";
    QTest::newRow("August closes") << 8 << 2011 << "2010/2011";
    QTest::newRow("January 2000") << 1 << 2000 << "1999/2000";
}

void LedgerTest::schoolYearLabel() {
    QFETCH(int, month);
    QFETCH(int, year);
    QFETCH(QString, label);
    QCOMPARE(TDB::SchoolYearLabel(month, year), label);
}

void LedgerTest::recomputeBalances_data() {
    QTest::addColumn<QStringList>("ledger");
    QTest::addColumn<double>("opening");
    QTest::addColumn<QString>("change"); // SQL run in the action before the walk
    QTest::addColumn<int>("after");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("warnings");
    const QString kForget = QStringLiteral("UPDATE DOKUMENT SET POZOSTALESR=0");
    QTest::newRow("positive") << QStringList{"KP 100 1", "KW 30 1", "KP 10 1"} << 50.0 << kForget
                              << 0 << QStringList{"1/2/1/150.00", "2/3/1/120.00", "3/4/1/130.00"}
                              << 0;
    QTest::newRow("negative funds")
        << QStringList{"KP 100 1", "KW 130 1", "KP 10 1"} << 0.0 << kForget << 0
        << QStringList{"1/2/1/100.00", "2/3/1/-30.00", "3/4/1/-20.00"} << 1;
    // The second line of the two-line KP holds 110; the next document
    // starts from it.
    QTest::newRow("two-line KP") << QStringList{"KP 10 1", "KP 40+60 1", "KW 20 1"} << 0.0
                                 << kForget << 0
                                 << QStringList{"1/2/1/10.00", "2/3/1/110.00", "2/3/1/110.00",
                                                "3/4/1/90.00"}
                                 << 0;
    QTest::newRow("after a correction")
        << QStringList{"KP 100 1", "KW 30 1", "KP 10 1"} << 0.0
        << "UPDATE DOKUMENT SET ROZCHOD=45 WHERE NRDOK=2" << 1
        << QStringList{"1/2/1/100.00", "2/3/1/55.00", "3/4/1/65.00"} << 0;
    QTest::newRow("first document kept out")
        << QStringList{"KP 100 1", "KW 30 1"} << 0.0
        << "UPDATE DOKUMENT SET POZOSTALESR=500 WHERE NRDOK=1" << 1
        << QStringList{"1/2/1/500.00", "2/3/1/470.00"} << 0;
}

void LedgerTest::recomputeBalances() {
    QFETCH(QStringList, ledger);
    QFETCH(double, opening);
    QFETCH(QString, change);
    QFETCH(int, after);
    QFETCH(QStringList, expected);
    QFETCH(int, warnings);
    TestDb t;
    WriteLedger(t, ledger, opening);
    QVERIFY(t.db().RunAction([&] {
        t.db().Exec(change);
        t.db().RecomputeBalances(after, 1);
        t.db().CommitWork();
    }));
    QCOMPARE(Snapshot(t), expected);
    QCOMPARE(t.ui().messages.size(), warnings);
    if (warnings) {
        QCOMPARE(t.ui().messages[0].caption, QStringLiteral("Ostrzeżenie"));
        QCOMPARE(t.ui().messages[0].text, QString::fromUtf8(kNegative));
        QCOMPARE(t.ui().messages[0].icon, MsgIcon::None);
    }
}

void LedgerTest::warningOnlyAfterCommitAndOnlyWhenNegative() {
    TestDb t;
    WriteLedger(t, {"KP 100 1", "KW 130 1", "KP 10 1"});
    // Shown once the change is committed, not while its rows are locked;
    // nothing when the action is rolled back.
    QVERIFY(t.db().RunAction([&] {
        t.db().RecomputeBalances(0, 1);
        QVERIFY(t.ui().messages.isEmpty());
    }));
    QVERIFY(t.ui().messages.isEmpty());
    QVERIFY(t.db().RunAction([&] {
        t.db().RecomputeBalances(0, 1);
        QVERIFY(t.ui().messages.isEmpty());
        t.db().CommitWork();
    }));
    QCOMPARE(t.ui().Texts(), QStringList{QString::fromUtf8(kNegative)});
    // A clean recomputation after one that found negative funds warns no more.
    t.ui().Clear();
    QVERIFY(t.db().RunAction([&] {
        t.db().Exec(QStringLiteral("UPDATE DOKUMENT SET ROZCHOD=30 WHERE NRDOK=2"));
        t.db().RecomputeBalances(0, 1);
        t.db().CommitWork();
    }));
    QCOMPARE(t.db().NegativeCount, 0);
    QVERIFY(t.ui().messages.isEmpty());
}

void LedgerTest::resequenceAfterDelete_data() {
    QTest::addColumn<QStringList>("ledger");
    QTest::addColumn<double>("opening");
    QTest::addColumn<int>("deleted");
    QTest::addColumn<int>("manualRk");
    QTest::addColumn<int>("nextIsWb");
    QTest::addColumn<QStringList>("expected");
    const QStringList five{"KP 100 1", "KW 30 1", "KP 10 1", "KP 5 1", "KW 20 1"};
    QTest::newRow("document 2 of 5")
        << five << 0.0 << 2 << 0 << 0
        << QStringList{"1/2/1/100.00", "2/3/1/110.00", "3/4/1/115.00", "4/5/1/95.00"};
    QTest::newRow("first document")
        << five << 50.0 << 1 << 0 << 0
        << QStringList{"1/2/1/20.00", "2/3/1/30.00", "3/4/1/35.00", "4/5/1/15.00"};
    const QStringList wbThenKp{"KP 100 1", "WB 50 -", "KP 20 2", "KW 30 2"};
    QTest::newRow("WB followed by KP merges cash reports")
        << wbThenKp << 0.0 << 2 << 0 << 0
        << QStringList{"1/2/1/100.00", "2/3/1/120.00", "3/4/1/90.00"};
    QTest::newRow("WB followed by KP, reports closed by hand")
        << wbThenKp << 0.0 << 2 << 1 << 0
        << QStringList{"1/2/1/100.00", "2/3/2/120.00", "3/4/2/90.00"};
    QTest::newRow("WB followed by WB")
        << QStringList{"KP 100 1", "WB 50 -", "WB -10 -", "KP 20 2"} << 0.0 << 2 << 0 << 1
        << QStringList{"1/2/1/100.00", "2/3/-/90.00", "3/4/2/110.00"};
    QTest::newRow("two-line KP after the deleted WB")
        << QStringList{"KP 100 1", "WB 50 -", "KP 40+60 2", "KW 30 2"} << 0.0 << 2 << 0 << 0
        << QStringList{"1/2/1/100.00", "2/3/1/200.00", "2/3/1/200.00", "3/4/1/170.00"};
}

void LedgerTest::resequenceAfterDelete() {
    QFETCH(QStringList, ledger);
    QFETCH(double, opening);
    QFETCH(int, deleted);
    QFETCH(int, manualRk);
    QFETCH(int, nextIsWb);
    QFETCH(QStringList, expected);
    TestDb t;
    WriteLedger(t, ledger, opening);
    t.state().ManualRk = manualRk;
    t.state().NextIsWb = nextIsWb;
    const bool wasWb = ledger[deleted - 1].startsWith(QLatin1String("WB"));
    QVERIFY(t.db().RunAction([&] {
        t.db().Exec(QStringLiteral("DELETE FROM DOKUMENT WHERE NRDOK=:N"),
                    {{QStringLiteral("N"), deleted}});
        t.db().ResequenceAfterDelete(deleted, wasWb ? 1 : 0, -1, 2);
        t.db().CommitWork();
    }));
    QCOMPARE(Snapshot(t), expected);
    QVERIFY(t.ui().messages.isEmpty());
}

void LedgerTest::shiftAndPropagate() {
    TestDb t;
    WriteLedger(t, {"KP 1 1", "KP 1 1", "KP 1 1", "KP 1 1", "WB 1 -", "KW 1 1"}, 10);
    QVERIFY(t.db().RunAction([&] {
        t.db().ShiftNumbers(4, 1);
        t.db().PropagateCashReport(4, 1);
        t.db().CommitWork();
    }));
    QCOMPARE(Snapshot(t), (QStringList{"1/2/1/11.00", "2/3/1/12.00", "3/4/1/13.00", "4/5/1/14.00",
                                       "6/7/-/15.00", "7/8/2/14.00"}));
}

// The engine's walks against a reading of the ledger one row and one
// statement at a time, on a ledger with two-line documents, balances above
// the exact range of single precision, negative funds and a first number
// above 1.
void LedgerTest::walksMatchRowByRowReading_data() {
    QTest::addColumn<QString>("walk");
    QTest::addColumn<int>("at");
    QTest::addColumn<int>("manualRk");
    QTest::addColumn<int>("nextIsWb");
    QTest::newRow("recompute from the start") << "recompute" << 0 << 0 << 0;
    QTest::newRow("recompute from the middle") << "recompute" << 60 << 0 << 0;
    QTest::newRow("delete the first") << "delete" << 3 << 0 << 0;
    QTest::newRow("delete a WB") << "delete" << -1 << 0 << 0;
    QTest::newRow("delete a WB, next a WB") << "delete" << -1 << 0 << 1;
    QTest::newRow("delete a WB, by hand") << "delete" << -1 << 1 << 0;
    QTest::newRow("delete a two-line document") << "delete" << -2 << 0 << 0;
}

void LedgerTest::walksMatchRowByRowReading() {
    QFETCH(QString, walk);
    QFETCH(int, at);
    QFETCH(int, manualRk);
    QFETCH(int, nextIsWb);
    TestDb t;
    QRandomGenerator rnd(20110301);
    QStringList sql{QStringLiteral("UPDATE STANP SET WARTOSC=150000.37")};
    int wb = 0;
    int twoLine = 0;
    for (int nrdok = 3; nrdok < 120; ++nrdok) {
        const int kind = rnd.bounded(6);
        const double a = rnd.bounded(30000000) / 100.0;
        const double b = rnd.bounded(30000000) / 100.0;
        const int nrrk = 1 + nrdok / 10;
        // Stored balances are deliberately off: the walk must not trust them.
        const double stale = rnd.bounded(100000) / 100.0;
        if (kind <= 1) {
            sql << RowSql(nrdok, nrdok + 2, QStringLiteral("KP"), a, 0, stale, nrrk);
        } else if (kind == 2) {
            sql << RowSql(nrdok, nrdok + 2, QStringLiteral("KP"), a, 0, stale, nrrk)
                << RowSql(nrdok, nrdok + 2, QStringLiteral("KP"), b, 0, stale + 1, nrrk);
            twoLine = twoLine ? twoLine : nrdok;
        } else if (kind == 3) {
            sql << RowSql(nrdok, nrdok + 2, QStringLiteral("KW"), 0, a + b + 150000, stale, nrrk);
        } else {
            sql << RowSql(nrdok, nrdok + 2, QStringLiteral("WB"), a, b, stale, -1);
            if (kind == 5)
                sql << RowSql(nrdok, nrdok + 2, QStringLiteral("WB"), 0, b, stale, -1);
            wb = wb ? wb : nrdok;
        }
    }
    t.Run(sql);
    if (nextIsWb) { // put a WB right after the one to delete
        t.Run({QStringLiteral("UPDATE DOKUMENT SET RODZAJDOK='WB',NRRK=NULL WHERE NRDOK=%1")
                   .arg(wb + 1)});
    }
    const int target = at == -1 ? wb : at == -2 ? twoLine : at;
    t.state().ManualRk = manualRk;
    t.state().NextIsWb = nextIsWb;
    const bool wasWb = target == wb && walk == QLatin1String("delete");
    const auto run = [&](bool reference) {
        int negatives = 0;
        QStringList rows;
        TDB& db = t.db();
        const bool ok = db.RunAction([&] {
            if (walk == QLatin1String("recompute")) {
                if (reference)
                    negatives = ReferenceRecompute(db, target, 1);
                else {
                    db.RecomputeBalances(target, 1);
                    negatives = db.NegativeCount;
                }
            } else {
                db.Exec(QStringLiteral("DELETE FROM DOKUMENT WHERE NRDOK=:N"),
                        {{QStringLiteral("N"), target}});
                if (reference)
                    negatives = ReferenceResequence(db, target, wasWb, -1, 2);
                else {
                    db.ResequenceAfterDelete(target, wasWb, -1, 2);
                    negatives = db.NegativeCount;
                }
            }
            rows = Snapshot(t); // read inside the action, then rolled back
        });
        return ok ? QStringList{rows.join(QLatin1Char(' ')), QString::number(negatives)}
                  : QStringList();
    };
    const QStringList reference = run(true);
    const QStringList engine = run(false);
    QVERIFY(!reference.isEmpty());
    QCOMPARE(engine, reference);
    QVERIFY(reference[1].toInt() > 0); // the ledger does go negative
}

void LedgerTest::cashOnHand_data() {
    QTest::addColumn<double>("amount");
    QTest::addColumn<bool>("covered");
    QTest::newRow("all of it") << 350.0 << true;
    QTest::newRow("a grosz more") << 350.01 << false;
    QTest::newRow("nothing") << 0.0 << true;
}

void LedgerTest::cashOnHand() {
    QFETCH(double, amount);
    QFETCH(bool, covered);
    TestDb t;
    // The WB moves the funds but not the cash in the till.
    WriteLedger(t, {"KP 300 1", "KW 150 1", "WB 1000 -"});
    t.Run({QStringLiteral("UPDATE STANP SET KASAWARTOSC=200")});
    bool result = !covered;
    QVERIFY(t.db().RunAction([&] { result = t.db().CashOnHand(static_cast<float>(amount)); }));
    QCOMPARE(result, covered);
    QCOMPARE(t.Value(QStringLiteral("SELECT COUNT(*) FROM TEMPRK")).toInt(), 0);
}

QTEST_GUILESS_MAIN(LedgerTest)
#include "ledger_test.moc"
