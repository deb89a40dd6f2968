// The WB dialog: pairs, zero statement, checks and the lines it writes.
#include "documents/memo.h"
#include "entryfixture.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QSqlRecord>
#include <QToolButton>

class AddWbTest : public QObject {
    Q_OBJECT
  private slots:
    void checks_data();
    void checks();
    void writesLines_data();
    void writesLines();
    void secondPairsEnabledByTyping();
    void zeroStatementEnteredAndLeft();
    void openerKeepsNumber();
    void removeClearsPair();
    void secondRevenueAmountCheckedWithItsCategory();
};

namespace {
// Pairs given as category:amount ("" = empty pair); ids: P 2, K 3, KD 4, PD 5.
struct WbInput {
    QString nr, k, p, kd, pd, opis;
};

void SetPair(QLineEdit* category, QLineEdit* amount, int* id, int idValue, const QString& pair) {
    const QStringList parts = pair.split(QLatin1Char(':'));
    category->setText(parts.value(0));
    amount->setText(parts.value(1));
    *id = parts.value(0).isEmpty() ? 0 : idValue;
}

void Fill(const WbInput& in) {
    AddWb->EdNr->setText(in.nr);
    AddWb->EnableSecondCost();
    AddWb->EnableSecondRevenue();
    SetPair(AddWb->EdRodzajK, AddWb->EdWartoscK, &AddWb->RodzajKId, 3, in.k);
    SetPair(AddWb->EdRodzajP, AddWb->EdWartoscP, &AddWb->RodzajPId, 2, in.p);
    SetPair(AddWb->EdRodzajKD, AddWb->EdWartoscKD, &AddWb->RodzajKDId, 4, in.kd);
    SetPair(AddWb->EdRodzajPD, AddWb->EdWartoscPD, &AddWb->RodzajPDId, 5, in.pd);
    AddWb->EdOpis->setText(in.opis);
}

void OpenNew(EntryFixture& f) {
    Main->EntryMode = 1;
    QVERIFY(AddWb->PrepareNewDocument());
    EntryFixture::Show(AddWb);
    f.t.ui().Clear();
}

const QString kFundsMessage =
    QStringLiteral("Zbyt duża wartość kosztów, przekracza całkowitą wartość posiadanych środków.");
} // namespace

void AddWbTest::checks_data() {
    QTest::addColumn<QStringList>("fields"); // nr, k, p, kd, pd, opis
    QTest::addColumn<bool>("zero");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    const QString cost = QStringLiteral("Musisz wybrać rodzaj kosztu.");
    const QString costValue = QStringLiteral("Musisz wpisać wartość kosztu.");
    const QString revenue = QStringLiteral("Musisz wybrać rodzaj przychodu.");
    const QString revenueValue = QStringLiteral("Musisz wpisać wartość przychodu.");
    QTest::newRow("1 no number") << QStringList{"", "", "", "", "", ""} << true
                                 << "Musisz wpisać nr WB."
                                 << "EdNr";
    QTest::newRow("2 no category") << QStringList{"3", "", "", ":5", ":1", ""} << false
                                   << "Musisz wybrać rodzaj kosztu lub przychodu."
                                   << "EdRodzajK";
    QTest::newRow("3 cost without value")
        << QStringList{"3", "Opłaty", "", "", "", ""} << false << costValue << "EdWartoscK";
    QTest::newRow("4 cost value without category")
        << QStringList{"3", ":5", "Odsetki", "", "", ""} << false << cost << "EdRodzajK";
    QTest::newRow("5 revenue without value") << QStringList{"3", "Opłaty:5", "Odsetki", "", "", ""}
                                             << false << revenueValue << "EdWartoscP";
    QTest::newRow("6 revenue value without category")
        << QStringList{"3", "Opłaty:5", ":1", "", "", ""} << false << revenue << "EdRodzajP";
    QTest::newRow("7 second cost without value")
        << QStringList{"3", "Opłaty:5", "", "Prowizja", "", ""} << false << costValue
        << "EdWartoscKD";
    QTest::newRow("8 second cost value without category")
        << QStringList{"3", "Opłaty:5", "", ":2", "", ""} << false << cost << "EdRodzajKD";
    QTest::newRow("9 second revenue without value")
        << QStringList{"3", "Opłaty:5", "", "", "Odsetki", ""} << false << revenueValue
        << "EdWartoscPD";
    QTest::newRow("10 second revenue value without category")
        << QStringList{"3", "Opłaty:5", "", "", ":4", ""} << false << revenue << "EdRodzajPD";
    QTest::newRow("11 no description")
        << QStringList{"3", "Opłaty:0", "", "", "", ""} << false << "Musisz wpisać opis."
        << "EdOpis";
    QTest::newRow("zero statement: description only")
        << QStringList{" ", "", "", "", "", ""} << true << "Musisz wpisać opis."
        << "EdOpis";
    QTest::newRow("second revenue a lone comma")
        << QStringList{"3", "", "Odsetki:1", "", "Odsetki:,", "x"} << false
        << "Wpisana wartość „,” nie jest poprawną kwotą."
        << "EdWartoscPD";
    QTest::newRow("amount beyond the money columns")
        << QStringList{"3", "Opłaty:1000000000", "", "", "", "x"} << false
        << "Zbyt duża kwota. Największa kwota, jaką można zapisać, to 999\u00a0999\u00a0999,99."
        << "EdWartoscK";
}

