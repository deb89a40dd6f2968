// The KP dialog: its opener, key filters, checks and the lines it writes.
#include "documents/memo.h"
#include "entryfixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSqlRecord>
#include <QToolButton>

class AddKpTest : public QObject {
    Q_OBJECT
  private slots:
    void opener_data();
    void opener();
    void checks_data();
    void checks();
    void writesLines_data();
    void writesLines();
    void removedSecondCategoryWritesOneLine();
    void newMonthQuestion_data();
    void newMonthQuestion();
    void amountKeys_data();
    void amountKeys();
    void secondCategoryEnabledByFirstAcceptedKey();
    void categoryFieldRefusesTyping();
    void altGrLetterIsTyping();
    void printTickedShowsVoucher();
    void failedCommitKeepsInputAndPrintsNothing();
    void statementFailingHalfWayKeepsNothing();
};

namespace {
// Fills the dialog as a user would have it before "Zapisz".
void Fill(const QString& rodzajP, const QString& nr, const QString& wartoscP, const QString& opis,
          const QString& rodzajPD = QString(), const QString& wartoscPD = QString()) {
    AddKp->EdRodzajP->setText(rodzajP);
    AddKp->RodzajPId = rodzajP.isEmpty() ? 0 : 2;
    AddKp->EdNr->setText(nr);
    AddKp->EdWartoscP->setText(wartoscP);
    AddKp->EdOpis->setText(opis);
    AddKp->EdRodzajPD->setText(rodzajPD);
    AddKp->RodzajPDId = rodzajPD.isEmpty() ? 0 : 3;
    AddKp->EdWartoscPD->setText(wartoscPD);
    if (!rodzajPD.isEmpty() || !wartoscPD.isEmpty())
        AddKp->EnableSecondCategory();
}

void OpenNew(EntryFixture& f) {
    Main->EntryMode = 1;
    QVERIFY(AddKp->PrepareNewDocument());
    EntryFixture::Show(AddKp);
    f.t.ui().Clear();
}

QVector<QSqlRecord> Lines() {
    return DB->Select(QStringLiteral("SELECT * FROM DOKUMENT ORDER BY ID_DOKUMENT"));
}
} // namespace

void AddKpTest::opener_data() {
    QTest::addColumn<int>("autoKp");
    QTest::addColumn<QStringList>("rows"); // NRPOZ:RODZAJDOK:NUMER, in insertion order
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("warned");
    QTest::newRow("numbers typed by hand") << 0 << QStringList{"3:KP:12"} << "" << false;
    QTest::newRow("no KP yet") << 1 << QStringList{"3:KW:7"} << "1" << false;
    QTest::newRow("after 12 (last by position)")
        << 1 << QStringList{"9:KP:12", "4:KP:30", "10:KW:FV 8"} << "13" << false;
    QTest::newRow("after 12a") << 1 << QStringList{"4:KP:11", "5:KP:12a"} << "" << true;
}

