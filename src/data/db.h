#pragma once
#include "data/dberror.h"
#include "data/mainstate.h"
#include "data/userdialogs.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <QVector>
#include <functional>
#include <memory>

using Rows = QVector<QSqlRecord>;

// The data module: one connection, one transaction at a time, and the
// operations every saving path uses. Each user action is one transaction:
// it commits whole through CommitWork or is rolled back whole.
class TDB {
public:
    // programDir: the folder of the running program; stale.ini and (for a
    // local database) ORVA.GDB are looked for there.
    explicit TDB(const QString& programDir);
    ~TDB();
    TDB(const TDB&) = delete;
    TDB& operator=(const TDB&) = delete;

    // --- connection -------------------------------------------------------
    QString ServerName;
    const QString& ProgramDir() const { return programDir_; }
    // Server name from stale.ini (section SERWER, key S), "" when missing.
    static QString ReadServerName(const QString& programDir);
    static void WriteServerName(const QString& programDir, const QString& server);
    // "server:/folder/ORVA.GDB", or the plain path for a local database.
    static QString DatabaseName(const QString& server, const QString& programDir);
    // "localhost" or 127.0.0.1: the database beside the program on this computer.
    static bool IsLocalServer(const QString& server);
    QString DatabaseName() const { return DatabaseName(ServerName, programDir_); }
    // Opens the connection (closing any open one first). On failure returns
    // false and leaves the database's message in LastConnectError().
    bool Connect();
    void Disconnect();
    bool IsConnected() const;
    const QString& LastConnectError() const { return connectError_; }
    // Opens the connection if it is closed; throws DbError when it cannot.
    void EnsureConnected();
    QSqlDatabase Database() const;
    // The administrator's account of every connection and of the backup tool.
    static QString UserName();
    static QString Password();

    // --- transactions -----------------------------------------------------
    bool InTransaction() const { return inTransaction_; }
    void BeginWork();   // starts the action's transaction when none runs
    bool CommitWork();  // false (and the message shown once) when it failed
    void RollbackWork();
    // Runs one user action: on a database error the action is rolled back
    // whole and the database's message shown. False when it failed. Work
    // the body did not commit is rolled back.
    bool RunAction(const std::function<void()>& body);

    // --- statements -------------------------------------------------------
    // Runs a statement in the action's transaction (started when needed);
    // values are bound by name (without the colon). Throws DbError.
    QSqlQuery Exec(const QString& sql, const QVariantMap& params = {});
    // Runs a SELECT and reads every row. Outside an action it uses a short
    // transaction of its own, so nothing stays open afterwards.
    Rows Select(const QString& sql, const QVariantMap& params = {});
    // First column of the first row; an empty result or NULL gives null.
    QVariant Scalar(const QString& sql, const QVariantMap& params = {});
    // A fresh query on the connection, for statements prepared once and run
    // many times inside the current transaction.
    QSqlQuery NewQuery() const;

    // --- user dialogs and main-window state --------------------------------
    UserDialogs& Ui() const { return *ui_; }
    // A message for after the action's commit (at once when no action
    // runs), so that no workstation waits on this one's locks while the
    // treasurer reads it. Dropped when the action is rolled back.
    void ShowAfterCommit(const QString& caption, const QString& text, MsgIcon icon);
    void SetUi(UserDialogs* ui) { ui_ = ui ? ui : &console_; }
    const MainState& Main() const { return *main_; }
    void SetMainState(const MainState* state) { main_ = state ? state : &defaultMain_; }

    // --- money ----------------------------------------------------------
    // x rounded to 0.01, halves up; x is narrowed to single precision first.
    static long double RoundMoney(float x);

    // --- ledger engine (numbering, period guard, walks, words) -------------
    // Numbers, period, cash report and prior funds of a new document; asks
    // the new-month question. False: write nothing.
    bool PrepareNextDocument(int month, int year);
    void SetDocCounter(int value);
    static QString SchoolYearLabel(int month, int year);
    // Serialises the taking of new numbers between workstations; the first
    // statement of every action that numbers or renumbers the ledger, called
    // before the action writes anything (it may roll back and begin again).
    // Throws DbError when another workstation keeps the ledger busy.
    void LockLedger();
    void ShiftNumbers(int afterNrDok, int shift);
    void RecomputeBalances(int afterNrDok, int back);
    void PropagateCashReport(int afterNrDok, int shift);
    void ResequenceAfterDelete(int deletedNrDok, int deletedWasWb, int shift, int back);
    bool CashOnHand(float amount);
    // "dwa złote dwa grosze"; grosze beyond the second decimal are cut.
    // Throws std::invalid_argument for a negative amount or one of a
    // trillion złoty or more.
    QString AmountInWords(double amount) const;
    QStringList NumberWords; // 70 words, filled by the constructor

    // --- values of the document being saved --------------------------------
    int NextNrDok = 0;
    int NextNrPoz = 0;
    float LastBalance = 0;
    int CurrentOkres = 0;
    int CurrentNrRk = 0;
    int PreviousNrRk = 0;
    int NegativeCount = 0;

private:
    struct Note {
        QString caption;
        QString text;
        MsgIcon icon;
    };

    bool OpenWith(const QString& name);
    void AbandonTransaction();
    void WarnIfNegative();

    QString programDir_;
    QString connName_;
    QString connectError_;
    bool inTransaction_ = false;
    qint64 attachmentId_ = 0;
    ConsoleDialogs console_;
    UserDialogs* ui_ = &console_;
    MainState defaultMain_;
    const MainState* main_ = &defaultMain_;
    QVector<Note> afterCommit_;
};

// The one data module of the program.
extern TDB* DB;