void AddWbTest::checks() {
    QFETCH(QStringList, fields);
    QFETCH(bool, zero);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    EntryFixture f;
    f.Opening(QStringLiteral("5000"));
    OpenNew(f);
    AddWb->CheckZero->setChecked(zero);
    if (zero) {
        AddWb->EdNr->setText(fields[0]);
        AddWb->EdOpis->setText(fields[5]);
    } else {
        Fill({fields[0], fields[1], fields[2], fields[3], fields[4], fields[5]});
    }
    AddWb->ZapiszBut->setFocus();
    AddWb->ZapiszButClick();
    ExpectRefused(f, AddWb, message, QString(), focus);
}

void AddWbTest::writesLines_data() {
    QTest::addColumn<QString>("funds");
    QTest::addColumn<QStringList>("pairs"); // k, p, kd, pd; "zero" alone = zero statement
    QTest::addColumn<QStringList>("lines"); // PRZYCHOD/ROZCHOD/RODZAJP/RODZAJK
    QTest::addColumn<double>("balance");
    QTest::addColumn<QString>("message");
    QTest::newRow("revenue only") << "500" << QStringList{"", "Odsetki:100", "", ""}
                                  << QStringList{"100/0/2/1"} << 600.0 << "";
    QTest::newRow("cost only") << "500" << QStringList{"Opłaty:120,50", "", "", ""}
                               << QStringList{"0/120.5/1/3"} << 379.5 << "";
    QTest::newRow("both sides in one line")
        << "500" << QStringList{"Opłaty:30", "Odsetki:100", "", ""} << QStringList{"100/30/2/3"}
        << 570.0 << "";
    QTest::newRow("two pairs") << "500"
                               << QStringList{"Opłaty:30", "Odsetki:100", "Prowizja:20", ""}
                               << QStringList{"100/30/2/3", "0/20/1/4"} << 550.0 << "";
    QTest::newRow("second revenue") << "500" << QStringList{"", "Odsetki:10", "", "Wpłata:5,5"}
                                    << QStringList{"10/0/2/1", "5.5/0/5/1"} << 515.5 << "";
    QTest::newRow("all four, funds to zero")
        << "20" << QStringList{"Opłaty:30", "Odsetki:10", "Prowizja:5", "Wpłata:5"}
        << QStringList{"10/30/2/3", "5/5/5/4"} << 0.0 << "";
    QTest::newRow("zero statement")
        << "500" << QStringList{"zero"} << QStringList{"0/0/1/1"} << 500.0 << "";
    QTest::newRow("total below zero refused")
        << "50" << QStringList{"Opłaty:50,01", "", "", ""} << QStringList{} << 0.0 << kFundsMessage;
    QTest::newRow("zero statement on negative funds refused")
        << "-10" << QStringList{"zero"} << QStringList{} << 0.0 << kFundsMessage;
}

