#pragma once
#include "reports/reportparts.h"

// The periodic report ("Raport okresowy") of one period: its ledger lines
// with every amount spread over one column per active revenue and cost
// category, the month's totals, the totals brought forward from everything
// before the month ("Z przeniesienia") and their sum. Printed on two page
// sets: the revenues, then the costs with the remaining funds.

// Only this many categories of each kind have a column on paper; the
// amounts of the others count in the totals of their kind alone.
constexpr int CategorySlots = 10;

struct PeriodicCategory {
    int id = 0;
    QString name;        // trimmed
    Cents carryOver = 0; // brought into the first period
};

// Amounts of a line, or sums of them: the receipt ("Przychody ogółem"), the
// payment ("Rozchody ogółem") and one value per category column.
struct PeriodicAmounts {
    Cents in = 0;
    Cents out = 0;
    QVector<Cents> revenue; // by column, as PeriodicReportData::revenues
    QVector<Cents> cost;

    PeriodicAmounts() = default;
    PeriodicAmounts(int revenues, int costs) : revenue(revenues, 0), cost(costs, 0) {}
    PeriodicAmounts& operator+=(const PeriodicAmounts& other);
};

// One ledger line of the month: the ledger rows of one document that agree
// in everything shown, their amounts added up.
struct PeriodicLine {
    int nrPoz = 0;
    QDate date; // null for the opening balance
    int nrDok = 0;
    QString kind;   // KP, KW, WB; empty for the opening balance
    QString number; // kind and the given number ("KP 12"), "BO"
    QString opis;
    QString nrRk;        // "RK 3"; empty for a WB and the opening balance
    Cents total = 0;     // "Suma ogółem": receipt plus payment
    Cents remaining = 0; // "Stan środków"
    PeriodicAmounts amounts;
};

struct PeriodicReportData {
    int okres = 0;
    QDate selected;                     // date of the register line the report was asked from
    QVector<PeriodicCategory> revenues; // active, in column order (P1, P2, ...)
    QVector<PeriodicCategory> costs;    // K1, K2, ...
    QVector<PeriodicLine> lines;        // by line number
    PeriodicAmounts brought;            // "Z przeniesienia"

    PeriodicAmounts Month() const; // "W miesiącu:"
    PeriodicAmounts Total() const; // "Razem:"
    int LastNrPoz() const;
};

// Reads period okres from the ledger (throws DbError).
PeriodicReportData LoadPeriodicReport(int okres, const QDate& selected);

// Both page sets, US Letter landscape, with the lines as the table.
Report PeriodicReport(const PeriodicReportData& data);
