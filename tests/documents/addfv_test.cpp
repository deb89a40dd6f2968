// The cost-document dialog: KW number proposal, checks, cover checks and the
// line it writes.
#include "documents/memo.h"
#include "entryfixture.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QSqlRecord>

class AddFvTest : public QObject {
    Q_OBJECT
  private slots:
    void kwNumberProposal_data();
    void kwNumberProposal();
    void checks_data();
    void checks();
    void coverChecks_data();
    void coverChecks();
    void writesLine_data();
    void writesLine();
    void printTickedShowsVoucher();
    void textsLimitedToTheirColumns();
    void keyFilters();
};

namespace {
void Fill(const QString& rodzaj, const QString& nr, const QString& wartosc, const QString& opis,
          const QString& nrKw = QString(), const QString& komu = QString()) {
    AddFv->EdRodzaj->setText(rodzaj);
    AddFv->RodzajId = rodzaj.isEmpty() ? 0 : 3;
    AddFv->EdNr->setText(nr);
    AddFv->EdWartosc->setText(wartosc);
    AddFv->EdOpis->setText(opis);
    AddFv->EdNrKw->setText(nrKw);
    AddFv->EdKomu->setText(komu);
}

void OpenNew(EntryFixture& f) {
    Main->EntryMode = 1;
    QVERIFY(AddFv->PrepareNewDocument());
    EntryFixture::Show(AddFv);
    f.t.ui().Clear();
}

const QString kFundsMessage =
    QStringLiteral("Zbyt duża wartość kosztów, przekracza całkowitą wartość posiadanych środków.");
const QString kCashMessage = QStringLiteral("Zbyt duży rozchód, nie ma tyle gotówki w kasie.");
} // namespace

void AddFvTest::kwNumberProposal_data() {
    QTest::addColumn<QStringList>("kws"); // NRKW of the KW lines by position; "-" = none
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("warned");
    QTest::newRow("no KW yet") << QStringList{} << "1" << false;
    QTest::newRow("after 41") << QStringList{"40", "41"} << "42" << false;
    QTest::newRow("after 41/A") << QStringList{"41/A"} << "" << true;
    QTest::newRow("after a KW without number") << QStringList{"41", "-"} << "" << true;
}

void AddFvTest::kwNumberProposal() {
    QFETCH(QStringList, kws);
    QFETCH(QString, expected);
    QFETCH(bool, warned);
    EntryFixture f;
    QStringList sql = {
        QStringLiteral("INSERT INTO DOKUMENT (DATA,NRDOK,NRPOZ,RODZAJDOK,NUMER,NRKW) "
                       "VALUES ('2011-05-20',50,50,'KP','77','99')")};
    for (int i = 0; i < kws.size(); ++i)
        sql << QStringLiteral("INSERT INTO DOKUMENT (DATA,NRDOK,NRPOZ,RODZAJDOK,NRKW) VALUES "
                              "('2011-05-%1',%1,%1,'KW',%2)")
                   .arg(i + 10)
                   .arg(kws[i] == QLatin1String("-") ? QStringLiteral("NULL") : "'" + kws[i] + "'");
    f.t.Run(sql);
    Fill(QStringLiteral("Czynsz"), QStringLiteral("FV 1"), QStringLiteral("5"), QStringLiteral("x"),
         QStringLiteral("7"), QStringLiteral("Jan"));
    QVERIFY(AddFv->PrepareNewDocument());
    QCOMPARE(AddFv->EdNrKw->text(), expected);
    QCOMPARE(f.t.ui().messages.size(), warned ? 1 : 0);
    if (warned) {
        QCOMPARE(f.t.ui().messages.first().caption, QStringLiteral("Ostrzeżenie"));
        QCOMPARE(f.t.ui().messages.first().icon, MsgIcon::Exclamation);
        QCOMPARE(
            f.t.ui().messages.first().text,
            QStringLiteral(
                "Nieprawidłowy format ostatniego numeru KW, nie można ustanowić kolejnego numeru "
                "automatycznie."));
    }
    for (QLineEdit* e : {AddFv->EdRodzaj, AddFv->EdNr, AddFv->EdWartosc})
        QCOMPARE(e->text(), QString());
    QCOMPARE(AddFv->EdOpis->text(), QString());
    QCOMPARE(AddFv->EdKomu->text(), QString());
    QCOMPARE(AddFv->RodzajId, 0);
    QCOMPARE(AddFv->EdData->minimumDate(), QDate(2011, 5, 20));
}

