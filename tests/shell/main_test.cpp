// The main window and the register: start-up, the guard, the register lines.
#include "common/testdb.h"
#include "common/testwindow.h"
#include "data/register.h"
#include "shell/about.h"
#include "shell/docview.h"
#include "shell/main.h"
#include "shell/singleinstance.h"
#include "shell/startup.h"

#include <QAction>
#include <QDir>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QThread>
#include <QProcess>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <csignal>

namespace {
// Puts a ledger line straight into the database.
QString Line(int nrdok, const QString& date, double in, double out, const QString& kind,
             const QString& opis, int rodzajp = 1, int rodzajk = 1, double balance = 0) {
    return QStringLiteral("INSERT INTO DOKUMENT (DATA,PRZYCHOD,ROZCHOD,NRDOK,NRPOZ,RODZAJP,RODZAJK,"
                          "RODZAJDOK,NUMER,OPIS,POZOSTALESR,OKRES,NRRK,KTO) VALUES "
                          "('%1',%2,%3,%4,%5,%6,%7,'%8','%4','%9',%10,1,1,'Jan')")
        .arg(date)
        .arg(in)
        .arg(out)
        .arg(nrdok)
        .arg(nrdok + 1)
        .arg(rodzajp)
        .arg(rodzajk)
        .arg(kind, opis)
        .arg(balance);
}

} // namespace

class MainTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void registerShowsOneLinePerDocument();
    void registerOnEmptyLedger();
    void registerColumnsAndFormats();
    void startupReadsParameters();
    void unreachableDatabaseKeepsWindowUsable();
    void secondCopyIsRefused();
    void killedCopyLeavesNoLock();
    void splashProgressEndsWithLastStep();
    void windowsMadeInTheirOrder();
    void registerRefusesToClose();
    void remoteHelpIsOneFolderUp();
};

void MainTest::init() { DocView = nullptr; }

void MainTest::registerShowsOneLinePerDocument() {
    TestDb t;
    t.Run({QStringLiteral("INSERT INTO PRZYCHODY (NAZWA,POCZATEKPRZYCH,US) VALUES ('Składki',0,0)"),
           QStringLiteral("INSERT INTO PRZYCHODY (NAZWA,POCZATEKPRZYCH,US) VALUES ('Wycieczki',0,0)"),
           Line(1, QStringLiteral("2024-09-02"), 40, 0, QStringLiteral("KP"), QStringLiteral("Wpłaty"), 2, 1, 40),
           Line(1, QStringLiteral("2024-09-02"), 60, 0, QStringLiteral("KP"), QStringLiteral("Wpłaty"), 3, 1, 100),
           Line(2, QStringLiteral("2024-09-03"), 5, 0, QStringLiteral("WB"), QStringLiteral("A"), 2, 1, 105),
           Line(2, QStringLiteral("2024-09-03"), 0, 2, QStringLiteral("WB"), QStringLiteral("B"), 1, 1, 103)});
    TestWindow w(t);
    QVERIFY(DocView);
    const Rows& rows = DocView->Qglowna->AllRows();
    QCOMPARE(rows.size(), 3);
    QCOMPARE(rows.at(0).value(QStringLiteral("PRZYCHOD")).toDouble(), 100.0);
    QCOMPARE(rows.at(0).value(QStringLiteral("POZOSTALESR")).toDouble(), 100.0);
    QCOMPARE(rows.at(0).value(QStringLiteral("NAZWAP")).toString(), QStringLiteral("Wycieczki"));
    // Positioned on the last line.
    QCOMPARE(DocView->CurrentRow(), 2);
    QCOMPARE(DocView->SelectedNrDok(), 2);
}

void MainTest::registerOnEmptyLedger() {
    TestDb t;
    TestWindow w(t);
    QVERIFY(DocView);
    QCOMPARE(DocView->Qglowna->rowCount(), 0);
    QCOMPARE(DocView->SelectedNrDok(), 0);
}

