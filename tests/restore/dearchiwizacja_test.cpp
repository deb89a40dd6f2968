// The restore program: the backup comes back in place of the database, the
// database it replaces is kept, and nothing changes while the database is
// in use or when the copy cannot be restored.
#include "backup/archiwizacja.h"
#include "common/files.h"
#include "common/holder.h"
#include "common/ledgerbuilder.h"
#include "common/testdb.h"
#include "common/testwindow.h"
#include "data/gbak.h"
#include "restore/form1.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTest>

namespace {

// A ledger of a few documents backed up by the program's own backup.
void LedgerWithBackup(TestDb& t) {
    TestDoc paid;
    paid.kind = QStringLiteral("KW");
    paid.out = 40.5;
    TestDoc received;
    received.in = 120;
    received.in2 = 0.99;
    WriteLedger(t, {received, paid, received});
    TArchiwizacja backup;
    backup.ArchButClick();
    QCOMPARE(t.ui().messages.size(), 1);
    QCOMPARE(t.ui().messages.first().caption, QStringLiteral("Archiwizacja"));
    t.ui().Clear();
}

// Databases kept beside the program, and what a restore left behind.
QStringList Kept(const TestDb& t) {
    return QDir(t.folder()).entryList({QStringLiteral("ORVA-*.GDB")}, QDir::Files);
}
QStringList Leftovers(const TestDb& t) {
    return QDir(t.folder())
        .entryList({QStringLiteral("ORVA-dearchiwizacja-*")}, QDir::AllEntries | QDir::Hidden);
}

} // namespace

class DearchiwizacjaTest : public QObject {
    Q_OBJECT
  private slots:
    void window();
    void restoreGivesBackTheBackedUpRows_data();
    void restoreGivesBackTheBackedUpRows();
    void nothingChangesWhenRefused_data();
    void nothingChangesWhenRefused();

  private:
    QTemporaryDir guardDir_;
    QString Guard() const { return guardDir_.filePath(QStringLiteral("Orva.lock")); }
};

void DearchiwizacjaTest::window() {
    ScriptedDialogs ui;
    TForm1 f(QStringLiteral("/nowhere"), ui);
    QCOMPARE(f.windowTitle(), QStringLiteral("Dearchiwizacja"));
    QCOMPARE(f.size(), QSize(290, 140));
    QCOMPARE(f.LMDSpeedButton1->text(), QStringLiteral("Dearchiwizuj"));
    QCOMPARE(f.LMDSpeedButton1->size(), QSize(97, 33));
}

void DearchiwizacjaTest::restoreGivesBackTheBackedUpRows_data() {
    QTest::addColumn<QString>("database");
    QTest::newRow("database in place") << "in place";
    QTest::newRow("database lost") << "lost";
    QTest::newRow("database damaged") << "damaged";
}

void DearchiwizacjaTest::restoreGivesBackTheBackedUpRows() {
    QFETCH(QString, database);
    TestDb t;
    LedgerWithBackup(t);
    const QString backedUp = LedgerSnapshot(t.db());
    // Work after the backup: the restore goes back before it, but keeps it.
    t.Run({"INSERT INTO DOKUMENT (NRDOK,NRPOZ,RODZAJDOK,RODZAJP,RODZAJK,PRZYCHOD,ROZCHOD) "
           "SELECT MAX(NRDOK)+1,MAX(NRPOZ)+1,'KP',1,1,7,0 FROM DOKUMENT",
           "UPDATE SYSCOUNT SET DOCID=DOCID+1"});
    const QString later = LedgerSnapshot(t.db());
    QVERIFY(later != backedUp);
    t.db().Disconnect();
    if (database == QLatin1String("lost"))
        QVERIFY(QFile::remove(t.path()));
    if (database == QLatin1String("damaged")) {
        QVERIFY(WriteFile(t.path(), "not a database"));
        t.ui().Answer(true); // restore it anyway
    }

    TForm1 f(t.folder(), t.ui());
    f.GuardPath = Guard();
    f.show();
    f.LMDSpeedButton1Click();

    const ScriptedDialogs::Message m = t.ui().messages.last();
    QCOMPARE(m.caption, QStringLiteral("Dearchiwizacja"));
    QCOMPARE(m.icon, MsgIcon::Information);
    QVERIFY2(m.text.contains(QStringLiteral("(dokumentów: 3)")), qPrintable(m.text));
    QCOMPARE(t.ui().messages.size(), database == QLatin1String("damaged") ? 2 : 1);
    QVERIFY(!f.isVisible());
    QCOMPARE(LedgerSnapshot(t.db()), backedUp);
    QCOMPARE(Leftovers(t), QStringList());
    QVERIFY(SingleInstance(Guard()).Acquire()); // Orva may start again

    const QStringList kept = Kept(t);
    if (database == QLatin1String("lost")) {
        QCOMPARE(kept, QStringList());
        return;
    }
    QCOMPARE(kept.size(), 1);
    const QString keptPath = QDir(t.folder()).filePath(kept.first());
    QVERIFY2(
        m.text.contains(
            QStringLiteral("Poprzednia baza danych została zachowana w pliku %1.").arg(keptPath)),
        qPrintable(m.text));
    if (database == QLatin1String("damaged")) {
        QCOMPARE(ReadFile(keptPath), QByteArray("not a database"));
        return;
    }
    QTemporaryDir other;
    QVERIFY(QFile::copy(keptPath, other.filePath(QStringLiteral("ORVA.GDB"))));
    TDB old(other.path());
    QCOMPARE(LedgerSnapshot(old), later);
}