void AddFvTest::checks_data() {
    QTest::addColumn<QStringList>("fields"); // rodzaj, nr, wartosc, opis, nrKw, komu
    QTest::addColumn<bool>("print");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("focus");
    QTest::newRow("1 no category")
        << QStringList{"", "", "", "", "", ""} << true << "Musisz wybrać rodzaj kosztu."
        << "Dane"
        << "EdRodzaj";
    QTest::newRow("2 no invoice number")
        << QStringList{"Czynsz", "", "", "", "", ""} << true << "Musisz wpisać nr Faktury."
        << "Dane"
        << "EdNr";
    QTest::newRow("3 no value") << QStringList{"Czynsz", "FV 1", "", "", "", ""} << true
                                << "Musisz wpisać wartość rozchodu."
                                << "Dane"
                                << "EdWartosc";
    QTest::newRow("4 zero value") << QStringList{"Czynsz", "FV 1", "0", "", "", ""} << true
                                  << "Musisz wpisać wartość rozchodu większą od 0."
                                  << "Dane"
                                  << "EdWartosc";
    QTest::newRow("5 no description")
        << QStringList{"Czynsz", "FV 1", "0,01", "", "", ""} << true << "Musisz wpisać opis."
        << "Dane"
        << "EdOpis";
    QTest::newRow("6 printing without KW number")
        << QStringList{"Czynsz", "FV 1", "1", "\n", "", ""} << true
        << "Jeśli chcesz drukować KW, to musisz wpisać nr KW."
        << "KW"
        << "EdNrKw";
    QTest::newRow("7 printing without recipient")
        << QStringList{"Czynsz", "FV 1", "1", "x", "3", ""} << true
        << "Jeśli chcesz drukować KW, to musisz wypełnić pole Komu."
        << "KW"
        << "EdKomu";
    QTest::newRow("value beyond the money columns")
        << QStringList{"Czynsz", "FV 1", "1000000000", "x", "", ""} << false
        << "Zbyt duża kwota. Największa kwota, jaką można zapisać, to "
           "999\u00a0999\u00a0999,99."
        << "Dane"
        << "EdWartosc";
}

void AddFvTest::checks() {
    QFETCH(QStringList, fields);
    QFETCH(bool, print);
    QFETCH(QString, message);
    QFETCH(QString, tab);
    QFETCH(QString, focus);
    EntryFixture f;
    f.Opening(QStringLiteral("5000"), QStringLiteral("5000"));
    OpenNew(f);
    Fill(fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]);
    AddFv->CheckKw->setChecked(print);
    AddFv->PageControl1->setCurrentIndex(tab == QLatin1String("Dane") ? 1 : 0);
    AddFv->ZapiszButClick();
    ExpectRefused(f, AddFv, message, tab, focus);
}

void AddFvTest::coverChecks_data() {
    QTest::addColumn<QString>("funds");
    QTest::addColumn<QString>("cash");
    QTest::addColumn<QString>("ledger"); // an earlier document: kind, in, out, balance; "" = none
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("message"); // "" = saved
    QTest::addColumn<double>("balance");
    QTest::newRow("cost equal to the funds") << "100"
                                             << "100"
                                             << ""
                                             << "100"
                                             << "" << 0.0;
    QTest::newRow("one grosz more") << "100"
                                    << "100"
                                    << ""
                                    << "100,01" << kFundsMessage << 0.0;
    QTest::newRow("funds in the bank, not in the till") << "100"
                                                        << "100"
                                                        << "'WB',500,0,600"
                                                        << "150" << kCashMessage << 0.0;
    QTest::newRow("cash from a KP") << "0"
                                    << "0"
                                    << "'KP',300,0,300"
                                    << "300"
                                    << "" << 0.0;
    QTest::newRow("funds after the last document") << "0"
                                                   << "1000"
                                                   << "'KW',0,80,-80"
                                                   << "5" << kFundsMessage << 0.0;
}

