#include "data/db.h"
#include "data/words.h"

#include <QDir>
#include <QSettings>
#include <QSqlError>
#include <QSqlField>
#include <QUuid>
#include <cmath>
#include <utility>

TDB* DB = nullptr;

namespace {
const char* const kUser = "SYSDBA";
const char* const kPassword = "qornubixe";
const char* const kDatabaseFile = "ORVA.GDB";

QString IniPath(const QString& programDir) {
    return QDir(programDir).filePath(QStringLiteral("stale.ini"));
}

bool IsThisComputer(const QString& server) {
    const QString s = server.trimmed().toLower();
    return s == QLatin1String("localhost") || s == QLatin1String("127.0.0.1");
}
} // namespace

TDB::TDB(const QString& programDir)
    : programDir_(QDir(programDir).absolutePath()),
      connName_(QStringLiteral("orva-") + QUuid::createUuid().toString(QUuid::WithoutBraces)) {
    ServerName = ReadServerName(programDir_);
    NumberWords = PolishNumberWords();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), connName_);
    db.setUserName(QLatin1String(kUser));
    db.setPassword(QLatin1String(kPassword));
    db.setConnectOptions(QStringLiteral("ISC_DPB_LC_CTYPE=ISO8859_2"));
}

TDB::~TDB() {
    Disconnect();
    QSqlDatabase::removeDatabase(connName_);
}

QString TDB::ReadServerName(const QString& programDir) {
    QSettings ini(IniPath(programDir), QSettings::IniFormat);
    return ini.value(QStringLiteral("SERWER/S"), QString()).toString();
}

void TDB::WriteServerName(const QString& programDir, const QString& server) {
    QSettings ini(IniPath(programDir), QSettings::IniFormat);
    ini.setValue(QStringLiteral("SERWER/S"), server);
    ini.sync();
}

QString TDB::DatabaseName(const QString& server, const QString& programDir) {
    const QString path = QDir(programDir).absoluteFilePath(QLatin1String(kDatabaseFile));
    const QString s = server.trimmed();
    if (s.isEmpty())
        return path;
    return s + QLatin1Char(':') + path;
}

bool TDB::IsLocalServer(const QString& server) { return IsThisComputer(server); }

QString TDB::UserName() { return QLatin1String(kUser); }
QString TDB::Password() { return QLatin1String(kPassword); }

QSqlDatabase TDB::Database() const { return QSqlDatabase::database(connName_, false); }

bool TDB::IsConnected() const { return Database().isOpen(); }

bool TDB::OpenWith(const QString& name) {
    QSqlDatabase db = Database();
    db.setDatabaseName(name);
    if (db.open()) {
        QSqlQuery q(db);
        attachmentId_ = q.exec(QStringLiteral("SELECT CURRENT_CONNECTION FROM RDB$DATABASE")) && q.next()
                            ? q.value(0).toLongLong()
                            : 0;
        return true;
    }
    connectError_ = DbError(db.lastError()).Text();
    db.close();
    return false;
}

bool TDB::Connect() {
    Disconnect();
    connectError_.clear();
    const QString name = DatabaseName();
    if (OpenWith(name))
        return true;
    // A single computer is told to use "localhost": with no Firebird server
    // answering here, that means the database beside the program.
    if (IsThisComputer(ServerName)) {
        const QString remoteError = connectError_;
        if (OpenWith(DatabaseName(QString(), programDir_)))
            return true;
        connectError_ = remoteError + QLatin1Char('\n') + connectError_;
    }
    return false;
}

void TDB::Disconnect() {
    QSqlDatabase db = Database();
    if (!db.isValid())
        return;
    if (inTransaction_)
        db.rollback();
    inTransaction_ = false;
    afterCommit_.clear();
    db.close();
}

void TDB::EnsureConnected() {
    if (IsConnected())
        return;
    if (!Connect())
        throw DbError(connectError_);
}

void TDB::BeginWork() {
    if (inTransaction_)
        return;
    EnsureConnected();
    QSqlDatabase db = Database();
    if (!db.transaction())
        throw DbError(db.lastError());
    inTransaction_ = true;
}

