// Changes inside the ledger made through the entry dialogs: a document placed
// before the selected one, and a document corrected in place. Both run as
// the one action of the dialog's save (TEntryDialog::Save), which takes
// nothing from them unless all of it commits.
#include "documents/entrydialog.h"

#include "data/polish.h"
#include "shell/docview.h"
#include "shell/main.h"

#include <QCheckBox>
#include <QDateEdit>

namespace {

const char* const kChoose = "Musisz wybrać pozycję.";

QDate DateOfDocument(int nrDok) {
    return DB
        ->Scalar(QStringLiteral("SELECT DATA FROM DOKUMENT WHERE NRDOK=:WYBOR"),
                 {{QStringLiteral("WYBOR"), nrDok}})
        .toDate();
}

int StanpValue(const char* column) {
    return DB->Scalar(QStringLiteral("SELECT %1 AS NR FROM STANP").arg(QLatin1String(column)))
        .toInt();
}

} // namespace

// --- openers ---------------------------------------------------------------

void TEntryDialog::SetDatesAround(int nrDok, const QDate& value) {
    const QDate today = QDate::currentDate();
    const QDate before = DateOfDocument(nrDok - 1);
    const QDate after = DateOfDocument(nrDok + 1);
    EdData->setDateRange(before.isValid() ? before : today.addDays(-10000),
                         after.isValid() ? after : today.addDays(10000));
    EdData->setDate(value); // held inside the range
}

bool TEntryDialog::PrepareInsertBefore(int nrDok) {
    if (Main)
        Main->EntryMode = 1;
    DB->NextNrDok = nrDok;
    if (!PrepareNewDocument())
        return false;
    if (!DB->RunAction([&] { SetDatesAround(nrDok, QDate::currentDate()); }))
        return false;
    CheckWstaw->setChecked(true);
    return true;
}

bool TEntryDialog::PrepareCorrection(int nrDok) {
    if (Main)
        Main->EntryMode = 2;
    CheckWstaw->setChecked(false);
    CheckWstaw->setEnabled(false);
    Rows rows;
    const bool read = DB->RunAction([&] {
        rows = ReadDocument(nrDok);
        if (!rows.isEmpty())
            SetDatesAround(nrDok, rows.first().value(QStringLiteral("DATA")).toDate());
    });
    if (!read)
        return false;
    const bool sameKind =
        !rows.isEmpty() &&
        rows.first().value(QStringLiteral("RODZAJDOK")).toString().trimmed() == Kind();
    if (!sameKind) {
        DB->Ui().Show(QStringLiteral("Błąd"), TDocView::StaleSelectionText(), MsgIcon::Exclamation);
        return false;
    }
    correctedNrDok_ = nrDok;
    correctedId_ = rows.first().value(QStringLiteral("ID_DOKUMENT")).toInt();
    LoadDocument(rows);
    return true;
}

QString TEntryDialog::AmountText(double value, bool emptyWhenZero) {
    if (emptyWhenZero && !(value > 0))
        return QString();
    return QString::number(value, 'g', 15).replace(QLatin1Char('.'), Polish::DecimalSeparator());
}

QString TEntryDialog::NameText(const QVariant& value) {
    return value.toString().trimmed();
}

// --- the saves --------------------------------------------------------------

bool TEntryDialog::ReadPlaced(int nrDok, Placed* placed) {
    const Rows rows =
        DB->Select(QStringLiteral("SELECT COUNT(*),MAX(NRPOZ),MAX(RODZAJDOK),MAX(OKRES),MAX(NRRK),"
                                  "SUM(PRZYCHOD),SUM(ROZCHOD),MAX(POZOSTALESR) FROM DOKUMENT "
                                  "WHERE NRDOK=:WYBOR"),
                   {{QStringLiteral("WYBOR"), nrDok}});
    const QSqlRecord& r = rows.first();
    if (r.value(0).toInt() == 0)
        return false;
    placed->nrPoz = r.value(1).toInt();
    placed->kind = r.value(2).toString().trimmed();
    placed->isWb = placed->kind == QLatin1String("WB");
    placed->okres = r.value(3).toInt();
    placed->nrRk = r.value(4).toInt();
    const double in = r.value(5).toDouble();
    const double out = r.value(6).toDouble();
    const double balance = r.value(7).toDouble();
    placed->fundsBefore =
        static_cast<float>(TDB::RoundMoney(static_cast<float>(balance + out - in)));
    return true;
}