void AddFvTest::coverChecks() {
    QFETCH(QString, funds);
    QFETCH(QString, cash);
    QFETCH(QString, ledger);
    QFETCH(QString, amount);
    QFETCH(QString, message);
    QFETCH(double, balance);
    EntryFixture f;
    f.Opening(funds, cash);
    if (!ledger.isEmpty())
        f.t.Run(
            {QStringLiteral("INSERT INTO DOKUMENT "
                            "(DATA,NRDOK,NRPOZ,OKRES,NRRK,RODZAJDOK,PRZYCHOD,ROZCHOD,POZOSTALESR) "
                            "VALUES ('2011-02-01',1,2,1,1,%1)")
                 .arg(ledger)});
    const int before = f.Count();
    OpenNew(f);
    AddFv->EdData->setDate(QDate(2011, 2, 10));
    Fill(QStringLiteral("Czynsz"), QStringLiteral("FV 1"), amount,
         QStringLiteral("Czynsz za luty"));
    AddFv->ZapiszButClick();
    if (message.isEmpty()) {
        QVERIFY2(f.t.ui().messages.isEmpty(), qPrintable(f.t.ui().Texts().join('\n')));
        QVERIFY(!AddFv->isVisible());
        QCOMPARE(f.Count(), before + 1);
        QCOMPARE(
            f.t.Value(QStringLiteral(
                          "SELECT POZOSTALESR FROM DOKUMENT WHERE RODZAJDOK='KW' AND NUMER='FV 1'"))
                .toDouble(),
            balance);
    } else {
        QCOMPARE(f.t.ui().Texts(), QStringList{message});
        QCOMPARE(f.t.ui().messages.first().caption, QStringLiteral("Błąd"));
        QCOMPARE(f.t.ui().messages.first().icon, MsgIcon::Exclamation);
        QVERIFY(AddFv->isVisible());
        QCOMPARE(AddFv->EdWartosc->text(), amount);
        QCOMPARE(f.Count(), before);
    }
}

void AddFvTest::writesLine_data() {
    QTest::addColumn<QString>("nrKw");
    QTest::newRow("with KW number") << "KW/12";
    QTest::newRow("without KW number: NULL") << "";
}

void AddFvTest::writesLine() {
    QFETCH(QString, nrKw);
    EntryFixture f;
    f.Categories({}, {QStringLiteral("Czynsz"), QStringLiteral("Papier")});
    f.Opening(QStringLiteral("200"), QStringLiteral("200"));
    f.t.Run({QStringLiteral("UPDATE STANP SET LICZNIKSTART=3, LICZNIKPOZ=8, NRK=4")});
    OpenNew(f);
    AddFv->EdData->setDate(QDate(2012, 9, 3));
    Fill(QStringLiteral("Papier"), QStringLiteral("FV 7/2012"), QStringLiteral("49,9"),
         QStringLiteral("Ryza papieru"), nrKw, QStringLiteral("Hurtownia\nul. Długa 5"));
    AddFv->ZapiszButClick();
    QVERIFY2(f.t.ui().messages.isEmpty(), qPrintable(f.t.ui().Texts().join('\n')));
    const auto rows = DB->Select(QStringLiteral("SELECT * FROM DOKUMENT"));
    QCOMPARE(rows.size(), 1);
    const QSqlRecord& r = rows.first();
    QCOMPARE(r.value("DATA").toDate(), QDate(2012, 9, 3));
    QCOMPARE(r.value("PRZYCHOD").toDouble(), 0.0);
    QCOMPARE(r.value("ROZCHOD").toDouble(), 49.9);
    QCOMPARE(r.value("NRDOK").toInt(), 3);
    QCOMPARE(r.value("NRPOZ").toInt(), 8);
    QCOMPARE(r.value("RODZAJP").toInt(), 1);
    QCOMPARE(r.value("RODZAJK").toInt(), 3);
    QCOMPARE(r.value("RODZAJDOK").toString(), QStringLiteral("KW"));
    QCOMPARE(r.value("NUMER").toString(), QStringLiteral("FV 7/2012"));
    QCOMPARE(r.value("OPIS").toString(), QStringLiteral("Ryza papieru"));
    QCOMPARE(r.value("POZOSTALESR").toDouble(), 150.1);
    QCOMPARE(r.value("OKRES").toInt(), 1);
    QCOMPARE(r.value("NRRK").toInt(), 4);
    QCOMPARE(r.value("KTO").toString(), QStringLiteral("Hurtownia\nul. Długa 5"));
    QCOMPARE(r.value("NRKW").isNull(), nrKw.isEmpty());
    QCOMPARE(r.value("NRKW").toString(), nrKw);
    QCOMPARE(f.t.Value(QStringLiteral("SELECT DOCID FROM SYSCOUNT WHERE ID_SYSCOUNT='5'")).toInt(),
             4);
}

