// Correcting a document in place from the register.
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

// The numbers a correction must keep: NRPOZ, OKRES, NRRK of each row.
QString Kept(TestDb& t, int nrdok) {
    QStringList kept;
    for (const QSqlRecord& r : t.db().Select(
             QStringLiteral("SELECT NRPOZ,OKRES,NRRK FROM DOKUMENT WHERE NRDOK=%1").arg(nrdok)))
        kept << QStringLiteral("%1/%2/%3")
                    .arg(r.value(0).toInt())
                    .arg(r.value(1).toInt())
                    .arg(r.value(2).toInt());
    return kept.join(QLatin1Char(' '));
}

bool Correct(int nrdok, TEntryDialog* dialog, const std::function<void()>& change) {
    SelectDocument(nrdok);
    return SaveThrough([] { Main->Popraw1->trigger(); }, dialog, change);
}

} // namespace

class CorrectTest : public QObject {
    Q_OBJECT
  private slots:
    void twoRowKpIntoOne();
    void firstDocument();
    void costDocumentInPlace();
    void openingStates();
    void changedElsewhereWhileOpen();
};

// Both rows go, one is written under the same numbers; the date may move
// only between the neighbouring documents.
void CorrectTest::twoRowKpIntoOne() {
    TestDb t;
    AddCategories(t, 2, 1);
    t.Run({QStringLiteral("UPDATE STANP SET WARTOSC=10")});
    TestDoc split = Kp(40);
    split.in2 = 60;
    split.rodzajp2 = 3;
    split.date = QStringLiteral("2024-09-05");
    TestDoc last = Kw(30);
    last.date = QStringLiteral("2024-09-09");
    WriteLedger(t, {Kp(5), split, last});
    EntryWindows w(t);
    const QString kept = Kept(t, 2).section(QLatin1Char(' '), 0, 0);

    QVERIFY(Correct(2, AddKp, [] {
        QCOMPARE(Main->EntryMode, 2);
        QCOMPARE(AddKp->EdData->date(), QDate(2024, 9, 5));
        QCOMPARE(AddKp->EdData->minimumDate(), QDate(2024, 9, 2));
        QCOMPARE(AddKp->EdData->maximumDate(), QDate(2024, 9, 9));
        QVERIFY(!AddKp->CheckWstaw->isChecked() && !AddKp->CheckWstaw->isEnabled());
        QCOMPARE(AddKp->EdNr->text(), QStringLiteral("2"));
        QCOMPARE(AddKp->EdOpis->text(), QStringLiteral("Dokument 2"));
        QCOMPARE(AddKp->EdKomu->text(), QStringLiteral("Wpłacający"));
        QCOMPARE(AddKp->EdRodzajP->text(), QStringLiteral("P1"));
        QCOMPARE(AddKp->EdWartoscP->text(), QStringLiteral("40"));
        QCOMPARE(AddKp->RodzajPId, 2);
        QCOMPARE(AddKp->EdRodzajPD->text(), QStringLiteral("P2"));
        QCOMPARE(AddKp->EdWartoscPD->text(), QStringLiteral("60"));
        QCOMPARE(AddKp->RodzajPDId, 3);
        QVERIFY(AddKp->EdRodzajPD->isEnabled() && AddKp->EdWartoscPD->isEnabled());
        AddKp->PopupComponent = AddKp->EdRodzajPD;
        AddKp->Usu1Click();
        AddKp->EdWartoscP->setText(QStringLiteral("45,5"));
    }));

    QCOMPARE(Kept(t, 2), kept);
    QCOMPARE(t.Value(QStringLiteral("SELECT PRZYCHOD FROM DOKUMENT WHERE NRDOK=2")).toDouble(),
             45.5);
    QCOMPARE(DocumentBalance(t.db(), 2), 60.5);
    QCOMPARE(DocumentBalance(t.db(), 3), 30.5);
    QCOMPARE(CheckLedger(t.db()), QString());
    QCOMPARE(SelectedDocument(), 2); // the register back on the corrected document
    QVERIFY(t.ui().messages.isEmpty());
}

// The first document's balance follows from the opening funds.
void CorrectTest::firstDocument() {
    TestDb t;
    AddCategories(t, 1, 1);
    t.Run({QStringLiteral("UPDATE STANP SET WARTOSC=50")});
    WriteLedger(t, {Kp(100), Kw(30), Kp(10)});
    EntryWindows w(t);
    QVERIFY(Correct(1, AddKp, [] { AddKp->EdWartoscP->setText(QStringLiteral("80")); }));
    QCOMPARE(DocumentBalance(t.db(), 1), 130.0);
    QCOMPARE(DocumentBalance(t.db(), 3), 110.0);
    QCOMPARE(CheckLedger(t.db()), QString());
    QCOMPARE(SelectedDocument(), 1);
}

