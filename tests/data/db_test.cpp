// The data module: money rounding, the database name, transactions and text.
#include "common/testdb.h"
#include "data/polish.h"

#include <QFile>
#include <QSqlQuery>
#include <QProcess>
#include <QTest>
#include <QThread>
#include <csignal>
#include <cstdio>

class DbTest : public QObject {
    Q_OBJECT
private slots:
    void roundMoney_data();
    void roundMoney();
    void databaseName_data();
    void databaseName();
    void serverNameReadFromIni();
    void localhostFallsBackToLocalDatabase();
    void missingOrDamagedDatabaseIsReported_data();
    void missingOrDamagedDatabaseIsReported();
    void failedActionLeavesNothing();
    void failedCommitShowsOneMessageAndKeepsNothing();
    void commitRefusedByDatabaseReleasesLocks();
    void polishLettersRoundTrip();
    void unstorableCharacterIsRefused();
    void moneyFormats();
    void killedActionLeavesDatabaseAsBefore();
};

namespace {
const char* const kWriteAndWait = "--write-and-wait";

// Child process: writes inside an action and waits to be killed before the commit.
int WriteAndWait(const QString& folder) {
    TDB db(folder);
    db.BeginWork();
    for (int i = 0; i < 50; ++i)
        db.Exec(QStringLiteral("INSERT INTO KOSZTY (NAZWA,POCZATEKKOSZT,US) VALUES ('Czynsz',0,0)"));
    db.Exec(QStringLiteral("UPDATE STANP SET WARTOSC=999"));
    std::printf("written\n");
    std::fflush(stdout);
    QThread::sleep(60);
    return 0;
}
} // namespace

void DbTest::roundMoney_data() {
    QTest::addColumn<double>("input");
    QTest::addColumn<double>("expected");
    QTest::newRow("half up") << 0.125 << 0.13;
    QTest::newRow("negative half towards plus") << -0.125 << -0.12;
    QTest::newRow("2.675 narrowed below half") << 2.675 << 2.67;
    QTest::newRow("1.005") << 1.005 << 1.00;
    QTest::newRow("0.285") << 0.285 << 0.28;
    QTest::newRow("12.345 narrowed above half") << 12.345 << 12.35;
    QTest::newRow("12345.675") << 12345.675 << 12345.67;
    QTest::newRow("-1.235") << -1.235 << -1.24;
    QTest::newRow("-0.005") << -0.005 << 0.0;
    QTest::newRow("whole") << 150.0 << 150.0;
}

void DbTest::roundMoney() {
    QFETCH(double, input);
    QFETCH(double, expected);
    const long double r = TDB::RoundMoney(static_cast<float>(input));
    QVERIFY2(qAbs(static_cast<double>(r) - expected) < 1e-9,
             qPrintable(QString::number(static_cast<double>(r), 'f', 10)));
}

void DbTest::databaseName_data() {
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty means local") << "" << "/opt/kasa/ORVA.GDB";
    QTest::newRow("blanks mean local") << "  " << "/opt/kasa/ORVA.GDB";
    QTest::newRow("localhost") << "localhost" << "localhost:/opt/kasa/ORVA.GDB";
    QTest::newRow("named server") << "sekretariat" << "sekretariat:/opt/kasa/ORVA.GDB";
    QTest::newRow("address") << "192.168.0.1" << "192.168.0.1:/opt/kasa/ORVA.GDB";
}

void DbTest::databaseName() {
    QFETCH(QString, server);
    QFETCH(QString, expected);
    QCOMPARE(TDB::DatabaseName(server, QStringLiteral("/opt/kasa/")), expected);
    QCOMPARE(TDB::DatabaseName(server, QStringLiteral("/opt/kasa")), expected);
}

void DbTest::serverNameReadFromIni() {
    QTemporaryDir dir;
    QCOMPARE(TDB::ReadServerName(dir.path()), QString());
    TDB::WriteServerName(dir.path(), QStringLiteral("sekretariat"));
    QFile ini(dir.filePath(QStringLiteral("stale.ini")));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(ini.readAll());
    QVERIFY2(text.contains(QLatin1String("[SERWER]")) && text.contains(QLatin1String("S=sekretariat")),
             qPrintable(text));
    TDB db(dir.path());
    QCOMPARE(db.ServerName, QStringLiteral("sekretariat"));
}

void DbTest::localhostFallsBackToLocalDatabase() {
    TestDb t;
    TDB::WriteServerName(t.folder(), QStringLiteral("localhost"));
    TDB db(t.folder());
    QCOMPARE(db.ServerName, QStringLiteral("localhost"));
    QVERIFY2(db.Connect(), qPrintable(db.LastConnectError()));
    QCOMPARE(db.Scalar(QStringLiteral("SELECT LICZNIKPOZ FROM STANP")).toInt(), 2);
}

