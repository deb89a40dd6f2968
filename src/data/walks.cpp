// Renumbering and the running balance after a change inside the ledger, and
// the cash in the till. Everything runs in the caller's transaction; the
// caller commits.
#include "data/db.h"
#include "data/ledgerwalk.h"

namespace {

float OpeningFunds(TDB& db) {
    return static_cast<float>(db.Scalar(QStringLiteral("SELECT WARTOSC FROM STANP")).toDouble());
}

} // namespace

// Every row after afterNrDok moves by shift, each from its own numbers, as a
// walk addressing the rows by key would move them.
void TDB::ShiftNumbers(int afterNrDok, int shift) {
    Exec(QStringLiteral("UPDATE DOKUMENT SET NRDOK=NRDOK+:SHIFT1,NRPOZ=COALESCE(NRPOZ,0)+:SHIFT2 "
                        "WHERE NRDOK>:AFTER"),
         {{QStringLiteral("SHIFT1"), shift},
          {QStringLiteral("SHIFT2"), shift},
          {QStringLiteral("AFTER"), afterNrDok}});
}

void TDB::PropagateCashReport(int afterNrDok, int shift) {
    Exec(QStringLiteral("UPDATE DOKUMENT SET NRRK=COALESCE(NRRK,0)+:SHIFT "
                        "WHERE NRDOK>:AFTER AND COALESCE(TRIM(RODZAJDOK),'')<>'WB'"),
         {{QStringLiteral("SHIFT"), shift}, {QStringLiteral("AFTER"), afterNrDok}});
}

void TDB::RecomputeBalances(int afterNrDok, int back) {
    NegativeCount = 0;
    const float opening = OpeningFunds(*this);
    Ledger::Walk walk(*this, afterNrDok, back);
    for (const Ledger::Row& visit : walk.Visits()) {
        const int d = visit.nrdok;
        const float balance = walk.Balance(d, back, opening, &NegativeCount);
        walk.UpdateAt(d, [&](Ledger::Row& r) {
            r.balance = Ledger::StoredCents(balance);
            r.balanceNull = false;
        });
    }
    walk.Write();
    WarnIfNegative();
}

// The deleted document's rows are gone. Every later document moves by
// shift, addressed by its old number, and takes its balance from the
// document back numbers below that old number, which has moved already.
// Deleting a WB in automatic cash-report numbering also moves the cash
// report of every later KP and KW, unless a WB follows the deleted one.
void TDB::ResequenceAfterDelete(int deletedNrDok, int deletedWasWb, int shift, int back) {
    NegativeCount = 0;
    const bool formB = Main().ManualRk != 1 && deletedWasWb != 0;
    const float opening = OpeningFunds(*this);
    Ledger::Walk walk(*this, deletedNrDok, back);
    for (const Ledger::Row& visit : walk.Visits()) {
        const int d = visit.nrdok;
        const bool moveCashReport = formB && Main().NextIsWb == 0 && !visit.isWb;
        const float balance = walk.Balance(d, back, opening, &NegativeCount);
        walk.UpdateAt(d, [&](Ledger::Row& r) {
            r.nrdok = d + shift;
            r.nrpoz = visit.nrpoz + shift;
            r.nrpozNull = false;
            r.balance = Ledger::StoredCents(balance);
            r.balanceNull = false;
            if (moveCashReport) {
                r.nrrk = visit.nrrk + shift;
                r.nrrkNull = false;
            }
        });
    }
    walk.Write();
    WarnIfNegative();
}

void TDB::WarnIfNegative() {
    if (NegativeCount > 0)
        ShowAfterCommit(
            QStringLiteral("Ostrzeżenie"),
            QStringLiteral("Uwaga w niektórych pozycjach stan środków wyszedł na minus."),
            MsgIcon::None);
}

// The cash in the till: the opening cash and every KP and KW row, bank
// statements left out. The sums are taken directly, so no shared work
// table is involved.
bool TDB::CashOnHand(float amount) {
    const qint64 opening =
        Ledger::CentsOf(Scalar(QStringLiteral("SELECT KASAWARTOSC FROM STANP")).toDouble());
    const Rows sums =
        Select(QStringLiteral("SELECT SUM(PRZYCHOD) AS SUMAP,SUM(ROZCHOD) AS SUMAR FROM DOKUMENT"
                              " WHERE RODZAJDOK<>'WB'"));
    const QSqlRecord r = sums.value(0);
    const double in = Ledger::ValueOfCents(opening + Ledger::CentsOf(r.value(0).toDouble()));
    const double out = Ledger::ValueOfCents(Ledger::CentsOf(r.value(1).toDouble()));
    const long double left = static_cast<long double>(in) - out - amount;
    return RoundMoney(static_cast<float>(left)) >= 0;
}
