// The backup: the copy in Kopia/ORVA.GBK, the program working on afterwards,
// and a failed backup that keeps the last good copy and says so.
#include "backup/archiwizacja.h"
#include "common/files.h"
#include "common/holder.h"
#include "common/ledgerbuilder.h"
#include "common/testdb.h"
#include "common/testwindow.h"
#include "data/gbak.h"
#include "shell/docview.h"
#include "shell/startup.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

QStringList KopiaFiles(const TestDb& t) {
    return QDir(t.folder() + QStringLiteral("/Kopia")).entryList(QDir::Files | QDir::Hidden);
}

const QByteArray kPrevious = "the last good copy";

} // namespace

class ArchiwizacjaTest : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { Gbak::Program = QStringLiteral("gbak"); }
    void madeAfterDataModuleAndOpenedFromMenu();
    void backupWritesCopyAndProgramWorksOn_data();
    void backupWritesCopyAndProgramWorksOn();
    void failedBackupKeepsLastCopy_data();
    void failedBackupKeepsLastCopy();
};

void ArchiwizacjaTest::madeAfterDataModuleAndOpenedFromMenu() {
    QTemporaryDir dir;
    QStringList order;
    for (const StartupStep& step : StartupSteps(dir.path()))
        order << step.name;
    QCOMPARE(order.indexOf(QStringLiteral("TArchiwizacja")),
             order.indexOf(QStringLiteral("TDB")) + 1);

    TestDb t;
    TestWindow w(t);
    Archiwizacja = new TArchiwizacja(&w.main());
    QVERIFY(w.main().Archiwizujdane1->isEnabled());
    QStringList seen;
    QTimer::singleShot(0, [&] {
        if (auto* d = qobject_cast<TArchiwizacja*>(QApplication::activeModalWidget())) {
            seen << d->windowTitle();
            for (QLabel* l : {d->Label1, d->Label2, d->Label3, d->Label4, d->Label5})
                seen << l->text();
            seen << d->ArchBut->text() << d->ZamknijBut->text();
            d->ZamknijButClick();
        }
    });
    w.main().Archiwizujdane1->trigger();
    QCOMPARE(seen, QStringList({"Archiwizacja", "Archiwizacja danych",
                                "Uwaga, nikt nie może pracować w programie.",
                                "Aby dalej pracować w programie, należy po wykonaniu",
                                "archiwizacji lub dearchiwizacji zamknąć porgram",
                                "i uruchomić go ponownie.", "Wykonaj", "Zamknij"}));
    QVERIFY(!QFile::exists(Gbak::BackupPath(t.folder()))); // closing does nothing else
    delete Archiwizacja;
    Archiwizacja = nullptr;
}

void ArchiwizacjaTest::backupWritesCopyAndProgramWorksOn_data() {
    QTest::addColumn<QString>("server");
    QTest::addColumn<bool>("previousCopy");
    QTest::newRow("local database, copy replaced") << "" << true;
    QTest::newRow("no Kopia folder yet") << "" << false;
    // No Firebird server answers here: the program uses the file beside it,
    // and so must the backup tool.
    QTest::newRow("localhost without a server") << "localhost" << true;
}