void AddKpTest::opener() {
    QFETCH(int, autoKp);
    QFETCH(QStringList, rows);
    QFETCH(QString, expected);
    QFETCH(bool, warned);
    EntryFixture f;
    QStringList sql;
    for (const QString& row : rows) {
        const QStringList p = row.split(QLatin1Char(':'));
        sql << QStringLiteral("INSERT INTO DOKUMENT (DATA,NRDOK,NRPOZ,RODZAJDOK,NUMER) VALUES "
                              "('2011-03-%1',%1,%1,'%2','%3')")
                   .arg(p.at(0).toInt(), 2, 10, QLatin1Char('0'))
                   .arg(p.at(1), p.at(2));
    }
    f.t.Run(sql);
    Main->AutoKp = autoKp;
    Fill(QStringLiteral("Składki"), QStringLiteral("stary"), QStringLiteral("5"),
         QStringLiteral("opis"), QStringLiteral("Darowizny"), QStringLiteral("1"));
    AddKp->EdKomu->setText(QStringLiteral("Jan"));
    AddKp->CheckWstaw->setChecked(true);
    AddKp->CheckWstaw->setEnabled(false);

    QVERIFY(AddKp->PrepareNewDocument());
    QCOMPARE(AddKp->EdNr->text(), expected);
    if (warned) {
        QCOMPARE(f.t.ui().messages.size(), 1);
        QCOMPARE(f.t.ui().messages.first().caption, QStringLiteral("Ostrzeżenie"));
        QCOMPARE(f.t.ui().messages.first().icon, MsgIcon::Exclamation);
        QCOMPARE(
            f.t.ui().messages.first().text,
            QStringLiteral(
                "Nieprawidłowy format ostatniego numeru KP, nie można ustanowić kolejnego numeru "
                "automatycznie."));
    } else {
        QVERIFY(f.t.ui().messages.isEmpty());
    }
    // The date cannot go below the last line by position.
    const QDate last =
        f.t.Value(QStringLiteral("SELECT DATA FROM DOKUMENT ORDER BY NRPOZ DESC ROWS 1")).toDate();
    QCOMPARE(AddKp->EdData->minimumDate(), last);
    QCOMPARE(AddKp->EdData->maximumDate(), QDate::currentDate().addDays(10000));
    QCOMPARE(AddKp->EdData->date(), QDate::currentDate());
    for (QLineEdit* e :
         {AddKp->EdRodzajP, AddKp->EdWartoscP, AddKp->EdRodzajPD, AddKp->EdWartoscPD})
        QCOMPARE(e->text(), QString());
    QCOMPARE(AddKp->EdOpis->text(), QString());
    QCOMPARE(AddKp->EdKomu->text(), QString());
    QCOMPARE(AddKp->RodzajPId, 0);
    QCOMPARE(AddKp->RodzajPDId, 0);
    QVERIFY(!AddKp->CheckWstaw->isChecked());
    QVERIFY(AddKp->CheckWstaw->isEnabled());
    // Showing it: first tab, focus on the date, printing off.
    AddKp->CheckKp->setChecked(true);
    AddKp->PageControl1->setCurrentIndex(1);
    EntryFixture::Show(AddKp);
    QCOMPARE(CurrentTab(AddKp), QStringLiteral("Dane"));
    QCOMPARE(Focused(AddKp), QStringLiteral("EdData"));
    QVERIFY(!AddKp->CheckKp->isChecked());
}

void AddKpTest::checks_data() {
    QTest::addColumn<QStringList>(
        "fields"); // rodzajP, nr, wartoscP, opis, komu, rodzajPD, wartoscPD
    QTest::addColumn<bool>("print");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("tab");
    QTest::addColumn<QString>("focus");
    const QString revenue = QStringLiteral("Musisz wybrać rodzaj przychodu.");
    const QString value = QStringLiteral("Musisz wpisać wartość przychodu.");
    QTest::newRow("1 no category")
        << QStringList{"", "", "", "", "", "", ""} << true << revenue << "Dane"
        << "EdRodzajP";
    QTest::newRow("2 no number") << QStringList{"Składki", "", "", "", "", "", ""} << true
                                 << "Musisz wpisać nr KP."
                                 << "Dane"
                                 << "EdNr";
    QTest::newRow("3 no value") << QStringList{"Składki", "7", "", "", "", "", ""} << true << value
                                << "Dane"
                                << "EdWartoscP";
    QTest::newRow("4 zero value") << QStringList{"Składki", "7", "0,00", "", "", "", ""} << true
                                  << "Musisz wpisać wartość przychodu większą od 0."
                                  << "Dane"
                                  << "EdWartoscP";
    QTest::newRow("5 no description")
        << QStringList{"Składki", "7", "10", "", "", "", ""} << true << "Musisz wpisać opis."
        << "Dane"
        << "EdOpis";
    QTest::newRow("6 printing without payer (blank description is content)")
        << QStringList{"Składki", "7", "10", " ", "", "", ""} << true
        << "Jeśli chcesz drukować KP, to musisz wypełnić pole Od kogo."
        << "KP"
        << "EdKomu";
    QTest::newRow("7 second category without value")
        << QStringList{"Składki", "7", "10", "x", "", "Inne", ""} << false << value << "Dane"
        << "EdWartoscPD";
    QTest::newRow("8 second value without category")
        << QStringList{"Składki", "7", "10", "x", "", "", "5"} << false << revenue << "Dane"
        << "EdRodzajPD";
    QTest::newRow("second value a lone comma")
        << QStringList{"Składki", "7", "10", "x", "", "Inne", ","} << false
        << "Wpisana wartość „,” nie jest poprawną kwotą."
        << "Dane"
        << "EdWartoscPD";
    const QString tooLarge = QStringLiteral(
        "Zbyt duża kwota. Największa kwota, jaką można zapisać, to 999\u00a0999\u00a0999,99.");
    QTest::newRow("value beyond the money columns")
        << QStringList{"Składki", "7", "1000000000", "x", "", "", ""} << false << tooLarge << "Dane"
        << "EdWartoscP";
    QTest::newRow("second value beyond the money columns")
        << QStringList{"Składki", "7", "1", "x", "", "Inne", "99999999999999999999"} << false
        << tooLarge << "Dane"
        << "EdWartoscPD";
}

