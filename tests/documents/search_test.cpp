// The category search and the payer chooser: what they list and where the
// choice goes.
#include "documents/listmodel.h"
#include "documents/memo.h"
#include "entryfixture.h"

#include <QLineEdit>
#include <QTableView>
#include <QTimer>

class SearchTest : public QObject {
    Q_OBJECT
  private slots:
    void categoryList_data();
    void categoryList();
    void choiceGoesToTarget_data();
    void choiceGoesToTarget();
    void searchTextKeptAndKeys();
    void f9OpensListOfTheField_data();
    void f9OpensListOfTheField();
    void payerList_data();
    void payerList();
    void payerChoiceReplacesPerson();
};

namespace {
QStringList Listed(ListModel* model, const QString& field) {
    QStringList names;
    for (const QSqlRecord& r : model->AllRows())
        names << r.value(field).toString();
    return names;
}

void DoubleClick(QTableView* grid, int row) {
    const QPoint at = grid->visualRect(grid->model()->index(row, 0)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

const QStringList kRevenues = {
    QStringLiteral("szkolenia"),  QStringLiteral("Świetlica"), QStringLiteral("SZKOŁA"),
    QStringLiteral("Wpisowe sz"), QStringLiteral("Szatnia"),   QStringLiteral("świeczki"),
    QStringLiteral("Ślubowanie"), QStringLiteral("50%_rabat"), QStringLiteral("50 zł")};
} // namespace

void SearchTest::categoryList_data() {
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("all revenues by name, retired left out")
        << 1 << "" << QStringList{"50 zł",      "50%_rabat", "Szatnia",   "szkolenia", "SZKOŁA",
                                  "Ślubowanie", "świeczki",  "Świetlica", "Wpisowe sz"};
    QTest::newRow("prefix any case, not inside")
        << 7 << "sz" << QStringList{"Szatnia", "szkolenia", "SZKOŁA"};
    QTest::newRow("Polish letters ignore case")
        << 1 << "ŚW" << QStringList{"świeczki", "Świetlica"};
    QTest::newRow("ł is not l") << 4 << "szkoł" << QStringList{"SZKOŁA"};
    QTest::newRow("percent taken as typed") << 6 << "50%" << QStringList{"50%_rabat"};
    QTest::newRow("underscore taken as typed") << 1 << "5_" << QStringList{};
    QTest::newRow("lone percent finds nothing") << 1 << "%" << QStringList{};
    QTest::newRow("cost list") << 2 << "" << QStringList{"Czynsz", "Ćwiczenia"};
    QTest::newRow("cost list for WB pairs") << 5 << "ć" << QStringList{"Ćwiczenia"};
}

void SearchTest::categoryList() {
    QFETCH(int, target);
    QFETCH(QString, search);
    QFETCH(QStringList, expected);
    EntryFixture f;
    f.Categories(kRevenues, {QStringLiteral("Ćwiczenia"), QStringLiteral("Czynsz")});
    f.t.Run(
        {QStringLiteral("INSERT INTO PRZYCHODY (ID_PRZYCHODY,NAZWA,US) VALUES (90,'Szafki','1')"),
         QStringLiteral("INSERT INTO KOSZTY (ID_KOSZTY,NAZWA,US) VALUES (90,'Stary koszt','1')")});
    Main->SearchTarget = target;
    SzukajF->EdSzukaj->setText(search);
    EntryFixture::Show(SzukajF);
    QCOMPARE(Listed(SzukajF->Query1, QStringLiteral("NAZWA")), expected);
    QVERIFY(f.t.ui().messages.isEmpty());
}

void SearchTest::choiceGoesToTarget_data() {
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("expectedId");
    QTest::addColumn<QString>("expectedName");
    QTest::newRow("1 KP first") << 1 << "Świe"
                                << "AddKp.EdRodzajP" << 7 << "świeczki";
    QTest::newRow("7 KP second") << 7 << "Sz"
                                 << "AddKp.EdRodzajPD" << 4 << "Szatnia";
    QTest::newRow("2 cost document") << 2 << "c"
                                     << "AddFv.EdRodzaj" << 3 << "Czynsz";
    QTest::newRow("3 WB first cost") << 3 << "ć"
                                     << "AddWb.EdRodzajK" << 2 << "Ćwiczenia";
    QTest::newRow("4 WB first revenue") << 4 << ""
                                        << "AddWb.EdRodzajP" << 4 << "Szatnia";
    QTest::newRow("5 WB second cost") << 5 << "cz"
                                      << "AddWb.EdRodzajKD" << 3 << "Czynsz";
    QTest::newRow("6 WB second revenue") << 6 << "świe"
                                         << "AddWb.EdRodzajPD" << 7 << "świeczki";
    QTest::newRow("empty list: no category") << 1 << "xyz"
                                             << "AddKp.EdRodzajP" << 0 << "";
}

void SearchTest::choiceGoesToTarget() {
    QFETCH(int, target);
    QFETCH(QString, search);
    QFETCH(QString, field);
    QFETCH(int, expectedId);
    QFETCH(QString, expectedName);
    EntryFixture f;
    f.Categories({QStringLiteral("Świetlica"), QStringLiteral("Wpisowe"), QStringLiteral("Szatnia"),
                  QStringLiteral("szkolenia"), QStringLiteral("Ślubowanie"),
                  QStringLiteral("świeczki")},
                 {QStringLiteral("Ćwiczenia"), QStringLiteral("Czynsz")});
    const QMap<QString, std::pair<QLineEdit*, int*>> targets = {
        {"AddKp.EdRodzajP", {AddKp->EdRodzajP, &AddKp->RodzajPId}},
        {"AddKp.EdRodzajPD", {AddKp->EdRodzajPD, &AddKp->RodzajPDId}},
        {"AddFv.EdRodzaj", {AddFv->EdRodzaj, &AddFv->RodzajId}},
        {"AddWb.EdRodzajK", {AddWb->EdRodzajK, &AddWb->RodzajKId}},
        {"AddWb.EdRodzajP", {AddWb->EdRodzajP, &AddWb->RodzajPId}},
        {"AddWb.EdRodzajKD", {AddWb->EdRodzajKD, &AddWb->RodzajKDId}},
        {"AddWb.EdRodzajPD", {AddWb->EdRodzajPD, &AddWb->RodzajPDId}},
    };
    for (const auto& [edit, id] : targets) {
        edit->setText(QStringLiteral("poprzedni"));
        *id = 99;
    }
    Main->SearchTarget = target;
    SzukajF->EdSzukaj->setText(search);
    EntryFixture::Show(SzukajF);
    SzukajF->WybierzButClick();
    QVERIFY(!SzukajF->isVisible());
    for (auto it = targets.cbegin(); it != targets.cend(); ++it) {
        const bool chosen = it.key() == field;
        QCOMPARE(it.value().first->text(), chosen ? expectedName : QStringLiteral("poprzedni"));
        QCOMPARE(*it.value().second, chosen ? expectedId : 99);
    }
}

void SearchTest::searchTextKeptAndKeys() {
    EntryFixture f;
    f.Categories({QStringLiteral("Składki"), QStringLiteral("Sponsor"), QStringLiteral("Wpisowe")},
                 {});
    Main->SearchTarget = 1;
    EntryFixture::Show(SzukajF);
    QTest::keyClicks(SzukajF->EdSzukaj, QStringLiteral("sp"));
    QCOMPARE(Listed(SzukajF->Query1, QStringLiteral("NAZWA")), QStringList{"Sponsor"});
    // Esc closes without a choice.
    QTest::keyClick(SzukajF->EdSzukaj, Qt::Key_Escape);
    QVERIFY(!SzukajF->isVisible());
    QCOMPARE(AddKp->EdRodzajP->text(), QString());
    QCOMPARE(AddKp->RodzajPId, 0);
    // The next opening keeps the text and its filter; Enter chooses.
    EntryFixture::Show(SzukajF);
    QCOMPARE(SzukajF->EdSzukaj->text(), QStringLiteral("sp"));
    QCOMPARE(Listed(SzukajF->Query1, QStringLiteral("NAZWA")), QStringList{"Sponsor"});
    QTest::keyClick(SzukajF->EdSzukaj, Qt::Key_Return);
    QVERIFY(!SzukajF->isVisible());
    QCOMPARE(AddKp->EdRodzajP->text(), QStringLiteral("Sponsor"));
    QCOMPARE(AddKp->RodzajPId, 3);
    // A double click on a line chooses that line.
    SzukajF->EdSzukaj->clear();
    EntryFixture::Show(SzukajF);
    QTableView* grid = SzukajF->SMDBGrid1;
    DoubleClick(grid, 2);
    QVERIFY(!SzukajF->isVisible());
    QCOMPARE(AddKp->EdRodzajP->text(), QStringLiteral("Wpisowe"));
    QCOMPARE(AddKp->RodzajPId, 4);
}

void SearchTest::f9OpensListOfTheField_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("table");
    QTest::newRow("KP first") << "AddKp.EdRodzajP" << 1 << "PRZYCHODY";
    QTest::newRow("KP second") << "AddKp.EdRodzajPD" << 7 << "PRZYCHODY";
    QTest::newRow("cost document") << "AddFv.EdRodzaj" << 2 << "KOSZTY";
    QTest::newRow("WB first cost") << "AddWb.EdRodzajK" << 3 << "KOSZTY";
    QTest::newRow("WB second revenue") << "AddWb.EdRodzajPD" << 6 << "PRZYCHODY";
}

void SearchTest::f9OpensListOfTheField() {
    QFETCH(QString, field);
    QFETCH(int, target);
    QFETCH(QString, table);
    EntryFixture f;
    const QStringList parts = field.split(QLatin1Char('.'));
    QDialog* dialog = parts.first() == "AddKp"   ? static_cast<QDialog*>(AddKp)
                      : parts.first() == "AddFv" ? static_cast<QDialog*>(AddFv)
                                                 : static_cast<QDialog*>(AddWb);
    auto* edit = dialog->findChild<QLineEdit*>(parts.last());
    QVERIFY(edit);
    edit->setEnabled(true);
    EntryFixture::Show(dialog);
    Main->SearchTarget = 0;
    bool opened = false;
    QTimer::singleShot(0, SzukajF, [&] {
        opened = SzukajF->isVisible();
        SzukajF->ZamknijButClick();
    });
    QTest::keyClick(edit, Qt::Key_F9);
    QVERIFY(opened);
    QCOMPARE(Main->SearchTarget, target);
    QCOMPARE(SzukajF->TableName, table);
    QVERIFY(f.t.ui().messages.isEmpty());
}

void SearchTest::payerList_data() {
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("payers of KP lines by name, one empty name")
        << 1 << "" << QStringList{"", "Anna Żółkiewska", "Jan Kowalski", "ŻANETA Nowak"};
    QTest::newRow("anywhere in the name, Polish case")
        << 1 << "żó" << QStringList{"Anna Żółkiewska"};
    QTest::newRow("anywhere, several") << 1 << "NOW" << QStringList{"ŻANETA Nowak"};
    QTest::newRow("recipients of KW lines")
        << 2 << "" << QStringList{"100% Papier", "Hurtownia_Biuro"};
    QTest::newRow("percent as typed") << 2 << "0%" << QStringList{"100% Papier"};
    QTest::newRow("underscore as typed") << 2 << "a_b" << QStringList{"Hurtownia_Biuro"};
    QTest::newRow("underscore is no wildcard") << 2 << "0_P" << QStringList{};
}

void SearchTest::payerList() {
    QFETCH(int, target);
    QFETCH(QString, search);
    QFETCH(QStringList, expected);
    EntryFixture f;
    const QString row =
        QStringLiteral("INSERT INTO DOKUMENT (NRDOK,NRPOZ,RODZAJDOK,KTO) VALUES (%1,%1,'%2',%3)");
    f.t.Run({row.arg(1).arg("KP").arg("'Jan Kowalski'"), row.arg(2).arg("KP").arg("'ŻANETA Nowak'"),
             row.arg(3).arg("KP").arg("'Anna Żółkiewska'"), row.arg(3).arg("KP").arg("NULL"),
             row.arg(4).arg("KP").arg("''"), row.arg(5).arg("KP").arg("'Jan Kowalski'"),
             row.arg(6).arg("KW").arg("'100% Papier'"),
             row.arg(7).arg("KW").arg("'Hurtownia_Biuro'"), row.arg(8).arg("WB").arg("'Bank'")});
    WyborKto->EdSzukaj->setText(QStringLiteral("z poprzedniego razu"));
    WyborKto->Target = target;
    EntryFixture::Show(WyborKto);
    QCOMPARE(WyborKto->windowTitle(),
             target == 1 ? QStringLiteral("Wybór wpłacającego") : QStringLiteral("Wybór odbiorcy"));
    QCOMPARE(WyborKto->EdSzukaj->text(), QString());
    WyborKto->EdSzukaj->setText(search);
    QCOMPARE(Listed(WyborKto->Query1, QStringLiteral("KTO")), expected);
}

void SearchTest::payerChoiceReplacesPerson() {
    EntryFixture f;
    f.t.Run(
        {QStringLiteral("INSERT INTO DOKUMENT (NRDOK,NRPOZ,RODZAJDOK,KTO) VALUES (1,1,'KP','Rada "
                        "Rodziców\nul. Szkolna 1')"),
         QStringLiteral(
             "INSERT INTO DOKUMENT (NRDOK,NRPOZ,RODZAJDOK,KTO) VALUES (2,2,'KW','Księgarnia')")});
    AddKp->EdKomu->setText(QStringLiteral("wpisane ręcznie"));
    AddFv->EdKomu->setText(QStringLiteral("wpisane ręcznie"));
    WyborKto->Target = 1;
    EntryFixture::Show(WyborKto);
    WyborKto->WybierzButClick();
    QVERIFY(!WyborKto->isVisible());
    QCOMPARE(AddKp->EdKomu->text(), QStringLiteral("Rada Rodziców\nul. Szkolna 1"));
    QCOMPARE(AddFv->EdKomu->text(), QStringLiteral("wpisane ręcznie"));
    WyborKto->Target = 2;
    EntryFixture::Show(WyborKto);
    DoubleClick(WyborKto->SMDBGrid1, 0);
    QCOMPARE(AddFv->EdKomu->text(), QStringLiteral("Księgarnia"));
}

QTEST_MAIN(SearchTest)
#include "search_test.moc"