// The line is updated in place, and its category is the line's own even
// when another category has the same name.
void CorrectTest::costDocumentInPlace() {
    TestDb t;
    t.Run({QStringLiteral("INSERT INTO PRZYCHODY (ID_PRZYCHODY,NAZWA,US) VALUES (2,'Składki','0')"),
           QStringLiteral("INSERT INTO KOSZTY (ID_KOSZTY,NAZWA,US) VALUES (2,'Czynsz','0')"),
           QStringLiteral("INSERT INTO KOSZTY (ID_KOSZTY,NAZWA,US) VALUES (3,'Czynsz','0')")});
    TestDoc rent = Kw(30);
    rent.rodzajk = 3;
    WriteLedger(t, {Kp(100), rent, Kp(10)});
    EntryWindows w(t);
    const QVariant id = t.Value(QStringLiteral("SELECT ID_DOKUMENT FROM DOKUMENT WHERE NRDOK=2"));
    const QString kept = Kept(t, 2);

    QVERIFY(Correct(2, AddFv, [] {
        QCOMPARE(AddFv->EdRodzaj->text(), QStringLiteral("Czynsz"));
        QCOMPARE(AddFv->RodzajId, 3);
        QCOMPARE(AddFv->EdWartosc->text(), QStringLiteral("30"));
        QCOMPARE(AddFv->EdNrKw->text(), QString());
        AddFv->EdWartosc->setText(QStringLiteral("45"));
        AddFv->EdNrKw->setText(QStringLiteral("7"));
    }));

    const Rows rows =
        t.db().Select(QStringLiteral("SELECT ID_DOKUMENT,RODZAJK,ROZCHOD,NRKW FROM DOKUMENT "
                                     "WHERE NRDOK=2"));
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first().value(0), id);
    QCOMPARE(rows.first().value(1).toInt(), 3);
    QCOMPARE(rows.first().value(2).toDouble(), 45.0);
    QCOMPARE(rows.first().value(3).toString(), QStringLiteral("7"));
    QCOMPARE(Kept(t, 2), kept);
    QCOMPARE(DocumentBalance(t.db(), 3), 65.0);
    QCOMPARE(CheckLedger(t.db()), QString());
}

// Each document opens in the state it was written in, whatever the last
// use of the dialog left: a zero WB in the zero statement, a two-row WB
// with both second pairs, a cancelled KP with an empty amount. Closing
// without saving changes nothing and keeps the register's line.
void CorrectTest::openingStates() {
    TestDb t;
    AddCategories(t, 2, 1);
    TestDoc twoRows = Wb(10, 0);
    twoRows.in2 = 5;
    twoRows.rodzajp2 = 3;
    TestDoc cancelled = Kp(0);
    WriteLedger(t, {Kp(100), Wb(0, 0), twoRows, cancelled});
    EntryWindows w(t);
    const QString before = LedgerSnapshot(t.db());

    SelectDocument(2);
    QVERIFY(Within([] { DocView->Popraw1->trigger(); }, AddWb,
                   [] {
                       QVERIFY(AddWb->CheckZero->isChecked());
                       QCOMPARE(AddWb->EdRodzajK->text(), QStringLiteral("Bez kosztu"));
                       QVERIFY(!AddWb->EdWartoscP->isEnabled());
                   }));
    QCOMPARE(SelectedDocument(), 2);
    QCOMPARE(LedgerSnapshot(t.db()), before);

    SelectDocument(4);
    QVERIFY(Within([] { DocView->Popraw1->trigger(); }, AddKp,
                   [] { QCOMPARE(AddKp->EdWartoscP->text(), QString()); }));

    QVERIFY(Correct(3, AddWb, [] {
        QVERIFY(!AddWb->CheckZero->isChecked());
        QCOMPARE(AddWb->EdRodzajP->text(), QStringLiteral("P1"));
        QCOMPARE(AddWb->EdWartoscP->text(), QStringLiteral("10"));
        QCOMPARE(AddWb->EdRodzajK->text(), QStringLiteral("Bez kosztu"));
        QCOMPARE(AddWb->EdWartoscK->text(), QString());
        QCOMPARE(AddWb->EdRodzajPD->text(), QStringLiteral("P2"));
        QCOMPARE(AddWb->EdWartoscPD->text(), QStringLiteral("5"));
        QCOMPARE(AddWb->RodzajPDId, 3);
        QVERIFY(AddWb->EdWartoscPD->isEnabled() && AddWb->EdWartoscKD->isEnabled());
        // The cost sides book nothing: cleared, as the user must.
        for (QLineEdit* cost : {AddWb->EdRodzajK, AddWb->EdRodzajKD}) {
            AddWb->PopupComponent = cost;
            AddWb->Usu1Click();
        }
        AddWb->EdWartoscP->setText(QStringLiteral("20"));
    }));
    QCOMPARE(t.Value(QStringLiteral("SELECT COUNT(*) FROM DOKUMENT WHERE NRDOK=3 AND NRRK IS NULL "
                                    "AND RODZAJDOK='WB'"))
                 .toInt(),
             2);
    QCOMPARE(DocumentBalance(t.db(), 4), 125.0);
    QCOMPARE(CheckLedger(t.db()), QString());
    QCOMPARE(SelectedDocument(), 3);
}

// Another workstation deletes the document while the dialog is open, so the
// next KP takes its number: saving must not overwrite that KP.
void CorrectTest::changedElsewhereWhileOpen() {
    TestDb t;
    AddCategories(t, 1, 1);
    WriteLedger(t, {Kp(100), Kp(20), Kp(30)});
    EntryWindows w(t);
    QString before;
    QVERIFY(!Correct(2, AddKp, [&] {
        t.Run({QStringLiteral("DELETE FROM DOKUMENT WHERE NRDOK=2"),
               QStringLiteral("UPDATE DOKUMENT SET NRDOK=NRDOK-1,NRPOZ=NRPOZ-1 WHERE NRDOK>2")});
        before = LedgerSnapshot(t.db());
        AddKp->EdWartoscP->setText(QStringLiteral("25"));
    }));
    QCOMPARE(LedgerSnapshot(t.db()), before);
    QCOMPARE(t.ui().Texts().last(),
             QStringLiteral("Wybranego dokumentu nie ma już w bazie, zmieniono go na innym "
                            "stanowisku. Wybierz dokument ponownie."));
}

QTEST_MAIN(CorrectTest)
#include "correct_test.moc"
