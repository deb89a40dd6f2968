#pragma once
#include <QString>
#include <QVector>

class TestDb;

// One document written straight into a test ledger. A KP may have a second
// revenue line (in2 in category rodzajp2).
struct TestDoc {
    QString kind = QStringLiteral("KP");
    double in = 0;
    double out = 0;
    int nrrk = 1; // ignored for WB
    int okres = 1;
    QString date = QStringLiteral("2024-09-02");
    int rodzajp = 1;
    int rodzajk = 1;
    double in2 = 0;
    int rodzajp2 = 1;
};

// A KP of one line in revenue category 2; a cost document in cost category
// 2; a WB booking category 2 on each side that moves money (category 1, no
// category, on the other).
TestDoc Kp(double in, int nrrk = 1);
TestDoc Kw(double out, int nrrk = 1);
TestDoc Wb(double in, double out);

// Writes the documents as numbers STANP.LICZNIKSTART, +1, ... with NRPOZ
// from STANP.LICZNIKPOZ (+3 more at each new period) and consistent balances.
void WriteLedger(TestDb& t, const QVector<TestDoc>& docs);
// Revenue and cost categories 2..n+1 named "P1".. / "K1"..
void AddCategories(TestDb& t, int revenues, int costs);
