#include "common/ledgerbuilder.h"

#include "common/testdb.h"

TestDoc Kp(double in, int nrrk) {
    TestDoc d;
    d.in = in;
    d.nrrk = nrrk;
    d.rodzajp = 2;
    return d;
}

TestDoc Kw(double out, int nrrk) {
    TestDoc d;
    d.kind = QStringLiteral("KW");
    d.out = out;
    d.nrrk = nrrk;
    d.rodzajk = 2;
    return d;
}

TestDoc Wb(double in, double out) {
    TestDoc d;
    d.kind = QStringLiteral("WB");
    d.in = in;
    d.out = out;
    d.rodzajp = in != 0 ? 2 : 1;
    d.rodzajk = out != 0 ? 2 : 1;
    return d;
}

void AddCategories(TestDb& t, int revenues, int costs) {
    QStringList sql;
    for (int i = 1; i <= revenues; ++i)
        sql << QStringLiteral("INSERT INTO PRZYCHODY (NAZWA,POCZATEKPRZYCH,US) VALUES ('P%1',0,0)").arg(i);
    for (int i = 1; i <= costs; ++i)
        sql << QStringLiteral("INSERT INTO KOSZTY (NAZWA,POCZATEKKOSZT,US) VALUES ('K%1',0,0)").arg(i);
    t.Run(sql);
}

void WriteLedger(TestDb& t, const QVector<TestDoc>& docs) {
    int nr = t.Value(QStringLiteral("SELECT LICZNIKSTART FROM STANP")).toInt();
    int poz = t.Value(QStringLiteral("SELECT LICZNIKPOZ FROM STANP")).toInt();
    float balance = static_cast<float>(t.Value(QStringLiteral("SELECT WARTOSC FROM STANP")).toDouble());
    int okres = 0;
    QStringList sql;
    auto row = [&](const TestDoc& d, double in, double out, int rodzajp, float rowBalance) {
        const QString nrrk = d.kind == QLatin1String("WB") ? QStringLiteral("NULL") : QString::number(d.nrrk);
        sql << QStringLiteral("INSERT INTO DOKUMENT (DATA,PRZYCHOD,ROZCHOD,NRDOK,NRPOZ,RODZAJP,RODZAJK,RODZAJDOK,"
                              "NUMER,OPIS,POZOSTALESR,OKRES,NRRK,KTO) VALUES ('%1',%2,%3,%4,%5,%6,%7,'%8','%4',"
                              "'Dokument %4',%9,%10,%11,'Wpłacający')")
                   .arg(d.date)
                   .arg(in, 0, 'f', 2)
                   .arg(out, 0, 'f', 2)
                   .arg(nr)
                   .arg(poz)
                   .arg(rodzajp)
                   .arg(d.rodzajk)
                   .arg(d.kind)
                   .arg(double(rowBalance), 0, 'f', 2)
                   .arg(d.okres)
                   .arg(nrrk);
    };
    for (const TestDoc& d : docs) {
        if (okres != 0 && d.okres > okres)
            poz += 3;
        okres = d.okres;
        const float first = static_cast<float>(
            TDB::RoundMoney(static_cast<float>(static_cast<long double>(balance) + d.in - d.out)));
        row(d, d.in, d.out, d.rodzajp, first);
        balance = first;
        if (d.in2 != 0) {
            balance = static_cast<float>(TDB::RoundMoney(static_cast<float>(static_cast<long double>(balance) + d.in2)));
            row(d, d.in2, 0, d.rodzajp2, balance);
        }
        ++nr;
        ++poz;
    }
    t.Run(sql);
}
