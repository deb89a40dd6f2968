// Placing a forgotten document before the selected one.
#include "common/entrywindows.h"
#include "common/ledgerbuilder.h"
#include "common/ledgercheck.h"
#include "documents/addfv.h"
#include "documents/addkp.h"
#include "documents/addwb.h"
#include "documents/memo.h"
#include "shell/docview.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QTest>

namespace {

// "KP7/4": a KP of cash report 7 in period 4 (period 1 when not given);
// "WB": a bank statement. Amounts are small receipts, so funds stay above 0.
QVector<TestDoc> Ledger(const QString& text) {
    QVector<TestDoc> docs;
    for (const QString& token : text.split(QLatin1Char(' '))) {
        const QStringList parts = token.split(QLatin1Char('/'));
        const QString kind = parts.first().left(2);
        const int nrrk = parts.first().mid(2).toInt();
        TestDoc d = kind == QLatin1String("KW")   ? Kw(1, nrrk)
                    : kind == QLatin1String("WB") ? Wb(10, 0)
                                                  : Kp(10, nrrk);
        d.okres = parts.size() > 1 ? parts.at(1).toInt() : 1;
        docs << d;
    }
    return docs;
}

void (TMain::*const kOpeners[])() = {nullptr, &TMain::Wstawprzed1Click, &TMain::Wstawprzed2Click,
                                     &TMain::Wstawprzed3Click};

// The dialog of command 1 (KP), 2 (cost document) or 3 (WB), and how a
// user fills it with an amount.
TEntryDialog* DialogOf(int command) {
    TEntryDialog* const dialogs[] = {nullptr, AddKp, AddFv, AddWb};
    return dialogs[command];
}

void Fill(int command, const QString& amount) {
    switch (command) {
    case 1:
        AddKp->EdRodzajP->setText(QStringLiteral("P1"));
        AddKp->RodzajPId = 2;
        AddKp->EdWartoscP->setText(amount);
        AddKp->EdNr->setText(QStringLiteral("KP-W"));
        AddKp->EdOpis->setText(QStringLiteral("Wstawiony"));
        break;
    case 2:
        AddFv->EdRodzaj->setText(QStringLiteral("K1"));
        AddFv->RodzajId = 2;
        AddFv->EdNr->setText(QStringLiteral("FV-W"));
        AddFv->EdWartosc->setText(amount);
        AddFv->EdOpis->setText(QStringLiteral("Wstawiony"));
        break;
    default:
        AddWb->EdNr->setText(QStringLiteral("WB-W"));
        AddWb->EdRodzajP->setText(QStringLiteral("P1"));
        AddWb->RodzajPId = 2;
        AddWb->EdWartoscP->setText(amount);
        AddWb->EdOpis->setText(QStringLiteral("Wstawiony"));
        break;
    }
}

bool InsertBefore(int nrdok, int command, const QString& amount) {
    SelectDocument(nrdok);
    return SaveThrough([command] { (Main->*kOpeners[command])(); }, DialogOf(command),
                       [&] { Fill(command, amount); });
}

} // namespace

class InsertBeforeTest : public QObject {
    Q_OBJECT
  private slots:
    void placement_data();
    void placement();
    void datesOfTheNeighbours_data();
    void datesOfTheNeighbours();
    void costAboveTheFunds();
};

void InsertBeforeTest::placement_data() {
    QTest::addColumn<QString>("ledger");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("nrrk"); // of the new document, 0 for none
    QTest::addColumn<int>("okres");
    QTest::addColumn<QList<int>>("cashReports");

    QTest::newRow("KP before 3 of 1..5")
        << "KP1 KP1 KP1 KP1 KP1" << 3 << 1 << 1 << 1 << QList<int>{1, 1, 1, 1, 1, 1};
    QTest::newRow("KP before 1") << "KP1 KW1 KP1" << 1 << 1 << 1 << 1 << QList<int>{1, 1, 1, 1};
    QTest::newRow("KW before a KP of RK 7, period 4")
        << "KP6/4 KP7/4 KW7/4" << 2 << 2 << 7 << 4 << QList<int>{6, 7, 7, 7};
    QTest::newRow("KP before a WB after a KP of RK 7")
        << "KP7/2 WB/2 KP8/2" << 2 << 1 << 7 << 2 << QList<int>{7, 7, 0, 8};
    QTest::newRow("KW before a WB after two WBs")
        << "KP7 WB WB KP8" << 3 << 2 << 8 << 1 << QList<int>{7, 0, 8, 0, 8};
    QTest::newRow("KP before a WB with no KP or KW before it")
        << "WB WB KP1 KW1" << 2 << 1 << 1 << 1 << QList<int>{0, 1, 0, 2, 2};
    QTest::newRow("WB before a KP") << "KP1 KP1 KW1" << 2 << 3 << 0 << 1 << QList<int>{1, 0, 1, 1};
}

