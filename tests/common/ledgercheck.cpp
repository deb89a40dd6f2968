#include "common/ledgercheck.h"

#include "data/db.h"

QString CheckLedger(TDB& db) {
    const Rows start = db.Select(QStringLiteral("SELECT LICZNIKSTART, WARTOSC FROM STANP"));
    int expectedNr = start.first().value(0).toInt();
    float balance = static_cast<float>(start.first().value(1).toDouble());
    const Rows docs = db.Select(QStringLiteral(
        "SELECT NRDOK, MIN(NRPOZ), MAX(NRPOZ), MIN(OKRES), SUM(PRZYCHOD), SUM(ROZCHOD), MAX(POZOSTALESR), "
        "MAX(RODZAJDOK), SUM(CASE WHEN RODZAJDOK='WB' AND NRRK IS NOT NULL THEN 1 "
        "WHEN RODZAJDOK<>'WB' AND NRRK IS NULL THEN 1 ELSE 0 END) "
        "FROM DOKUMENT GROUP BY NRDOK ORDER BY NRDOK"));
    int previousPoz = 0;
    int previousOkres = 0;
    for (const QSqlRecord& d : docs) {
        const int nr = d.value(0).toInt();
        const QString where = QStringLiteral("document %1: ").arg(nr);
        if (nr != expectedNr)
            return where + QStringLiteral("expected number %1").arg(expectedNr);
        if (d.value(1).toInt() != d.value(2).toInt())
            return where + QStringLiteral("rows differ in NRPOZ");
        const int poz = d.value(1).toInt();
        const int okres = d.value(3).toInt();
        if (previousPoz != 0) {
            const int step = okres > previousOkres ? 4 : 1;
            if (poz != previousPoz + step)
                return where + QStringLiteral("NRPOZ %1 after %2 (period %3 after %4)")
                                   .arg(poz).arg(previousPoz).arg(okres).arg(previousOkres);
        }
        const float in = static_cast<float>(d.value(4).toDouble());
        const float out = static_cast<float>(d.value(5).toDouble());
        const long double sum = static_cast<long double>(balance) + in - out;
        balance = static_cast<float>(TDB::RoundMoney(static_cast<float>(sum)));
        const double stored = d.value(6).toDouble();
        if (qAbs(stored - static_cast<double>(balance)) > 0.0049)
            return where + QStringLiteral("balance %1, expected %2").arg(stored).arg(double(balance));
        if (d.value(8).toInt() != 0)
            return where + QStringLiteral("NRRK missing on a KP/KW row or set on a WB row");
        previousPoz = poz;
        previousOkres = okres;
        ++expectedNr;
    }
    return QString();
}

QString CheckDocCounter(TDB& db) {
    const int docid = db.Scalar(QStringLiteral("SELECT DOCID FROM SYSCOUNT WHERE ID_SYSCOUNT='5'")).toInt();
    const int maxRk = db.Scalar(QStringLiteral("SELECT MAX(NRRK) FROM DOKUMENT")).toInt();
    if (docid != maxRk)
        return QStringLiteral("DOCID %1, largest NRRK %2").arg(docid).arg(maxRk);
    return QString();
}

double DocumentBalance(TDB& db, int nrdok) {
    return db.Scalar(QStringLiteral("SELECT MAX(POZOSTALESR) FROM DOKUMENT WHERE NRDOK=:NR"),
                     {{QStringLiteral("NR"), nrdok}})
        .toDouble();
}

QList<int> CashReports(TDB& db) {
    QList<int> list;
    for (const QSqlRecord& r : db.Select(QStringLiteral("SELECT NRRK FROM DOKUMENT ORDER BY NRDOK")))
        list << r.value(0).toInt();
    return list;
}
