// The server dialog: stale.ini beside the program, the empty field, this
// computer's name and address, a server that does not answer.
#include "common/testdb.h"
#include "shell/docview.h"
#include "shell/main.h"
#include "shell/serwer.h"

#include <QFile>
#include <QHostAddress>
#include <QHostInfo>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

class SerwerTest : public QObject {
    Q_OBJECT
private slots:
    void savesServerIntoIniAndReconnects();
    void emptyFieldIsRefused_data();
    void emptyFieldIsRefused();
    void showsThisComputer();
    void unansweredServerCanBeUndone();

private:
    static QString Ini(const TestDb& t) {
        QFile f(t.folder() + QStringLiteral("/stale.ini"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
};

void SerwerTest::savesServerIntoIniAndReconnects() {
    TestDb t;
    QVERIFY(!QFile::exists(t.folder() + QStringLiteral("/stale.ini")));
    TSerwer d;
    d.show();
    QCOMPARE(d.EdServer->text(), QString());
    d.EdServer->setText(QStringLiteral("localhost"));
    d.ZapiszButClick();
    QVERIFY2(t.ui().messages.isEmpty(), qPrintable(t.ui().Texts().join('\n')));
    QCOMPARE(d.result(), int(QDialog::Accepted));
    const QString ini = Ini(t);
    QVERIFY2(ini.contains(QLatin1String("[SERWER]")) && ini.contains(QLatin1String("S=localhost")),
             qPrintable(ini));
    QCOMPARE(t.db().ServerName, QStringLiteral("localhost"));
    QVERIFY(t.db().IsConnected());
    d.show(); // the next showing reads the file back
    QCOMPARE(d.EdServer->text(), QStringLiteral("localhost"));
}

void SerwerTest::emptyFieldIsRefused_data() {
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << "";
    QTest::newRow("blanks") << "   ";
}

void SerwerTest::emptyFieldIsRefused() {
    QFETCH(QString, typed);
    TestDb t;
    t.db().ServerName = QStringLiteral("sekretariat");
    TSerwer d;
    d.show();
    d.EdServer->setText(typed);
    d.ZapiszButClick();
    QCOMPARE(t.ui().messages.size(), 1);
    QCOMPARE(t.ui().messages.first().caption, QStringLiteral("Błąd"));
    QCOMPARE(t.ui().messages.first().icon, MsgIcon::None);
    QCOMPARE(
        t.ui().messages.first().text,
        QStringLiteral(
            "Uwaga to pole nie może pozostać puste. Jeżeli używasz tylko wersji lokalnej tego "
            "programu to wpisz localhost. Jeżeli używasz wersji sieciowej tego programu to wpisz "
            "nazwę lub adres komputera, który jest serwerem."));
    QVERIFY(d.isVisible());
    QVERIFY(!QFile::exists(t.folder() + QStringLiteral("/stale.ini")));
    QCOMPARE(t.db().ServerName, QStringLiteral("sekretariat"));
}

void SerwerTest::showsThisComputer() {
    TestDb t;
    TDB::WriteServerName(t.folder(), QStringLiteral("192.168.0.1"));
    TSerwer d;
    d.show();
    QCOMPARE(d.EdServer->text(), QStringLiteral("192.168.0.1"));
    QCOMPARE(d.LNazwaKomputera->text(), QHostInfo::localHostName());
    QVERIFY(!d.LNazwaKomputera->text().isEmpty());
    const QHostAddress address(d.LAdresKomputera->text());
    QCOMPARE(address.protocol(), QAbstractSocket::IPv4Protocol);
}

void SerwerTest::unansweredServerCanBeUndone() {
    TestDb t;
    TMain::GuardPath = t.folder() + QStringLiteral("/guard.lock");
    TMain main;
    Main = &main;
    t.Run({"INSERT INTO DOKUMENT (NRDOK,NRPOZ,RODZAJDOK) VALUES (1,2,'KP')"});
    main.OpenRegister();
    QCOMPARE(DocView->Qglowna->rowCount(), 1);

    TSerwer d;
    d.show();
    d.EdServer->setText(QStringLiteral("orva-no-such-host.invalid"));
    d.ZapiszButClick();
    QCOMPARE(t.ui().messages.size(), 1);
    QCOMPARE(t.ui().messages.first().caption, QStringLiteral("Błąd"));
    QVERIFY(t.ui().messages.first().text.contains(t.db().LastConnectError()));
    QVERIFY(!t.db().LastConnectError().isEmpty());
    QVERIFY(d.isVisible());
    QVERIFY(!t.db().IsConnected());
    QVERIFY(Ini(t).contains(QLatin1String("S=orva-no-such-host.invalid")));

    // Meanwhile the ledger moves on elsewhere; the old server is typed back.
    {
        TDB other(t.folder());
        other.ServerName.clear(); // the database itself, not what stale.ini names now
        QVERIFY(other.RunAction([&] {
            other.Exec("INSERT INTO DOKUMENT (NRDOK,NRPOZ,RODZAJDOK) VALUES (2,3,'KP')");
            other.Exec("UPDATE PARAMETRY SET AUTOKP=1");
            other.CommitWork();
        }));
    }
    t.ui().Clear();
    d.EdServer->setText(QStringLiteral("localhost"));
    d.ZapiszButClick();
    QVERIFY2(t.ui().messages.isEmpty(), qPrintable(t.ui().Texts().join('\n')));
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(DocView->Qglowna->rowCount(), 2);
    QCOMPARE(main.AutoKp, 1);
    QVERIFY(Ini(t).contains(QLatin1String("S=localhost")));
    DocView = nullptr;
    Main = nullptr;
}

QTEST_MAIN(SerwerTest)
#include "serwer_test.moc"