bool TDB::CommitWork() {
    bool ok = false;
    try {
        BeginWork();
        ok = Database().commit();
    } catch (const DbError&) {
        ok = false;
    }
    if (ok) {
        inTransaction_ = false;
        const QVector<Note> notes = std::exchange(afterCommit_, {});
        for (const Note& n : notes)
            Ui().Show(n.caption, n.text, n.icon);
        return true;
    }
    AbandonTransaction();
    Ui().Show(QStringLiteral("Błąd"), QStringLiteral("Błąd zapisu danych do bazy."), MsgIcon::None);
    return false;
}

// After a failed commit Qt forgets the transaction, but the server may still
// hold it open with its row locks (the ledger lock among them), which would
// stop every other workstation. A second attachment cuts this one off, which
// rolls the transaction back; the next action connects afresh.
void TDB::AbandonTransaction() {
    afterCommit_.clear();
    inTransaction_ = false;
    QSqlDatabase db = Database();
    const QString name = db.databaseName();
    const qint64 id = attachmentId_;
    if (id != 0 && !name.isEmpty()) {
        const QString cleanupName = connName_ + QStringLiteral("-cleanup");
        {
            QSqlDatabase cleanup = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), cleanupName);
            cleanup.setUserName(QLatin1String(kUser));
            cleanup.setPassword(QLatin1String(kPassword));
            cleanup.setDatabaseName(name);
            if (cleanup.open()) {
                QSqlQuery q(cleanup);
                q.exec(QStringLiteral("DELETE FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID=%1").arg(id));
                cleanup.close();
            }
        }
        QSqlDatabase::removeDatabase(cleanupName);
    }
    db.close();
    attachmentId_ = 0;
}

void TDB::RollbackWork() {
    afterCommit_.clear();
    if (!inTransaction_)
        return;
    Database().rollback();
    inTransaction_ = false;
}

bool TDB::RunAction(const std::function<void()>& body) {
    try {
        body();
        RollbackWork(); // whatever the body left uncommitted is not kept
        return true;
    } catch (const DbError& e) {
        RollbackWork();
        Ui().Show(QStringLiteral("Błąd"), e.UserMessage(), MsgIcon::Error);
    } catch (const std::exception& e) {
        RollbackWork();
        Ui().Show(QStringLiteral("Błąd"), QString::fromLocal8Bit(e.what()), MsgIcon::Error);
    }
    return false;
}

void TDB::ShowAfterCommit(const QString& caption, const QString& text, MsgIcon icon) {
    if (inTransaction_)
        afterCommit_.append({caption, text, icon});
    else
        Ui().Show(caption, text, icon);
}

QSqlQuery TDB::NewQuery() const {
    QSqlQuery q(Database());
    q.setForwardOnly(true);
    return q;
}

QSqlQuery TDB::Exec(const QString& sql, const QVariantMap& params) {
    BeginWork();
    QSqlQuery q = NewQuery();
    if (!q.prepare(sql))
        throw DbError(q.lastError());
    for (auto it = params.cbegin(); it != params.cend(); ++it)
        q.bindValue(QLatin1Char(':') + it.key(), it.value());
    if (!q.exec())
        throw DbError(q.lastError());
    return q;
}

Rows TDB::Select(const QString& sql, const QVariantMap& params) {
    const bool own = !inTransaction_;
    Rows rows;
    try {
        QSqlQuery q = Exec(sql, params);
        while (q.next())
            rows.append(q.record());
        if (q.lastError().isValid())
            throw DbError(q.lastError());
    } catch (...) {
        if (own)
            RollbackWork();
        throw;
    }
    if (own)
        RollbackWork(); // read only: nothing to keep, nothing left open
    return rows;
}

QVariant TDB::Scalar(const QString& sql, const QVariantMap& params) {
    const Rows rows = Select(sql, params);
    if (rows.isEmpty() || rows.first().isEmpty())
        return QVariant();
    return rows.first().value(0);
}

long double TDB::RoundMoney(float x) {
    const long double a = 100.0L * static_cast<long double>(x);
    const long double f = std::floor(a);
    if (a - f < 0.5L)
        return f * 0.01L;
    return std::ceil(a) * 0.01L;
}