void AddKpTest::checks() {
    QFETCH(QStringList, fields);
    QFETCH(bool, print);
    QFETCH(QString, message);
    QFETCH(QString, tab);
    QFETCH(QString, focus);
    EntryFixture f;
    f.Categories({QStringLiteral("Składki"), QStringLiteral("Inne")}, {});
    OpenNew(f);
    Fill(fields[0], fields[1], fields[2], fields[3], fields[5], fields[6]);
    AddKp->EdKomu->setText(fields[4]);
    AddKp->CheckKp->setChecked(print);
    AddKp->PageControl1->setCurrentIndex(tab == QLatin1String("Dane") ? 1 : 0);
    AddKp->ZapiszButClick();
    ExpectRefused(f, AddKp, message, tab, focus);
}

void AddKpTest::writesLines_data() {
    QTest::addColumn<QString>("funds");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second"); // "" = one line
    QTest::addColumn<double>("stored1");
    QTest::addColumn<double>("stored2");
    QTest::addColumn<double>("balance1");
    QTest::addColumn<double>("balance2");
    QTest::newRow("one line") << "50"
                              << "12,5"
                              << "" << 12.5 << 0.0 << 62.5 << 0.0;
    QTest::newRow("two lines") << "50"
                               << "40"
                               << "60,25" << 40.0 << 60.25 << 90.0 << 150.25;
    QTest::newRow("second value 0") << "50"
                                    << "5"
                                    << "0" << 5.0 << 0.0 << 55.0 << 55.0;
    // Each step narrowed to single precision and rounded halves up.
    QTest::newRow("fractions of a grosz") << "100"
                                          << "10,005"
                                          << "0,005" << 10.01 << 0.01 << 110.01 << 110.02;
}

void AddKpTest::writesLines() {
    QFETCH(QString, funds);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(double, stored1);
    QFETCH(double, stored2);
    QFETCH(double, balance1);
    QFETCH(double, balance2);
    EntryFixture f;
    f.Categories({QStringLiteral("Składki"), QStringLiteral("Darowizny")}, {});
    f.Opening(funds);
    f.t.Run({QStringLiteral("UPDATE STANP SET LICZNIKSTART=5, LICZNIKPOZ=20, NRK=3")});
    OpenNew(f);
    AddKp->EdData->setDate(QDate(2011, 3, 14));
    Fill(QStringLiteral("Składki"), QStringLiteral("KP/7"), first,
         QStringLiteral("Wpłaty za marzec"),
         second.isEmpty() ? QString() : QStringLiteral("Darowizny"), second);
    AddKp->EdKomu->setText(QStringLiteral("Jan Kowalski\nkl. 3a"));
    AddKp->ZapiszButClick();
    QVERIFY2(f.t.ui().messages.isEmpty(), qPrintable(f.t.ui().Texts().join('\n')));
    QVERIFY(!AddKp->isVisible());

    const auto lines = Lines();
    QCOMPARE(lines.size(), second.isEmpty() ? 1 : 2);
    for (int i = 0; i < lines.size(); ++i) {
        const QSqlRecord& r = lines.at(i);
        QCOMPARE(r.value("NRDOK").toInt(), 5);
        QCOMPARE(r.value("NRPOZ").toInt(), 20);
        QCOMPARE(r.value("DATA").toDate(), QDate(2011, 3, 14));
        QCOMPARE(r.value("RODZAJDOK").toString(), QStringLiteral("KP"));
        QCOMPARE(r.value("NUMER").toString(), QStringLiteral("KP/7"));
        QCOMPARE(r.value("OPIS").toString(), QStringLiteral("Wpłaty za marzec"));
        QCOMPARE(r.value("OKRES").toInt(), 1);
        QCOMPARE(r.value("NRRK").toInt(), 3);
        QCOMPARE(r.value("RODZAJK").toInt(), 1);
        QCOMPARE(r.value("ROZCHOD").toDouble(), 0.0);
        QCOMPARE(r.value("RODZAJP").toInt(), i == 0 ? 2 : 3);
        QCOMPARE(r.value("PRZYCHOD").toDouble(), i == 0 ? stored1 : stored2);
        QCOMPARE(r.value("POZOSTALESR").toDouble(), i == 0 ? balance1 : balance2);
    }
    QCOMPARE(lines.first().value("KTO").toString(), QStringLiteral("Jan Kowalski\nkl. 3a"));
    if (lines.size() == 2)
        QVERIFY(lines.last().value("KTO").isNull());
    // The first document opens cash report 3: the counter follows.
    QCOMPARE(f.t.Value(QStringLiteral("SELECT DOCID FROM SYSCOUNT WHERE ID_SYSCOUNT='5'")).toInt(),
             3);
}

