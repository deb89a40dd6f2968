#pragma once
#include "reports/reportparts.h"

// The cash report ("Raport kasowy") of one cash report number (RK): its cash
// lines with receipts and payments, the turnover, the cash brought in from
// the lower RK numbers and carried out, and the number of attached vouchers.

struct CashLine {
    QDate date;
    QString numer; // "Symbol/Nr"
    QString opis;  // "Treść", trimmed
    Cents in = 0;
    Cents out = 0;
};

struct CashReportData {
    int nrRk = 0;
    QDate selected;          // date of the register line the report was asked from
    QVector<CashLine> lines; // by date, then document number
    // The opening cash plus the receipts of every lower RK, and the payments
    // of every lower RK (bank statements left out).
    Cents earlierIn = 0;
    Cents earlierOut = 0;
    int kp = 0; // ledger rows of the RK that are KP (a split receipt counts twice)
    int kw = 0;

    Cents TurnoverIn() const;
    Cents TurnoverOut() const;
    Cents BroughtIn() const { return earlierIn - earlierOut; }
    // "Suma:" on both sides.
    Cents Balance() const { return TurnoverIn() + BroughtIn(); }
    Cents CarriedOut() const { return Balance() - TurnoverOut(); }
    // "3/2008/2009": the RK and the school year of the selected line.
    QString Number() const;
};

// Reads the figures of RK nrRk from the ledger (throws DbError).
CashReportData LoadCashReport(int nrRk, const QDate& selected);

// One A4 sheet (more when the lines do not fit), with the lines as its table.
Report CashReport(const CashReportData& data);
