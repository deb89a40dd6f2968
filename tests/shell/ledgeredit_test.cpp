// The four commands that change the ledger, as a user reaches them: the
// main menu, the register's context menu and the tool bar; what they do on
// an empty register and when the database fails half-way through.
#include "common/entrywindows.h"
#include "common/ledgerbuilder.h"
#include "common/ledgercheck.h"
#include "documents/addfv.h"
#include "documents/addkp.h"
#include "documents/addwb.h"
#include "documents/memo.h"
#include "shell/docview.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>

namespace {

void FillKp(const QString& amount, const QString& opis) {
    AddKp->EdRodzajP->setText(QStringLiteral("P1"));
    AddKp->RodzajPId = 2;
    AddKp->EdWartoscP->setText(amount);
    AddKp->EdNr->setText(QStringLiteral("KP-W"));
    AddKp->EdOpis->setText(opis);
}

// The register as the user reads it: number, kind, description, receipts,
// payments and funds of each line.
QStringList Register() {
    QStringList lines;
    for (const QSqlRecord& r : DocView->Qglowna->AllRows())
        lines << QStringLiteral("%1 %2 %3 %4 %5 %6")
                     .arg(r.value("NRDOK").toInt())
                     .arg(r.value("RODZAJDOK").toString(), r.value("OPIS").toString())
                     .arg(r.value("PRZYCHOD").toDouble())
                     .arg(r.value("ROZCHOD").toDouble())
                     .arg(r.value("POZOSTALESR").toDouble());
    return lines;
}

} // namespace

class LedgerEditTest : public QObject {
    Q_OBJECT
  private slots:
    void emptyRegister();
    void failureHalfWay_data();
    void failureHalfWay();
    void staleRegister();
    void fourCommandsThroughTheWindows();
};

// Nothing to act on: the commands say so and open no dialog; a KP whose
// "Wstaw przed" box is ticked by hand stays open with its input.
void LedgerEditTest::emptyRegister() {
    TestDb t;
    AddCategories(t, 1, 1);
    EntryWindows w(t);
    const QList<void (TMain::*)()> commands = {&TMain::Wstawprzed1Click, &TMain::Wstawprzed2Click,
                                               &TMain::Wstawprzed3Click, &TMain::Popraw1Click};
    for (auto command : commands)
        QVERIFY(!Within([&] { (w.main().*command)(); }, nullptr, [] {}));
    QCOMPARE(t.ui().Texts(), QStringList(4, QStringLiteral("Musisz wybrać pozycję.")));
    for (const auto& m : t.ui().messages) {
        QCOMPARE(m.caption, QStringLiteral("Błąd"));
        QCOMPARE(m.icon, MsgIcon::Exclamation);
    }

    t.ui().Clear();
    QVERIFY(!SaveThrough([&] { w.main().DodajKP1Click(); }, AddKp,
                         [] {
                             FillKp(QStringLiteral("20"), QStringLiteral("Wpłata"));
                             AddKp->CheckWstaw->setChecked(true);
                         }));
    QCOMPARE(t.ui().Texts(), QStringList{QStringLiteral("Musisz wybrać pozycję.")});
    QCOMPARE(AddKp->EdOpis->text(), QStringLiteral("Wpłata"));
    QCOMPARE(t.Value(QStringLiteral("SELECT COUNT(*) FROM DOKUMENT")).toInt(), 0);
}

void LedgerEditTest::failureHalfWay_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("selected");
    QTest::newRow("insert before") << "insert" << 2;
    QTest::newRow("correct a KP") << "KP" << 3;
    QTest::newRow("correct a cost document") << "KW" << 2;
}

// The database refuses to rebalance document 4 once the renumbering and the
// writing are done: nothing of the command stays, the user reads why, and
// the dialog keeps its input for another try.
void LedgerEditTest::failureHalfWay() {
    QFETCH(QString, command);
    QFETCH(int, selected);
    TestDb t;
    AddCategories(t, 1, 1);
    WriteLedger(t, {Kp(100), Kw(20), Kp(30), Kp(5), Kw(1)});
    t.Run({QStringLiteral("CREATE EXCEPTION E_TEST 'awaria w trakcie'"),
           QStringLiteral("CREATE TRIGGER T_TEST FOR DOKUMENT BEFORE UPDATE AS BEGIN "
                          "IF (OLD.NRDOK >= 4 AND NEW.POZOSTALESR <> OLD.POZOSTALESR) THEN "
                          "EXCEPTION E_TEST; END")});
    EntryWindows w(t);
    const QString before = LedgerSnapshot(t.db());
    SelectDocument(selected);

    TEntryDialog* dialog = command == QLatin1String("KW") ? static_cast<TEntryDialog*>(AddFv)
                                                          : static_cast<TEntryDialog*>(AddKp);
    QLineEdit* kept = command == QLatin1String("KW") ? AddFv->EdWartosc : AddKp->EdWartoscP;
    auto open = [&] {
        if (command == QLatin1String("insert"))
            w.main().Wstawprzed1Click();
        else
            w.main().Popraw1Click();
    };
    bool stayedOpen = false;
    QVERIFY(Within(open, dialog, [&] {
        if (command == QLatin1String("insert"))
            FillKp(QStringLiteral("7"), QStringLiteral("Wstawiony"));
        kept->setText(QStringLiteral("7"));
        QMetaObject::invokeMethod(dialog, "ZapiszButClick");
        stayedOpen = dialog->isVisible() && kept->text() == QLatin1String("7");
    }));
    QVERIFY(stayedOpen);
    QCOMPARE(LedgerSnapshot(t.db()), before);
    QCOMPARE(t.ui().messages.size(), 1);
    QCOMPARE(t.ui().messages.first().caption, QStringLiteral("Błąd"));
    QVERIFY2(t.ui().Texts().first().contains(QLatin1String("awaria w trakcie")),
             qPrintable(t.ui().Texts().first()));
}

