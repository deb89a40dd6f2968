// Opening values: loading, the lock on a non-empty ledger, the checks in
// their order and the save.
#include "common/testdb.h"
#include "reference/poczatkowe.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
const QString kAmountText =
    QStringLiteral("Niepoprawna kwota. Wpisz kwotę cyframi, z przecinkiem przed groszami "
                   "i najwyżej dwiema cyframi po nim, np. 1250,50.");
const QString kNumberText =
    QStringLiteral("Niepoprawny numer. Wpisz liczbę całkowitą samymi cyframi, "
                   "nie większą niż 2147483647.");
const char* const kStored =
    "SELECT WARTOSC||'/'||KASAWARTOSC||'/'||LICZNIKSTART||'/'||LICZNIKPOZ||'/'||NRK"
    "||'/'||(SELECT DOCID FROM SYSCOUNT WHERE ID_SYSCOUNT='5') FROM STANP";
} // namespace

class PoczatkoweTest : public QObject {
    Q_OBJECT
private slots:
    void showsStoredValuesAndLocksOnADocument();
    void checksInOrder_data();
    void checksInOrder();
    void savesValuesAndCounter();
    void documentEnteredMeanwhileBlocksTheSave();

private:
    static void Open(TPoczatkowe& dialog) {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }
    static void Fill(TPoczatkowe& d, const QStringList& values) {
        const QList<QLineEdit*> edits = {d.EdWartoscC, d.EdWartoscG, d.EdNrDok, d.EdNrPoz,
                                         d.EdNrRk};
        for (int i = 0; i < edits.size(); ++i)
            edits[i]->setText(values[i]);
    }
};

void PoczatkoweTest::showsStoredValuesAndLocksOnADocument() {
    TestDb t;
    t.Run({"UPDATE STANP SET WARTOSC=1234.5, KASAWARTOSC=12.05, LICZNIKSTART=3, LICZNIKPOZ=4, "
           "NRK=5"});
    TPoczatkowe d;
    Open(d);
    QCOMPARE(QStringList({d.EdWartoscC->text(), d.EdWartoscG->text(), d.EdNrDok->text(),
                          d.EdNrPoz->text(), d.EdNrRk->text()}),
             QStringList({"1234,5", "12,05", "3", "4", "5"}));
    QVERIFY(d.LBlokada->isHidden());
    QVERIFY(d.ZapiszBut->isEnabled());
    QCOMPARE(d.focusWidget(), d.EdWartoscC);

    t.Run({"INSERT INTO DOKUMENT (NRDOK,NRPOZ,RODZAJDOK) VALUES (3,4,'KP')"});
    d.hide();
    Open(d);
    QVERIFY(!d.LBlokada->isHidden());
    QCOMPARE(d.LBlokada->text(),
             QStringLiteral("Zapisywanie nimożliwe, ponieważ są już wprowadzone dokumenty."));
    QCOMPARE(d.LBlokada->palette().color(QPalette::WindowText), QColor(Qt::red));
    QVERIFY(!d.ZapiszBut->isEnabled());
    QVERIFY(d.EdNrDok->isEnabled() && !d.EdNrDok->isReadOnly());
    QCOMPARE(d.EdNrRk->text(), QStringLiteral("5"));
}

