#include "ledgergen.h"
#include "data/db.h"

#include <QDate>
#include <QRandomGenerator>
#include <QSqlError>

namespace {

struct Line {
    double in = 0;
    double out = 0;
    float balance = 0;
};

class Writer {
  public:
    explicit Writer(TDB& db) : q_(db.NewQuery()) {
        q_.prepare(QStringLiteral(
            "INSERT INTO DOKUMENT "
            "(DATA,PRZYCHOD,ROZCHOD,NRDOK,NRPOZ,RODZAJP,RODZAJK,RODZAJDOK,NUMER,OPIS,"
            "POZOSTALESR,OKRES,NRRK,KTO) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)"));
    }
    void Add(const QDate& date, const Line& l, int nrdok, int nrpoz, const char* kind, int okres,
             int nrrk) {
        const bool wb = qstrcmp(kind, "WB") == 0;
        const QVariant values[] = {date,
                                   l.in,
                                   l.out,
                                   nrdok,
                                   nrpoz,
                                   l.in > 0 ? 2 : 1,
                                   l.out > 0 ? 2 : 1,
                                   QString::fromLatin1(kind),
                                   QString::number(nrdok),
                                   QStringLiteral("Dokument %1").arg(nrdok),
                                   static_cast<double>(l.balance),
                                   okres,
                                   wb ? QVariant(QMetaType::fromType<int>()) : QVariant(nrrk),
                                   QStringLiteral("Rodzic")};
        for (int i = 0; i < 14; ++i)
            q_.bindValue(i, values[i]);
        if (!q_.exec())
            throw DbError(q_.lastError());
        ++rows_;
    }
    int Rows() const { return rows_; }

  private:
    QSqlQuery q_;
    int rows_ = 0;
};

float After(float prior, double in, double out) {
    return static_cast<float>(
        TDB::RoundMoney(static_cast<float>(static_cast<long double>(prior) + in - out)));
}

} // namespace

int GenerateLedger(TDB& db, int documents, int years, quint32 seed) {
    QRandomGenerator rnd(seed);
    const auto money = [&](int from, int to) {
        return (from * 100 + rnd.bounded((to - from) * 100)) / 100.0;
    };
    const int months = 12 * years;
    const QDate start(2010, 9, 1);
    db.BeginWork();
    db.Exec(
        QStringLiteral("INSERT INTO PRZYCHODY (NAZWA,POCZATEKPRZYCH,US) VALUES ('Składki',0,0)"));
    db.Exec(QStringLiteral("INSERT INTO KOSZTY (NAZWA,POCZATEKKOSZT,US) VALUES ('Wycieczki',0,0)"));
    db.Exec(QStringLiteral(
        "UPDATE STANP SET WARTOSC=2000,KASAWARTOSC=500,LICZNIKSTART=1,LICZNIKPOZ=2,NRK=1"));
    Writer w(db);
    float balance = 2000;
    int nrpoz = 1;
    int nrrk = 1;
    int nrdok = 0;
    for (int month = 0; month < months; ++month) {
        const QDate first = start.addMonths(month);
        const int count = documents * (month + 1) / months - nrdok;
        nrpoz += month > 0 ? 3 : 0; // a new period
        for (int i = 0; i < count; ++i) {
            ++nrdok;
            ++nrpoz;
            const QDate date = first.addDays(i * first.daysInMonth() / count);
            const int roll = rnd.bounded(100);
            if (roll < 55) { // KP, a quarter of them over two revenue categories
                Line a{money(10, 300), 0, 0};
                if (rnd.bounded(4) == 0) {
                    Line b{money(10, 200), 0, 0};
                    a.balance = After(balance, a.in, 0);
                    b.balance = balance = After(balance, a.in + b.in, 0);
                    w.Add(date, a, nrdok, nrpoz, "KP", month + 1, nrrk);
                    w.Add(date, b, nrdok, nrpoz, "KP", month + 1, nrrk);
                } else {
                    a.balance = balance = After(balance, a.in, 0);
                    w.Add(date, a, nrdok, nrpoz, "KP", month + 1, nrrk);
                }
            } else if (roll < 92) { // KW, never more than the funds
                Line a{0, qMin(money(10, 400), qMax(0.0, static_cast<double>(balance) * 0.5)), 0};
                a.balance = balance = After(balance, 0, a.out);
                w.Add(date, a, nrdok, nrpoz, "KW", month + 1, nrrk);
            } else { // WB: bank income and charges, closing the cash report
                Line a{money(100, 2000), money(1, 30), 0};
                Line b{0, money(5, 50), 0};
                const bool two = rnd.bounded(3) == 0;
                a.balance = b.balance = balance = After(balance, a.in, a.out + (two ? b.out : 0));
                w.Add(date, a, nrdok, nrpoz, "WB", month + 1, 0);
                if (two)
                    w.Add(date, b, nrdok, nrpoz, "WB", month + 1, 0);
                ++nrrk;
            }
        }
    }
    db.SetDocCounter(nrrk);
    db.CommitWork();
    return w.Rows();
}