void InsertBeforeTest::placement() {
    QFETCH(QString, ledger);
    QFETCH(int, selected);
    QFETCH(int, command);
    QFETCH(int, nrrk);
    QFETCH(int, okres);
    QFETCH(QList<int>, cashReports);
    TestDb t;
    AddCategories(t, 1, 1);
    t.Run({QStringLiteral("UPDATE STANP SET WARTOSC=50, LICZNIKPOZ=10")});
    WriteLedger(t, Ledger(ledger));
    t.Run({QStringLiteral("UPDATE DOKUMENT SET NRKW=NRDOK WHERE RODZAJDOK='KW'")});
    EntryWindows w(t);

    QVERIFY(InsertBefore(selected, command, QStringLiteral("20")));

    // No new-month question, no cover check, no warning.
    QVERIFY2(t.ui().messages.isEmpty(), qPrintable(t.ui().Texts().join('\n')));
    const Rows rows = t.db().Select(
        QStringLiteral("SELECT NRPOZ,NRRK,OKRES,OPIS FROM DOKUMENT WHERE NRDOK=%1").arg(selected));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().value(3).toString(), QStringLiteral("Wstawiony"));
    QCOMPARE(rows.first().value(0).toInt(), 9 + selected);
    QCOMPARE(rows.first().value(1).toInt(), nrrk);
    QCOMPARE(rows.first().value(2).toInt(), okres);
    QCOMPARE(CashReports(t.db()), cashReports);
    QCOMPARE(CheckLedger(t.db()), QString());
    QCOMPARE(CheckDocCounter(t.db()), QString());
    QCOMPARE(SelectedDocument(), cashReports.size()); // the register on its last line
}

void InsertBeforeTest::datesOfTheNeighbours_data() {
    const QDate today = QDate::currentDate();
    QTest::addColumn<int>("selected");
    QTest::addColumn<QDate>("earliest");
    QTest::addColumn<QDate>("latest");
    QTest::addColumn<QDate>("shown");
    QTest::newRow("first") << 1 << today.addDays(-10000) << QDate(2024, 9, 10)
                           << QDate(2024, 9, 10);
    QTest::newRow("middle") << 2 << QDate(2024, 9, 2) << QDate(2024, 9, 20) << QDate(2024, 9, 20);
    QTest::newRow("last") << 3 << QDate(2024, 9, 10) << today.addDays(10000) << today;
}

// The date offered is today, kept between the documents just before and
// just after the selected one; a WB starts with no number.
void InsertBeforeTest::datesOfTheNeighbours() {
    QFETCH(int, selected);
    QFETCH(QDate, earliest);
    QFETCH(QDate, latest);
    QFETCH(QDate, shown);
    TestDb t;
    AddCategories(t, 1, 1);
    QVector<TestDoc> docs = Ledger(QStringLiteral("KP1 KP1 KP1"));
    docs[1].date = QStringLiteral("2024-09-10");
    docs[2].date = QStringLiteral("2024-09-20");
    WriteLedger(t, docs);
    EntryWindows w(t);
    AddWb->EdNr->setText(QStringLiteral("WB 12"));
    SelectDocument(selected);
    QVERIFY(Within([] { DocView->Wstawprzed3->trigger(); }, AddWb,
                   [&] {
                       QCOMPARE(AddWb->EdData->minimumDate(), earliest);
                       QCOMPARE(AddWb->EdData->maximumDate(), latest);
                       QCOMPARE(AddWb->EdData->date(), shown);
                       QVERIFY(AddWb->CheckWstaw->isChecked() && AddWb->CheckWstaw->isEnabled());
                       QCOMPARE(AddWb->EdNr->text(), QString());
                       QCOMPARE(Main->EntryMode, 1);
                   }));
}

// Inserting before makes no cover check: a cost above the funds is written
// and the recomputation warns once about the negative balances.
void InsertBeforeTest::costAboveTheFunds() {
    TestDb t;
    AddCategories(t, 1, 1);
    WriteLedger(t, Ledger(QStringLiteral("KP1 KP1 KP1")));
    EntryWindows w(t);
    QVERIFY(InsertBefore(2, 2, QStringLiteral("500")));
    QCOMPARE(t.ui().Texts(), QStringList{QStringLiteral(
                                 "Uwaga w niektórych pozycjach stan środków wyszedł na minus.")});
    QCOMPARE(t.ui().messages.first().caption, QStringLiteral("Ostrzeżenie"));
    QCOMPARE(t.Value(QStringLiteral("SELECT POZOSTALESR FROM DOKUMENT WHERE NRDOK=4")).toDouble(),
             -470.0);
    QCOMPARE(CheckLedger(t.db()), QString());
    QCOMPARE(CheckDocCounter(t.db()), QString());
}

QTEST_MAIN(InsertBeforeTest)
#include "insertbefore_test.moc"
