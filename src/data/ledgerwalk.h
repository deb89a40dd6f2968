#pragma once
#include <QHash>
#include <QVector>
#include <functional>

class TDB;

// The rows of the ledger that a renumbering or rebalancing walk reads and
// changes, held in memory for the walk and written back once at its end.
// The walk itself visits the rows one by one in the order of NRDOK and works
// on the ledger as it stands at each step (a balance reads the predecessor
// as already changed by the walk), exactly as a row-by-row walk over the
// database would, without a round trip per row.
namespace Ledger {

// Money of a NUMERIC(18,2) column, as whole grosze.
qint64 CentsOf(double value);
// The value the driver reads for an amount of so many grosze.
double ValueOfCents(qint64 cents);
// What a bound floating-point value becomes in a NUMERIC(18,2) column.
qint64 StoredCents(double value);

struct Row {
    int id = 0; // ID_DOKUMENT
    int nrdok = 0;
    int nrpoz = 0;
    bool nrpozNull = false;
    int nrrk = 0;
    bool nrrkNull = false;
    bool isWb = false;  // RODZAJDOK, trimmed, is "WB"
    qint64 in = 0;      // PRZYCHOD, grosze
    qint64 out = 0;     // ROZCHOD, grosze
    qint64 balance = 0; // POZOSTALESR, grosze
    bool balanceNull = false;
};

class Walk {
  public:
    // Reads every row with NRDOK > afterNrDok - back: the rows to visit
    // (NRDOK > afterNrDok, in the walk's order) and the predecessors their
    // balances start from.
    Walk(TDB& db, int afterNrDok, int back);

    // The rows the walk visits, as they were read at its start.
    QVector<Row> Visits() const;

    // Funds before a document: the largest balance of the rows now numbered
    // nrdok, narrowed to single precision; opening when there is none.
    float Prior(int nrdok, float opening) const;
    // Revenue and cost of the rows now numbered nrdok (0 when none).
    void Sums(int nrdok, float* in, float* out) const;
    // The balance of document d at this step: RoundMoney(prior + in - out)
    // with the predecessor found back numbers below d. Counts it in
    // *negatives when it is below zero.
    float Balance(int d, int back, float opening, int* negatives) const;
    // As "UPDATE DOKUMENT SET ... WHERE NRDOK=wybor": applies set to every
    // row now numbered wybor.
    void UpdateAt(int wybor, const std::function<void(Row&)>& set);

    // Writes every row that differs from what was read, in the caller's
    // transaction.
    void Write();

  private:
    TDB& db_;
    int afterNrDok_;
    QVector<Row> original_;
    QVector<Row> rows_;
    QHash<int, QVector<int>> at_; // NRDOK now -> indices into rows_
};

} // namespace Ledger