void DearchiwizacjaTest::nothingChangesWhenRefused_data() {
    QTest::addColumn<QString>("cause");
    QTest::addColumn<MsgIcon>("icon");
    QTest::addColumn<QString>("told");
    QTest::newRow("no backup") << "no backup" << MsgIcon::Exclamation << "Nie ma kopii danych";
    QTest::newRow("Orva running")
        << "Orva running" << MsgIcon::Exclamation
        << "Program Orva jest uruchomiony na tym komputerze. Zamknij go i wykonaj dearchiwizację "
           "ponownie.";
    QTest::newRow("database held by another program")
        << "held" << MsgIcon::Exclamation << "jest używana przez inny program";
    QTest::newRow("workstation of a server")
        << "workstation" << MsgIcon::Exclamation
        << "Program korzysta z bazy danych na serwerze „sekretariat”.";
    QTest::newRow("damaged backup")
        << "damaged backup" << MsgIcon::Error
        << "Odtworzenie danych z kopii nie powiodło się; baza danych pozostała bez zmian.";
}

void DearchiwizacjaTest::nothingChangesWhenRefused() {
    QFETCH(QString, cause);
    QFETCH(MsgIcon, icon);
    QFETCH(QString, told);
    TestDb t;
    LedgerWithBackup(t);
    const QString before = LedgerSnapshot(t.db());
    t.db().Disconnect();
    const QString moved = t.path() + QStringLiteral(".moved");
    SingleInstance orva(Guard());
    std::unique_ptr<DatabaseHolder> holder;
    if (cause == QLatin1String("no backup"))
        QVERIFY(QFile::remove(Gbak::BackupPath(t.folder())));
    if (cause == QLatin1String("damaged backup"))
        QVERIFY(WriteFile(Gbak::BackupPath(t.folder()), "not a backup"));
    if (cause == QLatin1String("Orva running"))
        QVERIFY(orva.Acquire());
    if (cause == QLatin1String("held")) {
        holder = std::make_unique<DatabaseHolder>(t.path());
        QVERIFY(holder->Holds());
    }
    if (cause == QLatin1String("workstation")) {
        TDB::WriteServerName(t.folder(), QStringLiteral("sekretariat"));
        QVERIFY(QFile::rename(t.path(), moved));
    }

    TForm1 f(t.folder(), t.ui());
    f.GuardPath = Guard();
    f.show();
    f.LMDSpeedButton1Click();

    QCOMPARE(t.ui().messages.size(), 1);
    const ScriptedDialogs::Message m = t.ui().messages.first();
    QCOMPARE(m.caption, QStringLiteral("Błąd"));
    QCOMPARE(m.icon, icon);
    QVERIFY2(m.text.contains(told), qPrintable(m.text));
    QVERIFY(f.isVisible()); // to try again once the cause is gone
    QVERIFY(f.LMDSpeedButton1->isEnabled());
    holder.reset();
    orva.Release();
    if (cause == QLatin1String("workstation")) {
        QVERIFY(!QFile::exists(t.path()));
        QVERIFY(QFile::rename(moved, t.path()));
    }
    QCOMPARE(LedgerSnapshot(t.db()), before);
    QCOMPARE(Kept(t), QStringList());
    QCOMPARE(Leftovers(t), QStringList());
}

QTEST_MAIN(DearchiwizacjaTest)
#include "dearchiwizacja_test.moc"
