// Cancelling and deleting documents from the register.
#include "common/entrywindows.h"
#include "common/ledgerbuilder.h"
#include "common/ledgercheck.h"
#include "shell/docview.h"

#include <QTest>


class CancelDeleteTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cancelTwoRowKp();
    void cancelCostDocument();
    void cancelWb_data();
    void cancelWb();
    void cancelFirstDocument();
    void deleteInTheMiddle();
    void deleteLast();
    void deleteWb_data();
    void deleteWb();
    void emptyRegisterAndNo();
    void staleRegisterIsRefused_data();
    void staleRegisterIsRefused();
    void failureMidCommandLeavesLedger();
};

void CancelDeleteTest::initTestCase() { DocView = nullptr; }

void CancelDeleteTest::cancelTwoRowKp() {
    TestDb t;
    AddCategories(t, 2, 1);
    t.Run({QStringLiteral("UPDATE STANP SET WARTOSC=10")});
    TestDoc split = Kp(40);
    split.rodzajp = 2;
    split.in2 = 60;
    split.rodzajp2 = 3;
    WriteLedger(t, {Kp(5), split, Kw(30)});
    TestWindow w(t);
    SelectDocument(2);
    t.ui().Answer(true);
    DocView->Anuluj1Click();
    QCOMPARE(t.ui().messages.first().text, QStringLiteral("Czy na pewno chcesz anulować wybraną pozycję"));
    QCOMPARE(t.ui().messages.first().caption, QStringLiteral("Ostrzeżenie"));
    QCOMPARE(t.Value(QStringLiteral("SELECT COUNT(*) FROM DOKUMENT WHERE NRDOK=2 AND PRZYCHOD=0 AND "
                                    "OPIS='Anulowany' AND NRPOZ=3 AND NRRK=1")).toInt(), 2);
    QCOMPARE(DocumentBalance(t.db(), 2), 15.0);
    QCOMPARE(DocumentBalance(t.db(), 3), -15.0); // one warning about the negative funds
    QVERIFY(t.ui().Texts().contains(QStringLiteral("Uwaga w niektórych pozycjach stan środków wyszedł na minus.")));
    QCOMPARE(CheckLedger(t.db()), QString());
    QCOMPARE(DocView->SelectedNrDok(), 2); // back on the cancelled document
}

void CancelDeleteTest::cancelCostDocument() {
    TestDb t;
    AddCategories(t, 1, 1);
    WriteLedger(t, {Kp(100), Kw(30), Kp(10)});
    TestWindow w(t);
    SelectDocument(2);
    t.ui().Answer(true);
    DocView->Anuluj1Click();
    QCOMPARE(t.Value(QStringLiteral("SELECT ROZCHOD FROM DOKUMENT WHERE NRDOK=2")).toDouble(), 0.0);
    QCOMPARE(DocumentBalance(t.db(), 3), 110.0);
    QCOMPARE(CheckLedger(t.db()), QString());
}

void CancelDeleteTest::cancelWb_data() {
    QTest::addColumn<double>("in");
    QTest::addColumn<double>("out");
    QTest::addColumn<QString>("opis");
    QTest::newRow("both sides") << 100.0 << 40.0 << "Anulowany";
    QTest::newRow("zero statement") << 0.0 << 0.0 << "Dokument 2";
}

void CancelDeleteTest::cancelWb() {
    QFETCH(double, in);
    QFETCH(double, out);
    QFETCH(QString, opis);
    TestDb t;
    AddCategories(t, 1, 1);
    WriteLedger(t, {Kp(100), Wb(in, out), Kp(1)});
    TestWindow w(t);
    SelectDocument(2);
    t.ui().Answer(true);
    DocView->Anuluj1Click();
    const Rows rows = t.db().Select(QStringLiteral("SELECT PRZYCHOD,ROZCHOD,OPIS FROM DOKUMENT WHERE NRDOK=2"));
    QCOMPARE(rows.first().value(0).toDouble(), 0.0);
    QCOMPARE(rows.first().value(1).toDouble(), 0.0);
    QCOMPARE(rows.first().value(2).toString(), opis);
    QCOMPARE(DocumentBalance(t.db(), 3), 101.0);
    QCOMPARE(CheckLedger(t.db()), QString());
}

void CancelDeleteTest::cancelFirstDocument() {
    TestDb t;
    AddCategories(t, 1, 1);
    t.Run({QStringLiteral("UPDATE STANP SET WARTOSC=50")});
    WriteLedger(t, {Kp(100), Kw(30), Kp(10)});
    TestWindow w(t);
    SelectDocument(1);
    t.ui().Answer(true);
    DocView->Anuluj1Click();
    QCOMPARE(DocumentBalance(t.db(), 1), 50.0);
    QCOMPARE(DocumentBalance(t.db(), 3), 30.0);
    QCOMPARE(CheckLedger(t.db()), QString());
}

void CancelDeleteTest::deleteInTheMiddle() {
    TestDb t;
    AddCategories(t, 1, 1);
    WriteLedger(t, {Kp(100), Kp(20), Kw(30), Kp(5), Kw(1)});
    TestWindow w(t);
    SelectDocument(3);
    t.ui().Answer(true);
    w.main().UsunButClick();
    QCOMPARE(t.ui().messages.first().text, QStringLiteral("Czy na pewno chcesz usunąć wybraną pozycję"));
    QCOMPARE(t.Value(QStringLiteral("SELECT COUNT(*) FROM DOKUMENT")).toInt(), 4);
    QCOMPARE(DocumentBalance(t.db(), 4), 124.0);
    QCOMPARE(CheckLedger(t.db()), QString());
    QCOMPARE(CheckDocCounter(t.db()), QString());
    QCOMPARE(DocView->SelectedNrDok(), 4); // the register shows the last document
}

