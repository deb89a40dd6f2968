#pragma once
#include <QList>
#include <QString>

class TDB;

// Checks what must hold in the ledger after any command. Returns an empty
// text when everything holds, else what is wrong.
//  - NRDOK runs without gaps from STANP.LICZNIKSTART;
//  - NRPOZ grows by one per document, plus three more at each new period;
//  - every document's balance (its largest POZOSTALESR) is the balance
//    before it plus its receipts minus its payments, rounded as the engine does;
//  - every non-WB row has an NRRK, WB rows none.
QString CheckLedger(TDB& db);
// SYSCOUNT.DOCID equals the largest NRRK of the ledger.
QString CheckDocCounter(TDB& db);
// The remaining funds after document nrdok (its largest POZOSTALESR).
double DocumentBalance(TDB& db, int nrdok);
// NRRK of every row in the order of NRDOK, 0 where there is none.
QList<int> CashReports(TDB& db);