void AddKpTest::removedSecondCategoryWritesOneLine() {
    EntryFixture f;
    f.Categories({QStringLiteral("Składki"), QStringLiteral("Darowizny")}, {});
    OpenNew(f);
    Fill(QStringLiteral("Składki"), QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("x"),
         QStringLiteral("Darowizny"), QStringLiteral("5"));
    AddKp->PopupComponent = AddKp->EdRodzajPD;
    AddKp->Usu1->trigger();
    QCOMPARE(AddKp->EdRodzajPD->text(), QString());
    QCOMPARE(AddKp->EdWartoscPD->text(), QString());
    QCOMPARE(AddKp->RodzajPDId, 3); // the id stays; the empty field decides
    QCOMPARE(AddKp->EdWartoscP->text(), QStringLiteral("10"));
    AddKp->ZapiszButClick();
    QCOMPARE(f.Count(), 1);
    QCOMPARE(f.t.Value(QStringLiteral("SELECT POZOSTALESR FROM DOKUMENT")).toDouble(), 10.0);
}

void AddKpTest::newMonthQuestion_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("No writes nothing") << false;
    QTest::newRow("Yes opens the next period") << true;
}

void AddKpTest::newMonthQuestion() {
    QFETCH(bool, yes);
    EntryFixture f;
    f.Categories({QStringLiteral("Składki")}, {});
    f.t.Run({QStringLiteral(
        "INSERT INTO DOKUMENT (DATA,PRZYCHOD,NRDOK,NRPOZ,RODZAJDOK,POZOSTALESR,OKRES,NRRK,RODZAJP) "
        "VALUES ('2010-12-15',20,1,2,'KP',20,1,1,2)")});
    int printed = 0;
    AddKp->VoucherPrinter = [&](int) { ++printed; };
    OpenNew(f);
    AddKp->EdData->setDate(QDate(2011, 1, 3));
    Fill(QStringLiteral("Składki"), QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("x"));
    AddKp->EdKomu->setText(QStringLiteral("Jan"));
    AddKp->CheckKp->setChecked(true);
    f.t.ui().Answer(yes);
    AddKp->ZapiszButClick();
    QCOMPARE(f.t.ui().messages.size(), 1);
    QVERIFY(f.t.ui().messages.first().question);
    QCOMPARE(f.t.ui().messages.first().text,
             QStringLiteral("Uwaga, dokument jest z nowego miesiąca. Czy chcesz zamknąć poprzedni "
                            "miesiąc i utworzyć "
                            "nowy?"));
    QVERIFY(!AddKp->isVisible());
    QCOMPARE(f.Count(), yes ? 2 : 1);
    QCOMPARE(printed, yes ? 1 : 0);
    if (yes) {
        QCOMPARE(f.t.Value(QStringLiteral("SELECT OKRES FROM DOKUMENT WHERE NRDOK=2")).toInt(), 2);
        QCOMPARE(f.t.Value(QStringLiteral("SELECT NRPOZ FROM DOKUMENT WHERE NRDOK=2")).toInt(), 6);
    }
}

void AddKpTest::amountKeys_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one comma only") << "EdWartoscP"
                                    << "12,5,0"
                                    << "12,50";
    QTest::newRow("full stop refused") << "EdWartoscP"
                                       << "1.5"
                                       << "15";
    QTest::newRow("letters and signs refused") << "EdWartoscP"
                                               << "a1-b2 e+"
                                               << "12";
    QTest::newRow("lone comma is no number") << "EdWartoscP"
                                             << ","
                                             << "";
    QTest::newRow("second value: one comma") << "EdWartoscPD"
                                             << "3,,2.1"
                                             << "3,21";
    QTest::newRow("second value keeps a lone comma") << "EdWartoscPD"
                                                     << ","
                                                     << ",";
}

