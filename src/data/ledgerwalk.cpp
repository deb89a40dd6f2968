#include "data/ledgerwalk.h"
#include "data/db.h"

#include <QSqlError>
#include <cmath>

namespace Ledger {

namespace {

// Rows written by one statement. A PSQL block may name at most 255 tables.
const int kRowsPerBlock = 64;

QVariant NullInt() {
    return QVariant(QMetaType::fromType<int>());
}

QVariant IntOrNull(int value, bool isNull) {
    return isNull ? NullInt() : QVariant(value);
}

// One statement that updates kRowsPerBlock rows by key: their numbers and
// balances, or their balances alone. The driver turns ":NAME" into a
// placeholder, so the block's own variables are written ": NAME", which the
// database reads alike. Balances travel as grosze.
QString BlockSql(bool numbers) {
    QString head = QStringLiteral("EXECUTE BLOCK (");
    QString body;
    for (int k = 0; k < kRowsPerBlock; ++k) {
        if (k > 0)
            head += QLatin1Char(',');
        head += QStringLiteral("I%1 INTEGER = ?,B%1 BIGINT = ?").arg(k);
        if (numbers)
            head += QStringLiteral(",D%1 INTEGER = ?,P%1 INTEGER = ?,R%1 INTEGER = ?").arg(k);
        body += QStringLiteral("UPDATE DOKUMENT SET POZOSTALESR=: B%1*0.01").arg(k);
        if (numbers)
            body += QStringLiteral(",NRDOK=: D%1,NRPOZ=: P%1,NRRK=: R%1").arg(k);
        body += QStringLiteral(" WHERE ID_DOKUMENT=: I%1;\n").arg(k);
    }
    return head + QStringLiteral(") AS BEGIN\n") + body + QStringLiteral("END");
}

// Binds the row (nullptr: a slot left empty) to slot number slot.
void BindRow(QSqlQuery& q, bool numbers, int slot, const Row* r) {
    const int width = numbers ? 5 : 2;
    const int p = width * slot;
    if (!r) {
        for (int i = 0; i < width; ++i)
            q.bindValue(p + i, NullInt());
        return;
    }
    q.bindValue(p, r->id);
    q.bindValue(p + 1,
                r->balanceNull ? QVariant(QMetaType::fromType<qint64>()) : QVariant(r->balance));
    if (!numbers)
        return;
    q.bindValue(p + 2, r->nrdok);
    q.bindValue(p + 3, IntOrNull(r->nrpoz, r->nrpozNull));
    q.bindValue(p + 4, IntOrNull(r->nrrk, r->nrrkNull));
}

bool SameNumbers(const Row& a, const Row& b) {
    return a.nrdok == b.nrdok && a.nrpoz == b.nrpoz && a.nrpozNull == b.nrpozNull &&
           a.nrrk == b.nrrk && a.nrrkNull == b.nrrkNull;
}

bool SameRow(const Row& a, const Row& b) {
    return SameNumbers(a, b) && a.balance == b.balance && a.balanceNull == b.balanceNull;
}

} // namespace

qint64 CentsOf(double value) {
    return std::llround(value * 100.0);
}

double ValueOfCents(qint64 cents) {
    return static_cast<double>(cents) * 0.01;
}

qint64 StoredCents(double value) {
    return static_cast<qint64>(std::floor(value * 100.0 + 0.5));
}

Walk::Walk(TDB& db, int afterNrDok, int back) : db_(db), afterNrDok_(afterNrDok) {
    QSqlQuery q = db_.Exec(
        QStringLiteral("SELECT ID_DOKUMENT,NRDOK,NRPOZ,NRRK,RODZAJDOK,PRZYCHOD,ROZCHOD,POZOSTALESR "
                       "FROM DOKUMENT WHERE NRDOK>:OD ORDER BY NRDOK,ID_DOKUMENT"),
        {{QStringLiteral("OD"), afterNrDok - qMax(back, 0)}});
    while (q.next()) {
        Row r;
        r.id = q.value(0).toInt();
        r.nrdok = q.value(1).toInt();
        r.nrpoz = q.value(2).toInt();
        r.nrpozNull = q.isNull(2);
        r.nrrk = q.value(3).toInt();
        r.nrrkNull = q.isNull(3);
        r.isWb = q.value(4).toString().trimmed() == QLatin1String("WB");
        r.in = CentsOf(q.value(5).toDouble());
        r.out = CentsOf(q.value(6).toDouble());
        r.balance = CentsOf(q.value(7).toDouble());
        r.balanceNull = q.isNull(7);
        at_[r.nrdok].append(rows_.size());
        rows_.append(r);
    }
    if (q.lastError().isValid())
        throw DbError(q.lastError());
    original_ = rows_;
}

QVector<Row> Walk::Visits() const {
    QVector<Row> visits;
    for (const Row& r : original_)
        if (r.nrdok > afterNrDok_)
            visits.append(r);
    return visits;
}

float Walk::Prior(int nrdok, float opening) const {
    const auto it = at_.constFind(nrdok);
    if (it == at_.constEnd() || it->isEmpty())
        return opening;
    bool found = false;
    qint64 largest = 0; // MAX over no value but NULLs reads as 0
    for (int i : *it) {
        const Row& r = rows_[i];
        if (r.balanceNull)
            continue;
        if (!found || r.balance > largest)
            largest = r.balance;
        found = true;
    }
    return static_cast<float>(ValueOfCents(largest));
}

void Walk::Sums(int nrdok, float* in, float* out) const {
    qint64 sumIn = 0;
    qint64 sumOut = 0;
    const auto it = at_.constFind(nrdok);
    if (it != at_.constEnd())
        for (int i : *it) {
            sumIn += rows_[i].in;
            sumOut += rows_[i].out;
        }
    *in = static_cast<float>(ValueOfCents(sumIn));
    *out = static_cast<float>(ValueOfCents(sumOut));
}

float Walk::Balance(int d, int back, float opening, int* negatives) const {
    const float prior = Prior(d - back, opening);
    float in = 0;
    float out = 0;
    Sums(d, &in, &out);
    const long double sum = static_cast<long double>(prior) + in - out;
    const float balance = static_cast<float>(TDB::RoundMoney(static_cast<float>(sum)));
    if (balance < 0)
        ++*negatives;
    return balance;
}

void Walk::UpdateAt(int wybor, const std::function<void(Row&)>& set) {
    const QVector<int> moved = at_.take(wybor);
    for (int i : moved) {
        set(rows_[i]);
        at_[rows_[i].nrdok].append(i);
    }
}

void Walk::Write() {
    QVector<const Row*> changed;
    bool numbers = false;
    for (int i = 0; i < rows_.size(); ++i)
        if (!SameRow(rows_[i], original_[i])) {
            changed.append(&rows_[i]);
            numbers = numbers || !SameNumbers(rows_[i], original_[i]);
        }
    if (changed.isEmpty())
        return;
    db_.BeginWork();
    QSqlQuery q = db_.NewQuery();
    if (!q.prepare(BlockSql(numbers)))
        throw DbError(q.lastError());
    for (int first = 0; first < changed.size(); first += kRowsPerBlock) {
        for (int slot = 0; slot < kRowsPerBlock; ++slot) {
            const int i = first + slot;
            BindRow(q, numbers, slot, i < changed.size() ? changed[i] : nullptr);
        }
        if (!q.exec())
            throw DbError(q.lastError());
    }
}

} // namespace Ledger
