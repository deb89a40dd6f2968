#pragma once
#include "reports/report.h"

#include <QDate>
#include <QVariant>

class QWidget;

// The two-part vouchers of a cash receipt (KP) and of a cash payment (KW):
// one A4 sheet with the original above and the copy below.

enum class VoucherKind { Kp, Kw };

struct VoucherLine {
    QString description;
    double amount = 0;
};

// What one voucher shows, read from the ledger.
struct VoucherData {
    VoucherKind kind = VoucherKind::Kp;
    QString number; // with its school year when it is a whole number
    QDate date;
    QString person;
    QVector<VoucherLine> lines; // one per ledger line of the document
    QString nrRk, nrPoz;
    double total = 0;
    QString words; // the total in words
};

// The number as printed: a whole number followed by "/" and the school year
// of `date` ("7/2008/2009"); any other text as stored.
QString VoucherNumber(const QVariant& stored, const QDate& date);

// Reads document nrDok; false when the ledger has no line of it.
bool LoadVoucher(int nrDok, VoucherKind kind, VoucherData* data);

// Lays out the voucher sheet.
Report VoucherReport(const VoucherData& data);

// The voucher of document nrDok; a report without pages when there is no
// such document.
Report KpVoucher(int nrDok);
Report KwVoucher(int nrDok);

// Shows the voucher of the saved document in the modal preview and returns
// when the user closes it. Nothing is shown when the document is missing
// (its save was rolled back).
void ShowKpVoucher(int nrDok, QWidget* parent);
void ShowKwVoucher(int nrDok, QWidget* parent);