void AddKpTest::amountKeys() {
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    EntryFixture f;
    OpenNew(f);
    AddKp->EnableSecondCategory();
    auto* edit = AddKp->findChild<QLineEdit*>(field);
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), expected);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), expected.left(expected.size() - 1));
    QVERIFY(f.t.ui().messages.isEmpty());
}

void AddKpTest::secondCategoryEnabledByFirstAcceptedKey() {
    EntryFixture f;
    OpenNew(f);
    const QList<QWidget*> group = {AddKp->Label11, AddKp->Label5, AddKp->AddRodzajPD,
                                   AddKp->EdRodzajPD, AddKp->EdWartoscPD};
    auto enabled = [&] {
        return std::all_of(group.begin(), group.end(), [](QWidget* w) { return w->isEnabled(); });
    };
    auto disabled = [&] {
        return std::none_of(group.begin(), group.end(), [](QWidget* w) { return w->isEnabled(); });
    };
    QVERIFY(disabled());
    QTest::keyClicks(AddKp->EdWartoscP, QStringLiteral("x."));
    QVERIFY(disabled());
    QTest::keyClick(AddKp->EdWartoscP, Qt::Key_7);
    QVERIFY(enabled());
    // The next new KP keeps the group enabled.
    AddKp->hide();
    OpenNew(f);
    QVERIFY(enabled());
}

void AddKpTest::categoryFieldRefusesTyping() {
    EntryFixture f;
    OpenNew(f);
    AddKp->EnableSecondCategory();
    for (QLineEdit* field : {AddKp->EdRodzajP, AddKp->EdRodzajPD}) {
        f.t.ui().Clear();
        field->setText(QStringLiteral("Składki"));
        QTest::keyClick(field, Qt::Key_A);
        QCOMPARE(field->text(), QStringLiteral("Składki"));
        QCOMPARE(f.t.ui().Texts(),
                 QStringList{
                     QStringLiteral("Nie można tu nic wpisywać ręcznie, należy wybrać z listy.")});
        QCOMPARE(f.t.ui().messages.first().caption, QStringLiteral("Błąd"));
        QCOMPARE(f.t.ui().messages.first().icon, MsgIcon::Exclamation);
    }
}

// On Windows AltGr arrives as Ctrl+Alt: the Polish letter it types is a typed
// character like any other, not a shortcut.
void AddKpTest::altGrLetterIsTyping() {
    EntryFixture f;
    OpenNew(f);
    auto altGr = [](QLineEdit* field) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier | Qt::AltModifier,
                        QStringLiteral("ą"));
        QApplication::sendEvent(field, &press);
    };
    AddKp->EnableSecondCategory();
    AddKp->EdWartoscPD->setText(QStringLiteral("12"));
    altGr(AddKp->EdWartoscPD);
    QCOMPARE(AddKp->EdWartoscPD->text(), QStringLiteral("12"));
    QVERIFY(f.t.ui().messages.isEmpty());
    AddKp->EdRodzajP->setText(QStringLiteral("Składki"));
    altGr(AddKp->EdRodzajP);
    QCOMPARE(AddKp->EdRodzajP->text(), QStringLiteral("Składki"));
    QCOMPARE(f.t.ui().Texts(),
             QStringList{QStringLiteral("Nie można tu nic wpisywać ręcznie, należy wybrać z listy.")});
    // A shortcut still reaches the field.
    QApplication::clipboard()->setText(QStringLiteral("5"));
    AddKp->EdWartoscPD->end(false);
    QTest::keyClick(AddKp->EdWartoscPD, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(AddKp->EdWartoscPD->text(), QStringLiteral("125"));
}

void AddKpTest::printTickedShowsVoucher() {
    EntryFixture f;
    f.Categories({QStringLiteral("Składki")}, {});
    OpenNew(f);
    Fill(QStringLiteral("Składki"), QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("x"));
    AddKp->EdKomu->setText(QStringLiteral("Jan"));
    QVERIFY(AddKp->CheckKp->isEnabled());
    AddKp->CheckKp->setChecked(true);
    QCOMPARE(PreviewsShownBy([] { AddKp->ZapiszButClick(); }), 1);
    QVERIFY(!AddKp->isVisible());
    QCOMPARE(f.Count(), 1);
}

