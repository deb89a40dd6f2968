// Numbers, period and cash report of a new document, and the lock that
// keeps two workstations from taking the same numbers.
#include "data/db.h"

#include <QDate>
#include <QDeadlineTimer>
#include <QRandomGenerator>
#include <QThread>

namespace {

// How long a workstation keeps trying while others save one after another.
const int kLockPatienceMs = 5000;
const int kLockPauseMs = 10;

const char* const kNewMonthQuestion =
    "Uwaga, dokument jest z nowego miesiąca. Czy chcesz zamknąć poprzedni miesiąc i utworzyć nowy?";
const char* const kEarlierMonth = "Wybrano miesiąc wcześniejszy niż z ostatniego istniejącego "
                                  "dokumentu, dokument nie może zostać zapisany.";
const char* const kLedgerBusy = "Inne stanowisko właśnie zapisuje zmiany w dokumentach. "
                                "Spróbuj ponownie za chwilę.";

int IntOf(const QVariant& v) {
    return v.isNull() ? 0 : v.toInt();
}

// What the new document follows: the largest numbers in the ledger and the
// document with the largest position number.
struct LedgerEnd {
    int maxNrDok = 0;
    int maxNrPoz = 0;
    int maxOkres = 0;
    int maxNrRk = 0;
    bool hasRows = false;
    float lastBalance = 0; // after the whole last document
    QDate lastDate;
    bool lastIsWb = false;
};

LedgerEnd ReadLedgerEnd(TDB& db) {
    LedgerEnd e;
    e.maxNrDok = IntOf(db.Scalar(QStringLiteral("SELECT MAX(NRDOK) AS NR FROM DOKUMENT")));
    const QVariant maxNrPoz = db.Scalar(QStringLiteral("SELECT MAX(NRPOZ) AS NR FROM DOKUMENT"));
    e.maxNrPoz = IntOf(maxNrPoz);
    e.maxOkres = IntOf(db.Scalar(QStringLiteral("SELECT MAX(OKRES) AS NR FROM DOKUMENT")));
    e.maxNrRk = IntOf(db.Scalar(QStringLiteral("SELECT MAX(NRRK) AS NR FROM DOKUMENT")));
    if (maxNrPoz.isNull())
        return e;
    // The rows of the last document. Its largest balance is the one after
    // the whole document: a two-line KP holds it on its second line.
    const Rows last =
        db.Select(QStringLiteral("SELECT POZOSTALESR,NRPOZ,DATA,RODZAJDOK FROM DOKUMENT "
                                 "WHERE NRPOZ=:NR"),
                  {{QStringLiteral("NR"), e.maxNrPoz}});
    if (last.isEmpty())
        return e;
    e.hasRows = true;
    bool first = true;
    for (const QSqlRecord& r : last) {
        const float balance = static_cast<float>(r.value(0).toDouble());
        if (first || balance > e.lastBalance)
            e.lastBalance = balance;
        first = false;
    }
    e.lastDate = last.first().value(2).toDate();
    e.lastIsWb = last.first().value(3).toString().trimmed() == QLatin1String("WB");
    return e;
}

QVariant StanpValue(TDB& db, const char* column) {
    return db.Scalar(QStringLiteral("SELECT %1 AS NR FROM STANP").arg(QLatin1String(column)));
}

// -1 when (year, month) lies before the last document's month, 1 after it.
int CompareMonths(const QDate& last, int month, int year) {
    const int lastYear = last.isValid() ? last.year() : 0;
    const int lastMonth = last.isValid() ? last.month() : 0;
    if (year != lastYear)
        return year < lastYear ? -1 : 1;
    if (month != lastMonth)
        return month < lastMonth ? -1 : 1;
    return 0;
}

} // namespace

// The first statement of an action that takes or changes document numbers.
// It updates the counter row every such action writes, so a second
// workstation waits here until the first one has committed. Its transaction
// began before that commit and would not see the new documents: the update
// then fails as a conflict, and the action's transaction is rolled back and
// begun again. Call it therefore only before anything has been written in
// the action. Alone on the ledger it costs one single-row update.
void TDB::LockLedger() {
    const QDeadlineTimer patience(kLockPatienceMs);
    for (;;) {
        try {
            Exec(QStringLiteral("UPDATE SYSCOUNT SET DOCID=DOCID WHERE ID_SYSCOUNT='5'"));
            return;
        } catch (const DbError& e) {
            RollbackWork();
            if (!e.IsConflict())
                throw;
            if (patience.hasExpired())
                throw DbError(QString::fromUtf8(kLedgerBusy), e.Code());
        }
        // A short, uneven pause, so that several waiting workstations do
        // not keep meeting each other.
        QThread::msleep(QRandomGenerator::global()->bounded(kLockPauseMs));
    }
}

// Takes the ledger lock first and so must run before the action writes
// anything. The lock is let go (the transaction rolled back) before any
// question or message, so no workstation waits on this one's treasurer;
// after a Yes the lock is taken again and the ledger read afresh.
bool TDB::PrepareNextDocument(int month, int year) {
    bool newMonthAgreed = false;
    for (;;) {
        LockLedger();
        const LedgerEnd end = ReadLedgerEnd(*this);

        NextNrDok = end.maxNrDok != 0 ? end.maxNrDok + 1 : IntOf(StanpValue(*this, "LICZNIKSTART"));
        NextNrPoz = end.maxNrPoz != 0 ? end.maxNrPoz + 1 : IntOf(StanpValue(*this, "LICZNIKPOZ"));
        LastBalance = end.hasRows ? end.lastBalance
                                  : static_cast<float>(StanpValue(*this, "WARTOSC").toDouble());

        CurrentOkres = end.maxOkres;
        if (CurrentOkres == 0) {
            CurrentOkres = 1;
        } else {
            const int order = CompareMonths(end.lastDate, month, year);
            if (order < 0) {
                RollbackWork();
                Ui().Show(QStringLiteral("Błąd"), QString::fromUtf8(kEarlierMonth),
                          MsgIcon::Exclamation);
                return false;
            }
            if (order > 0 && !newMonthAgreed) {
                RollbackWork();
                if (!Ui().Ask(QStringLiteral("Ostrzeżenie"), QString::fromUtf8(kNewMonthQuestion)))
                    return false;
                newMonthAgreed = true;
                continue; // the ledger may have grown while the user decided
            }
            if (order > 0) {
                CurrentOkres += 1;
                NextNrPoz += 3;
            }
        }

        CurrentNrRk = end.maxNrRk;
        PreviousNrRk = end.maxNrRk;
        if (CurrentNrRk == 0)
            CurrentNrRk = IntOf(StanpValue(*this, "NRK"));
        else if (Main().ManualRk != 0)
            CurrentNrRk =
                IntOf(Scalar(QStringLiteral("SELECT DOCID FROM SYSCOUNT WHERE ID_SYSCOUNT='5'")));
        else if (end.lastIsWb)
            CurrentNrRk += 1; // a bank statement ends the cash report
        return true;
    }
}

void TDB::SetDocCounter(int value) {
    Exec(QStringLiteral("UPDATE SYSCOUNT SET DOCID=:ILE WHERE ID_SYSCOUNT='5'"),
         {{QStringLiteral("ILE"), value}});
}

QString TDB::SchoolYearLabel(int month, int year) {
    const int first = month >= 9 ? year : year - 1;
    return QStringLiteral("%1/%2").arg(first).arg(first + 1);
}