void DbTest::missingOrDamagedDatabaseIsReported_data() {
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("server");
    QTest::newRow("missing") << QByteArray() << "";
    QTest::newRow("damaged") << QByteArray(64 * 1024, 'x') << "";
    QTest::newRow("server not answering") << QByteArray() << "orva-no-such-host.invalid";
}

void DbTest::missingOrDamagedDatabaseIsReported() {
    QFETCH(QByteArray, content);
    QFETCH(QString, server);
    QTemporaryDir dir;
    if (!content.isEmpty()) {
        QFile f(dir.filePath(QStringLiteral("ORVA.GDB")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    TDB::WriteServerName(dir.path(), server);
    ScriptedDialogs ui;
    TDB db(dir.path());
    db.SetUi(&ui);
    QVERIFY(!db.Connect());
    QVERIFY(!db.LastConnectError().isEmpty());
    // An action on it fails with the database's message instead of crashing.
    QVERIFY(!db.RunAction([&] { db.Exec(QStringLiteral("UPDATE PARAMETRY SET AUTOKP=1")); }));
    QCOMPARE(ui.messages.size(), 1);
    QCOMPARE(ui.messages.first().caption, QStringLiteral("Błąd"));
    if (!content.isEmpty()) {
        QFile f(dir.filePath(QStringLiteral("ORVA.GDB")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), content); // nothing written into it
    }
}

void DbTest::failedActionLeavesNothing() {
    TestDb t;
    const bool ok = t.db().RunAction([&] {
        t.db().Exec(QStringLiteral("INSERT INTO KOSZTY (NAZWA,POCZATEKKOSZT,US) VALUES ('Czynsz',0,0)"));
        t.db().Exec(QStringLiteral("INSERT INTO NO_SUCH_TABLE VALUES (1)"));
        t.db().CommitWork();
    });
    QVERIFY(!ok);
    QCOMPARE(t.ui().messages.size(), 1);
    QVERIFY(!t.db().InTransaction());
    // A later action that commits does not bring the failed one back.
    QVERIFY(t.db().RunAction([&] {
        t.db().Exec(QStringLiteral("UPDATE PARAMETRY SET AUTOKP=1"));
        t.db().CommitWork();
    }));
    QCOMPARE(t.Value(QStringLiteral("SELECT COUNT(*) FROM KOSZTY WHERE NAZWA='Czynsz'")).toInt(), 0);
    QCOMPARE(t.Value(QStringLiteral("SELECT AUTOKP FROM PARAMETRY")).toInt(), 1);
}

void DbTest::failedCommitShowsOneMessageAndKeepsNothing() {
    TestDb t;
    bool committed = true;
    QVERIFY(t.db().RunAction([&] {
        t.db().Exec(QStringLiteral("INSERT INTO KOSZTY (NAZWA,POCZATEKKOSZT,US) VALUES ('Czynsz',0,0)"));
        // Another attachment cuts this one off before the commit.
        const int me = t.db().Scalar(QStringLiteral("SELECT CURRENT_CONNECTION FROM RDB$DATABASE")).toInt();
        TDB other(t.folder());
        other.Exec(QStringLiteral("DELETE FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID=%1").arg(me));
        other.CommitWork();
        committed = t.db().CommitWork();
    }));
    QVERIFY(!committed);
    QCOMPARE(t.ui().messages.size(), 1);
    QCOMPARE(t.ui().messages.first().caption, QStringLiteral("Błąd"));
    QCOMPARE(t.ui().messages.first().text, QStringLiteral("Błąd zapisu danych do bazy."));
    t.db().Disconnect();
    QCOMPARE(t.Value(QStringLiteral("SELECT COUNT(*) FROM KOSZTY WHERE NAZWA='Czynsz'")).toInt(), 0);
}

void DbTest::commitRefusedByDatabaseReleasesLocks() {
    TestDb t;
    t.Run({QStringLiteral("CREATE EXCEPTION E_TEST 'zapis odrzucony'"),
           QStringLiteral("CREATE TRIGGER T_TEST ON TRANSACTION COMMIT AS BEGIN "
                          "IF (EXISTS(SELECT 1 FROM KOSZTY WHERE NAZWA='odrzuc')) THEN EXCEPTION E_TEST; END")});
    bool committed = true;
    QVERIFY(t.db().RunAction([&] {
        t.db().LockLedger();
        t.db().Exec(QStringLiteral("INSERT INTO KOSZTY (NAZWA,POCZATEKKOSZT,US) VALUES ('odrzuc',0,0)"));
        committed = t.db().CommitWork();
    }));
    QVERIFY(!committed);
    QCOMPARE(t.ui().Texts(), QStringList{QStringLiteral("Błąd zapisu danych do bazy.")});
    // No transaction is left behind holding the ledger lock for others...
    TDB other(t.folder());
    QCOMPARE(other.Scalar(QStringLiteral("SELECT COUNT(*) FROM MON$TRANSACTIONS T "
                                         "WHERE T.MON$ATTACHMENT_ID<>CURRENT_CONNECTION AND T.MON$STATE=1")).toInt(),
             0);
    QVERIFY(other.RunAction([&] {
        other.LockLedger();
        other.CommitWork();
    }));
    other.Disconnect();
    // ... and the same workstation saves normally afterwards.
    QVERIFY(t.db().RunAction([&] {
        t.db().LockLedger();
        t.db().Exec(QStringLiteral("INSERT INTO KOSZTY (NAZWA,POCZATEKKOSZT,US) VALUES ('Czynsz',0,0)"));
        QVERIFY(t.db().CommitWork());
    }));
    QCOMPARE(t.Value(QStringLiteral("SELECT LIST(NAZWA) FROM KOSZTY WHERE ID_KOSZTY>1")).toString(),
             QStringLiteral("Czynsz"));
}

void DbTest::polishLettersRoundTrip() {
    TestDb t;
    const QString name = QStringLiteral("Zażółć gęślą jaźń ĄĆĘŁŃÓŚŹŻ");
    QVERIFY(t.db().RunAction([&] {
        t.db().Exec(QStringLiteral("INSERT INTO KOSZTY (NAZWA,POCZATEKKOSZT,US) VALUES (:N,0,0)"),
                    {{QStringLiteral("N"), name}});
        t.db().CommitWork();
    }));
    t.db().Disconnect();
    QCOMPARE(t.Value(QStringLiteral("SELECT NAZWA FROM KOSZTY WHERE ID_KOSZTY=2")).toString(), name);
}

void DbTest::unstorableCharacterIsRefused() {
    TestDb t;
    for (const QString& text : {QStringLiteral("Kawa 5€"), QStringLiteral("Kawa \U0001F600")}) {
        t.ui().Clear();
        QVERIFY(!t.db().RunAction([&] {
            t.db().Exec(QStringLiteral("INSERT INTO KOSZTY (NAZWA,POCZATEKKOSZT,US) VALUES (:N,0,0)"),
                        {{QStringLiteral("N"), text}});
            t.db().CommitWork();
        }));
        QCOMPARE(t.ui().messages.size(), 1);
        QVERIFY2(t.ui().messages.first().text.startsWith(QStringLiteral("Tekst zawiera znak")),
                 qPrintable(t.ui().messages.first().text));
    }
    QCOMPARE(t.Value(QStringLiteral("SELECT COUNT(*) FROM KOSZTY")).toInt(), 1);
}

void DbTest::moneyFormats() {
    QCOMPARE(Polish::Money(1234.5), QStringLiteral("1\u00a0234,50"));
    QCOMPARE(Polish::Money(0), QStringLiteral("0,00"));
    QCOMPARE(Polish::Money(-30), QStringLiteral("-30,00"));
    QCOMPARE(Polish::Money(999.999), QStringLiteral("1\u00a0000,00"));
    QCOMPARE(Polish::Money(-1234567.891), QStringLiteral("-1\u00a0234\u00a0567,89"));
    QCOMPARE(Polish::Money(-0.001), QStringLiteral("0,00"));
    QCOMPARE(Polish::Date(QDate(2009, 3, 5)), QStringLiteral("05.03.2009"));
    double v = 0;
    QVERIFY(Polish::ParseMoney(QStringLiteral("12,5"), &v));
    QCOMPARE(v, 12.5);
    QVERIFY(!Polish::ParseMoney(QStringLiteral(","), &v));
    QVERIFY(!Polish::ParseMoney(QStringLiteral("12.5"), &v));
    QVERIFY(!Polish::ParseMoney(QStringLiteral(""), &v));
}

void DbTest::killedActionLeavesDatabaseAsBefore() {
    TestDb t;
    t.db().Disconnect(); // the embedded engine lets one process hold the file
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QLatin1String(kWriteAndWait), t.folder()});
    QVERIFY(child.waitForReadyRead(20000));
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(t.Value(QStringLiteral("SELECT COUNT(*) FROM KOSZTY")).toInt(), 1);
    QCOMPARE(t.Value(QStringLiteral("SELECT WARTOSC FROM STANP")).toDouble(), 0.0);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], kWriteAndWait) == 0)
        return WriteAndWait(QString::fromLocal8Bit(argv[2]));
    DbTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "db_test.moc"