void TEntryDialog::RecomputeFrom(int nrDok) {
    DB->RecomputeBalances(nrDok - 1 > 0 ? nrDok - 1 : nrDok, 1);
}

TEntryDialog::Outcome TEntryDialog::SaveInsertBefore() {
    const int s = DocView ? DocView->SelectedNrDok() : 0;
    if (s <= 0)
        return StopWith(CheckWstaw, QString::fromUtf8(kChoose));
    DB->LockLedger();
    Placed selected;
    if (!ReadPlaced(s, &selected))
        return StopWith(CheckWstaw, TDocView::StaleSelectionText());
    DB->NextNrDok = s;
    DB->NextNrPoz = selected.nrPoz;
    DB->LastBalance =
        s == 1 ? static_cast<float>(
                     DB->Scalar(QStringLiteral("SELECT WARTOSC AS NR FROM STANP")).toDouble())
               : selected.fundsBefore;
    DB->CurrentOkres = selected.okres;
    DB->CurrentNrRk = selected.nrRk;
    DB->ShiftNumbers(s - 1, 1);
    if (selected.isWb)
        TakeCashReportBeforeWb(s);
    WriteDocument();
    RecomputeFrom(s);
    DB->CurrentNrRk = DB->Scalar(QStringLiteral("SELECT MAX(NRRK) AS NR FROM DOKUMENT")).toInt();
    DB->SetDocCounter(DB->CurrentNrRk);
    return Outcome::Written;
}

// A WB belongs to no cash report, so the new document continues the cash
// report of the last KP or KW before it; past WBs that report has ended and
// the next one begins. With none before, the new document opens the first
// cash report and every later one moves on by one.
void TEntryDialog::TakeCashReportBeforeWb(int nrDok) {
    for (int m = nrDok - 1;; --m) {
        const Rows rows = DB->Select(
            QStringLiteral("SELECT NRDOK,NRPOZ,RODZAJDOK,OKRES,NRRK,POZOSTALESR FROM DOKUMENT"
                           " WHERE NRDOK=:WYBOR ORDER BY NRDOK"),
            {{QStringLiteral("WYBOR"), m}});
        if (rows.isEmpty()) {
            DB->PropagateCashReport(nrDok, 1);
            DB->CurrentNrRk = StanpValue("NRK");
            return;
        }
        if (rows.first().value(QStringLiteral("RODZAJDOK")).toString().trimmed() ==
            QLatin1String("WB"))
            continue;
        const QSqlRecord& last = rows.last();
        DB->CurrentOkres = last.value(QStringLiteral("OKRES")).toInt();
        DB->CurrentNrRk = last.value(QStringLiteral("NRRK")).toInt() + (m == nrDok - 1 ? 0 : 1);
        return;
    }
}

bool TEntryDialog::BeginCorrection() {
    DB->LockLedger();
    Placed corrected;
    // Another workstation may have renumbered or rewritten the document while
    // the dialog was open: then this number holds other lines.
    const int firstId = DB->Scalar(QStringLiteral("SELECT MIN(ID_DOKUMENT) FROM DOKUMENT "
                                                  "WHERE NRDOK=:WYBOR"),
                                   {{QStringLiteral("WYBOR"), correctedNrDok_}})
                            .toInt();
    if (firstId != correctedId_ || !ReadPlaced(correctedNrDok_, &corrected) ||
        corrected.kind != Kind()) {
        StopWith(EdData, TDocView::StaleSelectionText());
        return false;
    }
    DB->NextNrDok = correctedNrDok_;
    DB->NextNrPoz = corrected.nrPoz;
    DB->CurrentOkres = corrected.okres;
    DB->CurrentNrRk = corrected.nrRk;
    DB->LastBalance = corrected.fundsBefore;
    return true;
}

TEntryDialog::Outcome TEntryDialog::SaveCorrection() {
    if (!BeginCorrection())
        return Outcome::Stopped;
    DB->Exec(QStringLiteral("DELETE FROM DOKUMENT\nWHERE NRDOK=:WYBOR"),
             {{QStringLiteral("WYBOR"), DB->NextNrDok}});
    WriteDocument();
    RecomputeFrom(DB->NextNrDok);
    return Outcome::Written;
}
