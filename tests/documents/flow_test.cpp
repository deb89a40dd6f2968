// From an empty ledger through the main window's commands: a KP, a cost
// document, a WB and another KP, as the register then shows them.
#include "common/entrywindows.h"
#include "documents/addfv.h"
#include "documents/addkp.h"
#include "documents/addwb.h"
#include "documents/memo.h"
#include "shell/docview.h"

#include <QLineEdit>
#include <QSqlRecord>
#include <QTest>
#include <QToolButton>

class FlowTest : public QObject {
    Q_OBJECT
  private slots:
    void documentsEnteredThroughTheMainWindow();
};

namespace {
bool Through(void (TMain::*command)(), TEntryDialog* dialog, const std::function<void()>& fill) {
    return SaveThrough([command] { (Main->*command)(); }, dialog, fill);
}

void Category(QLineEdit* field, int* id, int value, const QString& name) {
    field->setText(name);
    *id = value;
}
} // namespace

void FlowTest::documentsEnteredThroughTheMainWindow() {
    TestDb t;
    t.Run({QStringLiteral("INSERT INTO PRZYCHODY (ID_PRZYCHODY,NAZWA,US) VALUES (2,'Składki','0')"),
           QStringLiteral("INSERT INTO KOSZTY (ID_KOSZTY,NAZWA,US) VALUES (2,'Czynsz','0')"),
           QStringLiteral("UPDATE STANP SET WARTOSC=100, KASAWARTOSC=100, NRK=1"),
           QStringLiteral("UPDATE PARAMETRY SET AUTOKP=1")});
    EntryWindows w(t);
    for (QToolButton* b : {Main->AddKpBut, Main->AddFvBut, Main->AddWbBut})
        QVERIFY(b->isEnabled());
    QVERIFY(Main->DodajKP1->isEnabled() && Main->DodajFV1->isEnabled() &&
            Main->DodajWB1->isEnabled());

    auto kp = [](const QString& value) {
        return [value] {
            QVERIFY(!AddKp->EdNr->text().isEmpty()); // proposed
            Category(AddKp->EdRodzajP, &AddKp->RodzajPId, 2, QStringLiteral("Składki"));
            AddKp->EdWartoscP->setText(value);
            AddKp->EdOpis->setText(QStringLiteral("Składki"));
        };
    };
    QVERIFY(Through(&TMain::DodajKP1Click, AddKp, kp(QStringLiteral("50"))));
    QVERIFY(Through(&TMain::DodajFV1Click, AddFv, [] {
        Category(AddFv->EdRodzaj, &AddFv->RodzajId, 2, QStringLiteral("Czynsz"));
        AddFv->EdNr->setText(QStringLiteral("FV 1"));
        AddFv->EdWartosc->setText(QStringLiteral("30"));
        AddFv->EdOpis->setText(QStringLiteral("Czynsz"));
    }));
    QVERIFY(Through(&TMain::DodajWB1Click, AddWb, [] {
        AddWb->EdNr->setText(QStringLiteral("WB 1"));
        Category(AddWb->EdRodzajP, &AddWb->RodzajPId, 2, QStringLiteral("Składki"));
        AddWb->EdWartoscP->setText(QStringLiteral("200"));
        AddWb->EdOpis->setText(QStringLiteral("Wyciąg"));
    }));
    QVERIFY(Through(&TMain::DodajKP1Click, AddKp, kp(QStringLiteral("10"))));
    QVERIFY2(t.ui().messages.isEmpty(), qPrintable(t.ui().Texts().join('\n')));

    QStringList shown;
    for (const QSqlRecord& r : DocView->Qglowna->AllRows())
        shown << QStringLiteral("%1 %2 %3 RK%4 okres %5 %6")
                     .arg(r.value("NRDOK").toInt())
                     .arg(r.value("RODZAJDOK").toString(), r.value("NUMER").toString(),
                          r.value("NRRK").isNull() ? QStringLiteral("-")
                                                   : r.value("NRRK").toString())
                     .arg(r.value("OKRES").toInt())
                     .arg(r.value("POZOSTALESR").toDouble());
    QCOMPARE(shown, QStringList({"1 KP 1 RK1 okres 1 150", "2 KW FV 1 RK1 okres 1 120",
                                 "3 WB WB 1 RK- okres 1 320", "4 KP 2 RK2 okres 1 330"}));
    QCOMPARE(DocView->CurrentRow(), 3);
    QCOMPARE(t.Value(QStringLiteral("SELECT DOCID FROM SYSCOUNT WHERE ID_SYSCOUNT='5'")).toInt(),
             2);
}

QTEST_MAIN(FlowTest)
#include "flow_test.moc"