void ArchiwizacjaTest::backupWritesCopyAndProgramWorksOn() {
    QFETCH(QString, server);
    QFETCH(bool, previousCopy);
    TestDb t;
    WriteLedger(t, {{}, {}, {}});
    t.db().ServerName = server;
    const QString copy = Gbak::BackupPath(t.folder());
    if (previousCopy)
        QVERIFY(WriteFile(copy, kPrevious));
    TestWindow w(t);
    QCOMPARE(DocView->Qglowna->rowCount(), 3);
    // Saved meanwhile; the register shows it only once it reads the ledger again.
    t.Run({"INSERT INTO DOKUMENT (NRDOK,NRPOZ,RODZAJDOK,RODZAJP,RODZAJK) "
           "SELECT MAX(NRDOK)+1,MAX(NRPOZ)+1,'KP',1,1 FROM DOKUMENT"});
    QCOMPARE(DocView->Qglowna->rowCount(), 3);

    TArchiwizacja d(&w.main());
    d.show();
    d.ArchButClick(); // the program's own connection must be closed, or gbak is refused

    QCOMPARE(t.ui().messages.size(), 1);
    const ScriptedDialogs::Message m = t.ui().messages.first();
    QCOMPARE(m.caption, QStringLiteral("Archiwizacja"));
    QCOMPARE(m.icon, MsgIcon::Information);
    QCOMPARE(m.text,
             QStringLiteral("Archiwizacja danych zakończona pomyślnie.\nKopia: %1").arg(copy));
    QVERIFY(!d.isVisible());
    QCOMPARE(KopiaFiles(t), QStringList{QStringLiteral("ORVA.GBK")});
    QVERIFY(ReadFile(copy).size() > 1000);
    QVERIFY(t.db().IsConnected());
    QCOMPARE(DocView->Qglowna->rowCount(), 4);
    QCOMPARE(DocView->CurrentRow(), 3);
}

void ArchiwizacjaTest::failedBackupKeepsLastCopy_data() {
    QTest::addColumn<QString>("cause");
    QTest::addColumn<bool>("previousCopy");
    QTest::addColumn<QString>("told");
    QTest::addColumn<int>("messages");
    QTest::newRow("database missing")
        << "missing" << true << "Poprzednia kopia %1 pozostała bez zmian." << 2;
    QTest::newRow("no gbak") << "tool" << true << "Poprzednia kopia %1 pozostała bez zmian." << 1;
    QTest::newRow("no gbak, no copy yet") << "tool" << false << "Kopia nie została zapisana." << 1;
    QTest::newRow("database held by another program")
        << "held" << true << "kopia nie została wykonana" << 1;
}

void ArchiwizacjaTest::failedBackupKeepsLastCopy() {
    QFETCH(QString, cause);
    QFETCH(bool, previousCopy);
    QFETCH(QString, told);
    QFETCH(int, messages);
    TestDb t;
    WriteLedger(t, {{}});
    const QString copy = Gbak::BackupPath(t.folder());
    if (previousCopy)
        QVERIFY(WriteFile(copy, kPrevious));
    t.db().EnsureConnected();
    std::unique_ptr<DatabaseHolder> holder;
    if (cause == QLatin1String("missing")) {
        QVERIFY(QFile::rename(t.path(), t.path() + QStringLiteral(".moved")));
    } else if (cause == QLatin1String("tool")) {
        Gbak::Program = QStringLiteral("/nonexistent/gbak");
    } else {
        t.db().Disconnect();
        holder = std::make_unique<DatabaseHolder>(t.path());
        QVERIFY(holder->Holds());
    }

    TArchiwizacja d;
    d.show();
    d.ArchButClick();

    QCOMPARE(t.ui().messages.size(), messages);
    const ScriptedDialogs::Message m = t.ui().messages.first();
    QCOMPARE(m.caption, QStringLiteral("Błąd"));
    QCOMPARE(m.icon, MsgIcon::Error);
    QVERIFY2(m.text.contains(told.replace(QStringLiteral("%1"), copy)), qPrintable(m.text));
    if (cause == QLatin1String("missing")) {
        QVERIFY2(m.text.contains(t.path()), qPrintable(m.text)); // gbak's own words
        QVERIFY(t.ui().messages.last().text.startsWith(
            QStringLiteral("Nie można ponownie połączyć się z bazą danych.")));
    }
    if (cause == QLatin1String("tool"))
        QVERIFY(t.db().IsConnected());
    QCOMPARE(ReadFile(copy), previousCopy ? kPrevious : QByteArray());
    QCOMPARE(KopiaFiles(t), previousCopy ? QStringList{QStringLiteral("ORVA.GBK")} : QStringList());
}

QTEST_MAIN(ArchiwizacjaTest)
#include "archiwizacja_test.moc"