void AddWbTest::writesLines() {
    QFETCH(QString, funds);
    QFETCH(QStringList, pairs);
    QFETCH(QStringList, lines);
    QFETCH(double, balance);
    QFETCH(QString, message);
    EntryFixture f;
    f.Opening(funds);
    f.t.Run({QStringLiteral("UPDATE STANP SET LICZNIKSTART=4, LICZNIKPOZ=9, NRK=6")});
    OpenNew(f);
    AddWb->EdData->setDate(QDate(2011, 11, 30));
    if (pairs == QStringList{"zero"}) {
        AddWb->CheckZero->setChecked(true);
        AddWb->EdNr->setText(QStringLiteral("WB 11"));
        AddWb->EdOpis->setText(QStringLiteral("Wyciąg za listopad"));
    } else {
        Fill({QStringLiteral("WB 11"), pairs[0], pairs[1], pairs[2], pairs[3],
              QStringLiteral("Wyciąg za listopad")});
    }
    AddWb->ZapiszButClick();
    if (!message.isEmpty()) {
        QCOMPARE(f.t.ui().Texts(), QStringList{message});
        QCOMPARE(f.t.ui().messages.first().icon, MsgIcon::Exclamation);
        QVERIFY(AddWb->isVisible());
        QCOMPARE(f.Count(), 0);
        return;
    }
    QVERIFY2(f.t.ui().messages.isEmpty(), qPrintable(f.t.ui().Texts().join('\n')));
    QVERIFY(!AddWb->isVisible());
    const auto rows = DB->Select(QStringLiteral("SELECT * FROM DOKUMENT ORDER BY ID_DOKUMENT"));
    QStringList written;
    for (const QSqlRecord& r : rows) {
        written << QStringLiteral("%1/%2/%3/%4")
                       .arg(r.value("PRZYCHOD").toDouble())
                       .arg(r.value("ROZCHOD").toDouble())
                       .arg(r.value("RODZAJP").toInt())
                       .arg(r.value("RODZAJK").toInt());
        QCOMPARE(r.value("NRDOK").toInt(), 4);
        QCOMPARE(r.value("NRPOZ").toInt(), 9);
        QCOMPARE(r.value("DATA").toDate(), QDate(2011, 11, 30));
        QCOMPARE(r.value("RODZAJDOK").toString(), QStringLiteral("WB"));
        QCOMPARE(r.value("NUMER").toString(), QStringLiteral("WB 11"));
        QCOMPARE(r.value("OPIS").toString(), QStringLiteral("Wyciąg za listopad"));
        QCOMPARE(r.value("OKRES").toInt(), 1);
        QCOMPARE(r.value("POZOSTALESR").toDouble(), balance); // after the whole statement
        QVERIFY(r.value("NRRK").isNull());
        QVERIFY(r.value("KTO").isNull());
        QVERIFY(r.value("NRKW").isNull());
    }
    QCOMPARE(written, lines);
    QCOMPARE(f.t.Value(QStringLiteral("SELECT DOCID FROM SYSCOUNT WHERE ID_SYSCOUNT='5'")).toInt(),
             1);
}

void AddWbTest::secondPairsEnabledByTyping() {
    EntryFixture f;
    OpenNew(f);
    const QList<QWidget*> cost = {AddWb->LabelRodzajKD, AddWb->LabelWartoscKD, AddWb->AddRodzajKD,
                                  AddWb->EdRodzajKD, AddWb->EdWartoscKD};
    const QList<QWidget*> revenue = {AddWb->LabelRodzajPD, AddWb->LabelWartoscPD,
                                     AddWb->AddRodzajPD, AddWb->EdRodzajPD, AddWb->EdWartoscPD};
    auto count = [](const QList<QWidget*>& ws) {
        return std::count_if(ws.begin(), ws.end(), [](QWidget* w) { return w->isEnabled(); });
    };
    QCOMPARE(count(cost) + count(revenue), 0);
    QTest::keyClicks(AddWb->EdWartoscP, QStringLiteral("x."));
    QCOMPARE(count(revenue), 0);
    QTest::keyClicks(AddWb->EdWartoscP, QStringLiteral("12,5"));
    QCOMPARE(AddWb->EdWartoscP->text(), QStringLiteral("12,5"));
    QCOMPARE(count(revenue), 5);
    QCOMPARE(count(cost), 0);
    QTest::keyClick(AddWb->EdWartoscK, Qt::Key_3);
    QCOMPARE(count(cost), 5);
    // A lone comma typed first does not stay.
    QTest::keyClick(AddWb->EdWartoscKD, Qt::Key_Comma);
    QCOMPARE(AddWb->EdWartoscKD->text(), QString());
}

