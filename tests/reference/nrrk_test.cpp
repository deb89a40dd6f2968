// Cash-report closing: the proposal, the counter on an empty and a
// non-empty ledger, the up-down and the field.
#include "common/testdb.h"
#include "reference/nrrk.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

class NrRkTest : public QObject {
    Q_OBJECT
private slots:
    void savesCounterAndFirstReportOnEmptyLedger_data();
    void savesCounterAndFirstReportOnEmptyLedger();
    void badNumberWritesNothing_data();
    void badNumberWritesNothing();
    void upDownStopsAtItsRange();
    void clickSelectsTheProposal();

private:
    static void Open(TNrRk& dialog) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }
    static QString Stored(TestDb& t) {
        return t
            .Value("SELECT (SELECT DOCID FROM SYSCOUNT WHERE ID_SYSCOUNT='5')||'/'||NRK FROM STANP")
            .toString();
    }
};

void NrRkTest::savesCounterAndFirstReportOnEmptyLedger_data() {
    QTest::addColumn<bool>("documents");
    QTest::addColumn<QString>("typed");  // empty: the proposal is saved
    QTest::addColumn<QString>("stored"); // DOCID/NRK
    QTest::newRow("empty ledger, proposal") << false << ""
                                            << "13/13";
    QTest::newRow("empty ledger, 5") << false << "5"
                                     << "5/5";
    QTest::newRow("documents, proposal") << true << ""
                                         << "13/3";
    QTest::newRow("documents, lower than before") << true << "2"
                                                  << "2/3";
}

void NrRkTest::savesCounterAndFirstReportOnEmptyLedger() {
    QFETCH(bool, documents);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    TestDb t;
    t.Run({"UPDATE SYSCOUNT SET DOCID=12 WHERE ID_SYSCOUNT='5'", "UPDATE STANP SET NRK=3"});
    if (documents)
        t.Run({"INSERT INTO DOKUMENT (DATA,NRDOK,NRPOZ,RODZAJDOK,NRRK,OKRES) "
               "VALUES ('2025-01-10',1,2,'KP',3,1)"});
    TNrRk d;
    Open(d);
    QCOMPARE(d.EdNr->text(), QStringLiteral("13"));
    QCOMPARE(d.focusWidget(), d.EdNr);
    if (!typed.isEmpty())
        d.EdNr->setText(typed);
    d.ZapiszButClick();
    QVERIFY2(t.ui().messages.isEmpty(), qPrintable(t.ui().Texts().join('\n')));
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(Stored(t), stored);
    // With cash reports closed by hand the next document is booked in it.
    t.state().ManualRk = 1;
    QVERIFY(t.db().RunAction([&] { QVERIFY(t.db().PrepareNextDocument(1, 2025)); }));
    QCOMPARE(QString::number(t.db().CurrentNrRk), stored.section('/', 0, 0));
}

void NrRkTest::badNumberWritesNothing_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    const QString number =
        QStringLiteral("Niepoprawny numer. Wpisz liczbę całkowitą samymi cyframi, "
                       "nie większą niż 2147483647.");
    const QString positive = QStringLiteral("Musisz wpisać numer Raportu kasowego większy od 0.");
    QTest::newRow("empty") << "" << positive;
    QTest::newRow("zero") << "0" << positive;
    QTest::newRow("beyond integer range") << "99999999999" << number;
    QTest::newRow("pasted letters") << "1O" << number;
    QTest::newRow("pasted minus") << "-4" << number;
}

void NrRkTest::badNumberWritesNothing() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    TestDb t;
    TNrRk d;
    Open(d);
    d.ZapiszBut->setFocus();
    d.EdNr->setText(typed);
    d.ZapiszButClick();
    QCOMPARE(t.ui().Texts(), QStringList{message});
    QCOMPARE(t.ui().messages.first().caption, QStringLiteral("Błąd"));
    QCOMPARE(t.ui().messages.first().icon, MsgIcon::Exclamation);
    QCOMPARE(d.focusWidget(), d.EdNr);
    QVERIFY(d.isVisible());
    QCOMPARE(Stored(t), QStringLiteral("1/1"));
}

void NrRkTest::upDownStopsAtItsRange() {
    TestDb t;
    t.Run({"UPDATE SYSCOUNT SET DOCID=32766 WHERE ID_SYSCOUNT='5'"});
    TNrRk d;
    Open(d);
    QCOMPARE(d.EdNr->text(), QStringLiteral("32767"));
    d.UpDownBut->UpBut->click();
    QCOMPARE(d.EdNr->text(), QStringLiteral("32767"));
    d.EdNr->setText(QStringLiteral("2"));
    d.UpDownBut->DownBut->click();
    d.UpDownBut->DownBut->click();
    QCOMPARE(d.EdNr->text(), QStringLiteral("1"));
    QTest::keyClick(d.EdNr, Qt::Key_Up);
    QCOMPARE(d.EdNr->text(), QStringLiteral("2"));
    // A typed number is not held to the range.
    d.EdNr->setText(QStringLiteral("40000"));
    d.ZapiszButClick();
    QCOMPARE(t.Value("SELECT DOCID FROM SYSCOUNT WHERE ID_SYSCOUNT='5'").toInt(), 40000);
}

void NrRkTest::clickSelectsTheProposal() {
    TestDb t;
    TNrRk d;
    Open(d);
    QTest::mouseClick(d.EdNr, Qt::LeftButton, {}, QPoint(5, d.EdNr->height() / 2));
    QCOMPARE(d.EdNr->selectedText(), QStringLiteral("2"));
    QTest::keyClicks(d.EdNr, QStringLiteral("17"));
    QCOMPARE(d.EdNr->text(), QStringLiteral("17"));
}

QTEST_MAIN(NrRkTest)
#include "nrrk_test.moc"