// Another workstation changed the ledger after the register was read: the
// commands take the selected document as it is now, and one that is gone
// is refused with nothing written.
void LedgerEditTest::staleRegister() {
    TestDb t;
    AddCategories(t, 1, 1);
    WriteLedger(t, {Kp(100), Kp(20), Kp(30)});
    EntryWindows w(t);
    SelectDocument(2);
    t.Run({QStringLiteral("UPDATE DOKUMENT SET NRRK=4 WHERE NRDOK>=2")});
    QVERIFY(SaveThrough([&] { w.main().Wstawprzed1Click(); }, AddKp,
                        [] { FillKp(QStringLiteral("5"), QStringLiteral("Wstawiony")); }));
    QCOMPARE(t.Value(QStringLiteral("SELECT NRRK FROM DOKUMENT WHERE OPIS='Wstawiony'")).toInt(),
             4);

    t.Run({QStringLiteral("DELETE FROM DOKUMENT WHERE NRDOK=4")});
    const QString before = LedgerSnapshot(t.db());
    const QString gone = QStringLiteral("Wybranego dokumentu nie ma już w bazie, zmieniono go na "
                                        "innym stanowisku. Wybierz dokument ponownie.");
    t.ui().Clear();
    QVERIFY(!SaveThrough([&] { w.main().Wstawprzed1Click(); }, AddKp,
                         [] { FillKp(QStringLiteral("5"), QStringLiteral("Drugi")); }));
    QVERIFY(!Within([&] { w.main().Popraw1Click(); }, nullptr, [] {}));
    QCOMPARE(t.ui().Texts(), QStringList({gone, gone}));
    QCOMPARE(LedgerSnapshot(t.db()), before);
}

// A treasurer's afternoon: a forgotten KP inserted from the main menu, a
// wrong amount corrected from the register's menu, a spoiled voucher
// cancelled from the main menu, a duplicate deleted with the tool bar.
void LedgerEditTest::fourCommandsThroughTheWindows() {
    TestDb t;
    AddCategories(t, 1, 1);
    t.Run({QStringLiteral("UPDATE STANP SET WARTOSC=100")});
    WriteLedger(t, {Kp(50), Kw(30), Kp(10)});
    EntryWindows w(t);
    TMain& main = w.main();
    for (QAction* a : {main.Wstawprzed1, main.Wstawprzed2, main.Wstawprzed3, main.Popraw1,
                       main.Usu1, main.Anulujdok1, DocView->Wstawprzed1, DocView->Wstawprzed2,
                       DocView->Wstawprzed3, DocView->Popraw1, DocView->Usu1, DocView->Anuluj1})
        QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
    QVERIFY(main.UsunBut->isEnabled());

    SelectDocument(2);
    QVERIFY(SaveThrough([&] { main.Wstawprzed1->trigger(); }, AddKp,
                        [] { FillKp(QStringLiteral("25"), QStringLiteral("Zapomniana wpłata")); }));
    QCOMPARE(SelectedDocument(), 4);

    SelectDocument(3);
    QVERIFY(SaveThrough([] { DocView->Popraw1->trigger(); }, AddFv,
                        [] { AddFv->EdWartosc->setText(QStringLiteral("35")); }));
    QCOMPARE(SelectedDocument(), 3);

    SelectDocument(1);
    t.ui().Answer(true);
    main.Anulujdok1->trigger();

    SelectDocument(4);
    t.ui().Answer(true);
    main.UsunBut->click();

    QCOMPARE(Register(), QStringList({"1 KP Anulowany 0 0 100", "2 KP Zapomniana wpłata 25 0 125",
                                      "3 KW Dokument 2 0 35 90"}));
    QCOMPARE(SelectedDocument(), 3);
    QCOMPARE(CheckLedger(t.db()), QString());
    QCOMPARE(CheckDocCounter(t.db()), QString());
    QCOMPARE(t.ui().Texts(),
             QStringList({QStringLiteral("Czy na pewno chcesz anulować wybraną pozycję"),
                          QStringLiteral("Czy na pewno chcesz usunąć wybraną pozycję")}));
}

QTEST_MAIN(LedgerEditTest)
#include "ledgeredit_test.moc"