void MainTest::registerColumnsAndFormats() {
    TestDb t;
    t.Run({Line(1, QStringLiteral("2024-09-02"), 1234.5, 0, QStringLiteral("KP"), QStringLiteral("x"), 1, 1, 1234.5)});
    TestWindow w(t);
    const QStringList titles = {"Data rejestracji", "Nr dokumentu", "Rodzaj dokumentu", "Numer nadany",
                                "Nr Kw", "RK", "Opis", "Wartość przychodu", "Wartość rozchodu",
                                "Nazwa kosztu", "Nazwa przychodu", "Stan środków"};
    const QList<int> widths = {60, 60, 60, 90, 50, 40, 122, 65, 65, 145, 145, 60};
    RegisterModel* model = DocView->Qglowna;
    QCOMPARE(model->columnCount(), titles.size());
    for (int i = 0; i < titles.size(); ++i) {
        QCOMPARE(model->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString(), titles.at(i));
        QCOMPARE(DocView->DBGrid1->columnWidth(i), widths.at(i));
    }
    QCOMPARE(model->index(0, 0).data().toString(), QStringLiteral("02.09.2024"));
    QCOMPARE(model->index(0, 7).data().toString(), QStringLiteral("1\u00a0234,50"));
    QCOMPARE(model->index(0, 8).data().toString(), QStringLiteral("0,00"));
    QCOMPARE(DocView->DBGrid1->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(DocView->DBGrid1->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(Register::SqlLines().size(), 7);
}

void MainTest::startupReadsParameters() {
    TestDb t;
    t.Run({QStringLiteral("UPDATE PARAMETRY SET AUTOKP=1,AUTORK=1")});
    TestWindow w(t);
    QCOMPARE(Main->AutoKp, 1);
    QCOMPARE(Main->ManualRk, 1);
    QCOMPARE(Main->NextIsWb, 0);
    QVERIFY(t.ui().messages.isEmpty());
}

void MainTest::unreachableDatabaseKeepsWindowUsable() {
    TestDb t;
    QFile::remove(t.path());
    TestWindow w(t);
    QCOMPARE(t.ui().messages.size(), 1);
    QCOMPARE(t.ui().messages.first().caption, QStringLiteral("Błąd"));
    QVERIFY(!DocView);
    QVERIFY(Main->isVisible());
    // Commands that need the register say so instead of crashing.
    t.ui().Clear();
    Main->Popraw1Click();
    Main->Anulujdok1Click();
    Main->Wstawprzed1Click();
    QCOMPARE(t.ui().messages.size(), 3);
    QVERIFY(!DocView);
}

namespace {
const char* const kHoldLock = "--hold-lock";
} // namespace

void MainTest::secondCopyIsRefused() {
    TestDb t;
    QTemporaryDir guardDir;
    const QString lockPath = guardDir.filePath(QStringLiteral("Orva.lock"));
    SingleInstance first(lockPath);
    QVERIFY(first.Acquire());
    TMain::GuardPath = lockPath;
    TMain second;
    Main = &second;
    second.FormShow();
    QCOMPARE(t.ui().messages.size(), 1);
    QCOMPARE(t.ui().messages.first().text, QStringLiteral("Jest już uruchomiony program."));
    QCOMPARE(t.ui().messages.first().caption, QStringLiteral("Błąd"));
    QVERIFY(!DocView); // the second copy goes no further
    Main = nullptr;
}

void MainTest::killedCopyLeavesNoLock() {
    QTemporaryDir guardDir;
    const QString lockPath = guardDir.filePath(QStringLiteral("Orva.lock"));
    QProcess holder;
    holder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    holder.start(QCoreApplication::applicationFilePath(), {QLatin1String(kHoldLock), lockPath});
    QVERIFY(holder.waitForReadyRead(10000)); // it prints once it holds the lock
    SingleInstance other(lockPath);
    QVERIFY(!other.Acquire());
    ::kill(static_cast<pid_t>(holder.processId()), SIGKILL);
    QVERIFY(holder.waitForFinished(10000));
    QVERIFY(other.Acquire());
}

void MainTest::splashProgressEndsWithLastStep() {
    QTemporaryDir dir;
    QVector<int> seen;
    int total = 0;
    CreateAll(dir.path(), [&](int done, int all) {
        seen.append(done);
        total = all;
    });
    QCOMPARE(total, StartupSteps(dir.path()).size());
    QCOMPARE(seen.last(), total);
    QVERIFY(Main && DB);
    delete Main;
    delete DB;
    DB = nullptr;
}

void MainTest::windowsMadeInTheirOrder() {
    QTemporaryDir dir;
    QStringList made;
    for (const StartupStep& step : StartupSteps(dir.path()))
        made << step.name;
    QCOMPARE(made, QStringList({"TMain", "TDB", "TArchiwizacja", "TAbout", "TSerwer", "TAddKp", "TSzukajF",
                                "TAddFv", "TAddWb", "TPoczatkowe", "TAddOkres", "TKoszty", "TPrzychody",
                                "TAddKoszty", "TAddPrzychody", "TParametry", "TNrRk", "TWyborKto"}));
}

void MainTest::registerRefusesToClose() {
    TestDb t;
    TestWindow w(t);
    QVERIFY(DocView);
    QVERIFY(!DocView->close());
    QVERIFY(!w.main().MdiArea->subWindowList().first()->close());
    QVERIFY(DocView->isVisible());
}

void MainTest::remoteHelpIsOneFolderUp() {
    QCOMPARE(QDir::cleanPath(RemoteHelpCommand(QStringLiteral("/srv/Kasa/Prog"))),
             QStringLiteral("/srv/Kasa/tamrel.exe"));
    // Not installed: the entry does nothing visible.
    TestDb t;
    TestWindow w(t);
    w.main().Zdalnapomoc1Click();
    QVERIFY(t.ui().messages.isEmpty());
}

int main(int argc, char** argv) {
    if (argc == 3 && qstrcmp(argv[1], kHoldLock) == 0) {
        QCoreApplication app(argc, argv);
        SingleInstance guard(QString::fromLocal8Bit(argv[2]));
        if (!guard.Acquire())
            return 2;
        std::printf("locked\n");
        std::fflush(stdout);
        QThread::sleep(60);
        return 0;
    }
    QApplication app(argc, argv);
    MainTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "main_test.moc"