void AddFvTest::printTickedShowsVoucher() {
    EntryFixture f;
    f.Opening(QStringLiteral("100"), QStringLiteral("100"));
    OpenNew(f);
    Fill(QStringLiteral("Czynsz"), QStringLiteral("FV 1"), QStringLiteral("10"),
         QStringLiteral("x"), QStringLiteral("1"), QStringLiteral("Jan"));
    QVERIFY(AddFv->CheckKw->isEnabled());
    AddFv->CheckKw->setChecked(true);
    QCOMPARE(PreviewsShownBy([] { AddFv->ZapiszButClick(); }), 1);
    QVERIFY(!AddFv->isVisible());
    // Refused by the funds check: nothing to print.
    OpenNew(f);
    Fill(QStringLiteral("Czynsz"), QStringLiteral("FV 2"), QStringLiteral("95"),
         QStringLiteral("x"), QStringLiteral("2"), QStringLiteral("Jan"));
    AddFv->CheckKw->setChecked(true);
    QCOMPARE(PreviewsShownBy([] { AddFv->ZapiszButClick(); }), 0);
    QCOMPARE(f.t.ui().Texts(), QStringList{kFundsMessage});
    QCOMPARE(f.Count(), 1);
}

void AddFvTest::textsLimitedToTheirColumns() {
    EntryFixture f;
    f.Opening(QStringLiteral("100"), QStringLiteral("100"));
    OpenNew(f);
    Fill(QStringLiteral("Czynsz"), QStringLiteral("FV 1"), QStringLiteral("1"),
         QStringLiteral("x"));
    QTest::keyClicks(AddFv->EdNrKw, QString(25, QLatin1Char('7')));
    AddFv->EdKomu->setText(QString(299, QLatin1Char('k')));
    AddFv->EdKomu->moveCursor(QTextCursor::End);
    QTest::keyClicks(AddFv->EdKomu, QStringLiteral("abc"));
    QCOMPARE(AddFv->EdNrKw->text().size(), 20);
    QCOMPARE(AddFv->EdKomu->text(), QString(299, QLatin1Char('k')) + QLatin1Char('a'));
    AddFv->EdKomu->setText(QString(400, QLatin1Char('z')));
    QCOMPARE(AddFv->EdKomu->text().size(), 300);
    AddFv->ZapiszButClick();
    QVERIFY2(f.t.ui().messages.isEmpty(), qPrintable(f.t.ui().Texts().join('\n')));
    QCOMPARE(f.t.Value(QStringLiteral("SELECT NRKW FROM DOKUMENT")).toString(),
             QString(20, QLatin1Char('7')));
    QCOMPARE(f.t.Value(QStringLiteral("SELECT KTO FROM DOKUMENT")).toString(),
             QString(300, QLatin1Char('z')));
}

void AddFvTest::keyFilters() {
    EntryFixture f;
    OpenNew(f);
    QTest::keyClicks(AddFv->EdWartosc, QStringLiteral("1.2,3,a4"));
    QCOMPARE(AddFv->EdWartosc->text(), QStringLiteral("12,34"));
    AddFv->EdWartosc->clear();
    QTest::keyClick(AddFv->EdWartosc, Qt::Key_Comma);
    QCOMPARE(AddFv->EdWartosc->text(), QString());
    QVERIFY(f.t.ui().messages.isEmpty());
    QTest::keyClick(AddFv->EdRodzaj, Qt::Key_C);
    QCOMPARE(AddFv->EdRodzaj->text(), QString());
    QCOMPARE(f.t.ui().Texts(), QStringList{QStringLiteral(
                                   "Nie można tu nic wpisywać ręcznie, należy wybrać z listy.")});
}

QTEST_MAIN(AddFvTest)
#include "addfv_test.moc"