void PoczatkoweTest::checksInOrder_data() {
    QTest::addColumn<QStringList>("values"); // total, cash, document, line, cash report
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    const QString m5 = QStringLiteral("Musisz wpisać numer początkowy dokumentów większy od 0.");
    const QString m7 =
        QStringLiteral("Musisz wpisać numer początkowy pozycji większy od 1, ponieważ 1 jest "
                       "zarezerwowane dla bilansu początkowego");
    const QString m9 =
        QStringLiteral("Musisz wpisać numer początkowy Raportu kasowego większy od 0.");
    QTest::newRow("1 total empty") << QStringList{"", "", "", "", ""}
                                   << "Musisz wpisać wartość początkową środków lub wpisać 0."
                                   << "EdWartoscC";
    QTest::newRow("2 cash empty")
        << QStringList{"0", "", "", "", ""}
        << "Musisz wpisać wartość początkową gotówki w kasie lub wpisać 0."
        << "EdWartoscG";
    QTest::newRow("3 cash a grosz above")
        << QStringList{"100", "100,01", "", "", ""}
        << "Stan gotówki w kasie nie może być większy od całkowitej wartości "
           "środków."
        << "EdWartoscC";
    QTest::newRow("4 document empty") << QStringList{"100", "100", "", "", ""} << m5 << "EdNrDok";
    QTest::newRow("5 document 0") << QStringList{"100", "100", "0", "", ""} << m5 << "EdNrDok";
    QTest::newRow("6 line empty") << QStringList{"100", "100", "1", "", ""} << m7 + "."
                                  << "EdNrPoz";
    QTest::newRow("7 line 1") << QStringList{"100", "100", "1", "1", ""} << m7 << "EdNrPoz";
    QTest::newRow("8 cash report empty")
        << QStringList{"100", "100", "1", "2", ""} << m9 << "EdNrRk";
    QTest::newRow("9 cash report 0") << QStringList{"100", "100", "1", "2", "0"} << m9 << "EdNrRk";
    // What a paste can bring past the key filters.
    QTest::newRow("letters in total")
        << QStringList{"12a", "0", "1", "2", "1"} << kAmountText << "EdWartoscC";
    QTest::newRow("lone separator")
        << QStringList{"100", ",", "1", "2", "1"} << kAmountText << "EdWartoscG";
    QTest::newRow("full stop") << QStringList{"1.5", "0", "1", "2", "1"} << kAmountText
                               << "EdWartoscC";
    QTest::newRow("three decimals")
        << QStringList{"100", "0,005", "1", "2", "1"} << kAmountText << "EdWartoscG";
    QTest::newRow("beyond integer range")
        << QStringList{"100", "0", "2147483648", "2", "1"} << kNumberText << "EdNrDok";
    QTest::newRow("letters in line")
        << QStringList{"100", "0", "1", "2x", "1"} << kNumberText << "EdNrPoz";
    QTest::newRow("blank before number")
        << QStringList{"100", "0", "1", "2", " 7"} << kNumberText << "EdNrRk";
}

void PoczatkoweTest::checksInOrder() {
    QFETCH(QStringList, values);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    TestDb t;
    const QString before = t.Value(QString::fromLatin1(kStored)).toString();
    TPoczatkowe d;
    Open(d);
    Fill(d, values);
    d.ZapiszButClick();
    QCOMPARE(t.ui().messages.size(), 1);
    QCOMPARE(t.ui().messages.first().caption, QStringLiteral("Błąd"));
    QCOMPARE(t.ui().messages.first().text, message);
    QCOMPARE(t.ui().messages.first().icon, MsgIcon::Exclamation);
    QCOMPARE(d.focusWidget()->objectName(), focus);
    QVERIFY(d.isVisible());
    QCOMPARE(t.Value(QString::fromLatin1(kStored)).toString(), before);
}

void PoczatkoweTest::savesValuesAndCounter() {
    TestDb t;
    TPoczatkowe d;
    Open(d);
    Fill(d, {"1234,5", "1234,5", "5", "2", "7"}); // cash equal to the total is accepted
    d.ZapiszButClick();
    QVERIFY2(t.ui().messages.isEmpty(), qPrintable(t.ui().Texts().join('\n')));
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QVERIFY(!d.isVisible());
    QCOMPARE(t.Value(QString::fromLatin1(kStored)).toString(),
             QStringLiteral("1234.50/1234.50/5/2/7/7"));
}

void PoczatkoweTest::documentEnteredMeanwhileBlocksTheSave() {
    TestDb t;
    TPoczatkowe d;
    Open(d);
    QVERIFY(d.ZapiszBut->isEnabled());
    t.Run(
        {"INSERT INTO DOKUMENT (NRDOK,NRPOZ,RODZAJDOK) VALUES (1,2,'KP')"}); // another workstation
    Fill(d, {"100", "50", "1", "2", "3"});
    d.ZapiszButClick();
    QCOMPARE(t.ui().Texts(), QStringList{QStringLiteral(
                                 "Zapisywanie nimożliwe, ponieważ są już wprowadzone dokumenty.")});
    QVERIFY(!d.LBlokada->isHidden());
    QVERIFY(!d.ZapiszBut->isEnabled());
    QCOMPARE(t.Value(QString::fromLatin1(kStored)).toString(), QStringLiteral("0.00/0.00/1/2/1/1"));
}

QTEST_MAIN(PoczatkoweTest)
#include "poczatkowe_test.moc"