void AddWbTest::zeroStatementEnteredAndLeft() {
    EntryFixture f;
    OpenNew(f);
    AddWb->EnableSecondCost();
    AddWb->EnableSecondRevenue();
    const QList<QLineEdit*> categories = {AddWb->EdRodzajK, AddWb->EdRodzajP, AddWb->EdRodzajKD,
                                          AddWb->EdRodzajPD};
    const QList<QLineEdit*> amounts = {AddWb->EdWartoscK, AddWb->EdWartoscP, AddWb->EdWartoscKD,
                                       AddWb->EdWartoscPD};
    const QList<QToolButton*> buttons = {AddWb->AddRodzajK, AddWb->AddRodzajP, AddWb->AddRodzajKD,
                                         AddWb->AddRodzajPD};
    AddWb->EdRodzajP->setText(QStringLiteral("Odsetki"));
    AddWb->RodzajPId = 2;
    AddWb->EdWartoscP->setText(QStringLiteral("7"));

    QTest::mouseClick(AddWb->CheckZero, Qt::LeftButton);
    QVERIFY(AddWb->CheckZero->isChecked());
    const QStringList names = {"Bez kosztu", "Bez przychodu", "Bez kosztu", "Bez przychodu"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(categories[i]->text(), names[i]);
        QVERIFY(categories[i]->font().italic());
        QCOMPARE(amounts[i]->text(), QStringLiteral("0"));
        QVERIFY(amounts[i]->font().italic());
        QVERIFY(!amounts[i]->isEnabled());
        QVERIFY(!buttons[i]->isEnabled());
    }
    QCOMPARE(QList<int>({AddWb->RodzajKId, AddWb->RodzajPId, AddWb->RodzajKDId, AddWb->RodzajPDId}),
             QList<int>({1, 1, 1, 1}));

    QTest::mouseClick(AddWb->CheckZero, Qt::LeftButton);
    QVERIFY(!AddWb->CheckZero->isChecked());
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(categories[i]->text(), QString());
        QVERIFY(!categories[i]->font().italic());
        QCOMPARE(amounts[i]->text(), QString());
        QVERIFY(!amounts[i]->font().italic());
        QVERIFY(buttons[i]->isEnabled() == (i < 2));
    }
    QVERIFY(AddWb->EdWartoscP->isEnabled());
    QVERIFY(!AddWb->EdWartoscKD->isEnabled());
    QVERIFY(!AddWb->EdWartoscPD->isEnabled());
    QCOMPARE(QList<int>({AddWb->RodzajKId, AddWb->RodzajPId, AddWb->RodzajKDId, AddWb->RodzajPDId}),
             QList<int>({0, 0, 0, 0}));
}

void AddWbTest::openerKeepsNumber() {
    EntryFixture f;
    f.Opening(QStringLiteral("100"));
    OpenNew(f);
    AddWb->EdData->setDate(QDate(2011, 4, 30));
    AddWb->CheckZero->setChecked(true);
    AddWb->EdNr->setText(QStringLiteral("WB 4/2011"));
    AddWb->EdOpis->setText(QStringLiteral("kwiecień"));
    AddWb->ZapiszButClick();
    QCOMPARE(f.Count(), 1);
    AddWb->CheckWstaw->setChecked(true);
    AddWb->CheckWstaw->setEnabled(false);
    OpenNew(f);
    QCOMPARE(AddWb->EdNr->text(), QStringLiteral("WB 4/2011"));
    QVERIFY(!AddWb->CheckZero->isChecked());
    QCOMPARE(AddWb->EdRodzajK->text(), QString());
    QCOMPARE(AddWb->EdWartoscK->text(), QString());
    QCOMPARE(AddWb->EdOpis->text(), QString());
    QVERIFY(!AddWb->CheckWstaw->isChecked());
    QVERIFY(AddWb->CheckWstaw->isEnabled());
    QCOMPARE(AddWb->EdData->minimumDate(), QDate(2011, 4, 30));
    QCOMPARE(Focused(AddWb), QStringLiteral("EdData"));
}

void AddWbTest::removeClearsPair() {
    EntryFixture f;
    OpenNew(f);
    Fill({QStringLiteral("1"), QStringLiteral("Opłaty:5"), QStringLiteral("Odsetki:8"),
          QStringLiteral("Prowizja:1"), QString(), QStringLiteral("x")});
    AddWb->PopupComponent = AddWb->EdRodzajKD;
    AddWb->Usu1->trigger();
    QCOMPARE(AddWb->EdRodzajKD->text(), QString());
    QCOMPARE(AddWb->EdWartoscKD->text(), QString());
    QCOMPARE(AddWb->RodzajKDId, 4);
    QCOMPARE(AddWb->EdWartoscK->text(), QStringLiteral("5"));
    AddWb->PopupComponent = AddWb->EdRodzajP;
    AddWb->Usu1->trigger();
    QCOMPARE(AddWb->EdRodzajP->text(), QString());
    QCOMPARE(AddWb->EdWartoscP->text(), QString());
}

void AddWbTest::secondRevenueAmountCheckedWithItsCategory() {
    EntryFixture f;
    OpenNew(f);
    AddWb->EnableSecondRevenue();
    QTest::keyClick(AddWb->EdWartoscPD, Qt::Key_Comma);
    QCOMPARE(AddWb->EdWartoscPD->text(), QStringLiteral(","));
    AddWb->EdRodzajPD->setText(QStringLiteral("Odsetki"));
    QCOMPARE(AddWb->EdWartoscPD->text(), QString());
}

QTEST_MAIN(AddWbTest)
#include "addwb_test.moc"