void CancelDeleteTest::deleteLast() {
    TestDb t;
    AddCategories(t, 1, 1);
    WriteLedger(t, {Kp(100), Kw(30, 2), Kp(10, 3)});
    TestWindow w(t);
    SelectDocument(3);
    t.ui().Answer(true);
    w.main().UsunButClick();
    QCOMPARE(t.Value(QStringLiteral("SELECT MAX(NRDOK) FROM DOKUMENT")).toInt(), 2);
    QCOMPARE(CheckLedger(t.db()), QString());
    QCOMPARE(CheckDocCounter(t.db()), QString());
}

void CancelDeleteTest::deleteWb_data() {
    QTest::addColumn<bool>("nextIsWb");
    QTest::addColumn<int>("manualRk");
    QTest::addColumn<QList<int>>("expected");
    QTest::newRow("followed by KP") << false << 0 << QList<int>{1, 1, 1};
    QTest::newRow("manual cash reports") << false << 1 << QList<int>{1, 2, 2};
    QTest::newRow("followed by WB") << true << 0 << QList<int>{1, 0, 2};
}

void CancelDeleteTest::deleteWb() {
    QFETCH(bool, nextIsWb);
    QFETCH(int, manualRk);
    QFETCH(QList<int>, expected);
    TestDb t;
    AddCategories(t, 1, 1);
    t.Run({QStringLiteral("UPDATE PARAMETRY SET AUTORK=%1").arg(manualRk)});
    QVector<TestDoc> docs = {Kp(100, 1), Wb(10, 0)};
    if (nextIsWb)
        docs << Wb(5, 0) << Kp(1, 2);
    else
        docs << Kp(1, 2) << Kw(2, 2);
    WriteLedger(t, docs);
    TestWindow w(t);
    SelectDocument(2);
    t.ui().Answer(true);
    w.main().UsunButClick();
    QCOMPARE(CashReports(t.db()), expected);
    QCOMPARE(CheckLedger(t.db()), QString());
    QCOMPARE(CheckDocCounter(t.db()), QString());
}

void CancelDeleteTest::emptyRegisterAndNo() {
    TestDb t;
    TestWindow w(t);
    DocView->Anuluj1Click();
    w.main().UsunButClick();
    QCOMPARE(t.ui().Texts(), QStringList({QStringLiteral("Musisz wybrać pozycję."),
                                          QStringLiteral("Musisz wybrać pozycję.")}));
    QCOMPARE(t.ui().messages.first().icon, MsgIcon::Exclamation);
    AddCategories(t, 1, 1);
    WriteLedger(t, {Kp(100), Kw(30)});
    DocView->Reload();
    const QString before = LedgerSnapshot(t.db());
    t.ui().Answer(false);
    DocView->Anuluj1Click();
    t.ui().Answer(false);
    w.main().UsunButClick();
    QCOMPARE(LedgerSnapshot(t.db()), before);
}

void CancelDeleteTest::staleRegisterIsRefused_data() {
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancel") << true;
    QTest::newRow("delete") << false;
}

// Another workstation deleted the selected document after this register was
// read: the next KP now carries its number and must be left alone.
void CancelDeleteTest::staleRegisterIsRefused() {
    QFETCH(bool, cancel);
    TestDb t;
    AddCategories(t, 1, 1);
    WriteLedger(t, {Kp(100), Kp(20), Kp(30)});
    TestWindow w(t);
    SelectDocument(2);
    t.Run({QStringLiteral("DELETE FROM DOKUMENT WHERE NRDOK=2"),
           QStringLiteral("UPDATE DOKUMENT SET NRDOK=NRDOK-1,NRPOZ=NRPOZ-1 WHERE NRDOK>2")});
    const QString before = LedgerSnapshot(t.db());
    t.ui().Answer(true);
    if (cancel)
        DocView->Anuluj1Click();
    else
        w.main().UsunButClick();
    QCOMPARE(LedgerSnapshot(t.db()), before);
    QCOMPARE(t.ui().messages.last().text,
             QStringLiteral("Wybranego dokumentu nie ma już w bazie, zmieniono go na innym "
                            "stanowisku. Wybierz dokument ponownie."));
    QCOMPARE(t.ui().messages.last().icon, MsgIcon::Exclamation);
    QCOMPARE(DocView->Qglowna->rowCount(), 2); // the register shows the ledger as it is now
}

void CancelDeleteTest::failureMidCommandLeavesLedger() {
    TestDb t;
    AddCategories(t, 1, 1);
    WriteLedger(t, {Kp(100), Kp(20), Kw(30), Kp(5), Kw(1)});
    // Any update that reaches document 4 fails, half-way through the walk.
    t.Run({QStringLiteral("CREATE EXCEPTION E_TEST 'awaria w trakcie'"),
           QStringLiteral("CREATE TRIGGER T_TEST FOR DOKUMENT BEFORE UPDATE AS BEGIN "
                          "IF (OLD.NRDOK = 4) THEN EXCEPTION E_TEST; END")});
    TestWindow w(t);
    const QString before = LedgerSnapshot(t.db());
    SelectDocument(2);
    t.ui().Answer(true);
    w.main().UsunButClick();
    QCOMPARE(LedgerSnapshot(t.db()), before);
    QVERIFY2(t.ui().Texts().last().contains(QLatin1String("awaria w trakcie")), qPrintable(t.ui().Texts().last()));
    SelectDocument(2);
    t.ui().Answer(true);
    DocView->Anuluj1Click();
    QCOMPARE(LedgerSnapshot(t.db()), before);
}

QTEST_MAIN(CancelDeleteTest)
#include "canceldelete_test.moc"