void AddKpTest::failedCommitKeepsInputAndPrintsNothing() {
    EntryFixture f;
    f.Categories({QStringLiteral("Składki"), QStringLiteral("Darowizny")}, {});
    // The commit is refused while a KP numbered ZLY would be kept.
    f.t.Run(
        {QStringLiteral("CREATE EXCEPTION E_PROBA 'Próba'"),
         QStringLiteral(
             "CREATE TRIGGER NIE_ZAPISUJ ON TRANSACTION COMMIT AS BEGIN "
             "IF (EXISTS(SELECT 1 FROM DOKUMENT WHERE NUMER='ZLY')) THEN EXCEPTION E_PROBA; END")});
    QList<int> printed;
    AddKp->VoucherPrinter = [&](int nrDok) { printed << nrDok; };
    OpenNew(f);
    Fill(QStringLiteral("Składki"), QStringLiteral("ZLY"), QStringLiteral("10"),
         QStringLiteral("opis"), QStringLiteral("Darowizny"), QStringLiteral("2,5"));
    AddKp->EdKomu->setText(QStringLiteral("Jan"));
    AddKp->CheckKp->setChecked(true);
    AddKp->ZapiszButClick();
    QCOMPARE(f.t.ui().Texts(), QStringList{QStringLiteral("Błąd zapisu danych do bazy.")});
    QVERIFY(printed.isEmpty());
    QVERIFY(AddKp->isVisible());
    QCOMPARE(AddKp->EdNr->text(), QStringLiteral("ZLY"));
    QCOMPARE(AddKp->EdWartoscPD->text(), QStringLiteral("2,5"));
    QCOMPARE(AddKp->EdKomu->text(), QStringLiteral("Jan"));
    QVERIFY(AddKp->CheckKp->isChecked());
    QCOMPARE(f.Count(), 0);
    QCOMPARE(f.t.Value(QStringLiteral("SELECT DOCID FROM SYSCOUNT")).toInt(), 1);
}

void AddKpTest::statementFailingHalfWayKeepsNothing() {
    EntryFixture f;
    f.Categories({QStringLiteral("Składki"), QStringLiteral("Darowizny")}, {});
    // The second line (category 3) is refused by the database.
    f.t.Run({QStringLiteral("CREATE EXCEPTION E_PROBA 'Druga linia odrzucona'"),
             QStringLiteral("CREATE TRIGGER DRUGA_LINIA FOR DOKUMENT BEFORE INSERT AS BEGIN "
                            "IF (NEW.RODZAJP=3) THEN EXCEPTION E_PROBA; END")});
    int printed = 0;
    AddKp->VoucherPrinter = [&](int) { ++printed; };
    OpenNew(f);
    Fill(QStringLiteral("Składki"), QStringLiteral("1"), QStringLiteral("10"),
         QStringLiteral("opis"), QStringLiteral("Darowizny"), QStringLiteral("5"));
    AddKp->EdKomu->setText(QStringLiteral("Jan"));
    AddKp->CheckKp->setChecked(true);
    AddKp->ZapiszButClick();
    QCOMPARE(f.t.ui().messages.size(), 1);
    QCOMPARE(f.t.ui().messages.first().caption, QStringLiteral("Błąd"));
    QVERIFY2(f.t.ui().messages.first().text.contains(QStringLiteral("Druga linia odrzucona")),
             qPrintable(f.t.ui().messages.first().text));
    QCOMPARE(printed, 0);
    QVERIFY(AddKp->isVisible());
    QCOMPARE(AddKp->EdRodzajPD->text(), QStringLiteral("Darowizny"));
    QCOMPARE(f.Count(), 0);
    // Saved again once the database takes it: the first line of the failed
    // try does not come back with it.
    f.t.Run({QStringLiteral("DROP TRIGGER DRUGA_LINIA")});
    f.t.ui().Clear();
    AddKp->ZapiszButClick();
    QVERIFY2(f.t.ui().messages.isEmpty(), qPrintable(f.t.ui().Texts().join('\n')));
    QCOMPARE(printed, 1);
    QCOMPARE(f.Count(), 2);
    QCOMPARE(f.Count(QStringLiteral("WHERE NRDOK=1 AND NRPOZ=2")), 2);
}

QTEST_MAIN(AddKpTest)
#include "addkp_test.moc"
