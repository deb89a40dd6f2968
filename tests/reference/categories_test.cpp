// Cost and revenue categories: the lists, the limit of ten, the editor's
// checks, the duplicate test and retiring.
#include "common/testdb.h"
#include "reference/addkoszty.h"
#include "reference/addprzychody.h"
#include "reference/koszty.h"
#include "reference/przychody.h"
#include "shell/docview.h"
#include "shell/main.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

// The windows of one kind over a fresh database, with a main window (which
// holds the entry mode and the register).
struct Fixture {
    explicit Fixture(bool costs) : main(nullptr) {
        TMain::GuardPath = t.folder() + QStringLiteral("/guard.lock");
        Main = &main;
        if (costs) {
            list = Koszty = new TKoszty(&main);
            editor = AddKoszty = new TAddKoszty(&main);
        } else {
            list = Przychody = new TPrzychody(&main);
            editor = AddPrzychody = new TAddPrzychody(&main);
        }
        table = list->Kind().table;
    }
    ~Fixture() {
        Koszty = nullptr;
        AddKoszty = nullptr;
        Przychody = nullptr;
        AddPrzychody = nullptr;
        DocView = nullptr;
        Main = nullptr;
    }
    // Adds active (or retired) categories in the given order.
    void Add(const QStringList& names, bool retired = false) {
        QStringList sql;
        for (const QString& name : names)
            sql << QStringLiteral("INSERT INTO %1 (NAZWA,US) VALUES ('%2','%3')")
                       .arg(table, name, retired ? "1" : "0");
        t.Run(sql);
    }
    QStringList Shown() const {
        QStringList names;
        for (int r = 0; r < list->Model->rowCount(); ++r)
            names << list->Model->item(r, 0)->text();
        return names;
    }
    // Presses a list button that may open the editor; `whileOpen` then acts
    // in it. Whatever it leaves open is closed. True when the editor opened.
    bool Press(void (TCategoryList::*button)(), const std::function<void()>& whileOpen = {}) {
        bool opened = false;
        QTimer::singleShot(0, editor, [&] {
            if (!editor->isVisible())
                return;
            opened = true;
            if (whileOpen)
                whileOpen();
            if (editor->isVisible())
                editor->reject();
        });
        (list->*button)();
        QCoreApplication::processEvents();
        return opened;
    }
    // Adds or corrects through the editor.
    bool Save(void (TCategoryList::*button)(), const QString& name,
              const QString& carry = QStringLiteral("0")) {
        return Press(button, [&] {
            editor->EdNazwa->setText(name);
            editor->EdWartosc->setText(carry);
            editor->ZapiszButClick();
        });
    }
    int Count(const QString& where) {
        return t.Value(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(table, where))
            .toInt();
    }

    TestDb t;
    TMain main;
    TCategoryList* list = nullptr;
    TCategoryEditor* editor = nullptr;
    QString table;
};

void AddKindColumn() {
    QTest::addColumn<bool>("costs");
}

} // namespace

class CategoriesTest : public QObject {
    Q_OBJECT
private slots:
    void listShowsActiveRowsByIdentifier_data() { KindRows(); }
    void listShowsActiveRowsByIdentifier();
    void tenthAddedEleventhRefused_data() { KindRows(); }
    void tenthAddedEleventhRefused();
    void duplicates_data();
    void duplicates();
    void editorInput_data();
    void editorInput();
    void correctShowsAndUpdatesTheCurrentRow();
    void retireKeepsLedgerLinesNamed();
    void emptyListRefusesCorrectAndRetire_data() { KindRows(); }
    void emptyListRefusesCorrectAndRetire();

private:
    static void KindRows() {
        AddKindColumn();
        QTest::newRow("koszty") << true;
        QTest::newRow("przychody") << false;
    }
};

void CategoriesTest::listShowsActiveRowsByIdentifier() {
    QFETCH(bool, costs);
    Fixture f(costs);
    f.Add({"Zeta"});
    f.Add({"Alfa"}, true);
    f.Add({"Beta"});
    f.t.Run({QStringLiteral("UPDATE %1 SET %2=12.5 WHERE NAZWA='Beta'")
                 .arg(f.table, f.list->Kind().carryColumn)});
    f.list->FormShow();
    QCOMPARE(f.Shown(), QStringList({"Zeta", "Beta"}));
    QCOMPARE(f.list->Model->item(1, 1)->text(), QStringLiteral("12,50"));
    QCOMPARE(f.list->windowTitle(), costs ? QStringLiteral("Koszty") : QStringLiteral("Przychody"));
    QCOMPARE(f.list->ZamknijBut->text(),
             costs ? QStringLiteral("Wyjdź") : QStringLiteral("Zamknij"));
}

void CategoriesTest::tenthAddedEleventhRefused() {
    QFETCH(bool, costs);
    Fixture f(costs);
    f.Add({"K1", "K2", "K3", "K4", "K5", "K6", "K7", "K8", "K9"});
    f.list->FormShow();
    QVERIFY(f.Save(&TCategoryList::DodajButClick, QStringLiteral("Dziesiąty")));
    QCOMPARE(f.Count("US='0'"), 10);
    QCOMPARE(f.list->Count(), 10);

    QVERIFY(!f.Press(&TCategoryList::DodajButClick));
    QCOMPARE(f.t.ui().messages.size(), 1);
    QCOMPARE(f.t.ui().messages.first().caption, QStringLiteral("Ostrzeżenie"));
    QCOMPARE(f.t.ui().messages.first().icon, MsgIcon::Exclamation);
    QCOMPARE(
        f.t.ui().messages.first().text,
        costs ? QStringLiteral("Nie można dopisać więcej rodzaju kosztów, jest ogranicznie do 10.")
              : QStringLiteral(
                    "Nie można dopisać więcej rodzaju przychodów, jest ogranicznie do 10."));

    f.t.ui().Answer(true);
    f.list->UsunButClick(); // retires the first row
    QVERIFY(f.Press(&TCategoryList::DodajButClick));
}

void CategoriesTest::duplicates_data() {
    AddKindColumn();
    QTest::addColumn<bool>("correcting");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    for (bool costs : {true, false}) {
        const char* kind = costs ? "koszty" : "przychody";
        // The list holds Czynsz (current row) and Prąd; Woda is retired.
        QTest::addRow("%s: new equal to active", kind) << costs << false << "Prąd" << false;
        QTest::addRow("%s: new equal to retired", kind) << costs << false << "Woda" << true;
        QTest::addRow("%s: correct keeping its name", kind) << costs << true << "Czynsz" << true;
        QTest::addRow("%s: correct to another active", kind) << costs << true << "Prąd" << false;
    }
}

void CategoriesTest::duplicates() {
    QFETCH(bool, costs);
    QFETCH(bool, correcting);
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    Fixture f(costs);
    f.Add({"Czynsz", "Prąd"});
    f.Add({"Woda"}, true);
    f.list->FormShow();
    QVERIFY(f.Save(correcting ? &TCategoryList::PoprawButClick : &TCategoryList::DodajButClick,
                   name, "5"));
    if (accepted) {
        QVERIFY2(f.t.ui().messages.isEmpty(), qPrintable(f.t.ui().Texts().join('\n')));
        QCOMPARE(f.Count(QStringLiteral("US='0' AND NAZWA='%1'").arg(name)), 1);
    } else {
        QCOMPARE(f.t.ui().Texts(), QStringList{QStringLiteral("Taka nazwa już istnieje.")});
        QCOMPARE(f.t.ui().messages.first().caption, QStringLiteral("Błąd"));
        QCOMPARE(f.Count("NAZWA='Czynsz'"), 1); // nothing renamed
        QCOMPARE(f.Count("1=1"), 4);            // nothing added
    }
}

void CategoriesTest::editorInput_data() {
    AddKindColumn();
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("carry");
    QTest::addColumn<QString>("message"); // empty: saved
    QTest::addColumn<QString>("stored");  // NAZWA||'/'||carry of the new row
    const QString forty(40, QLatin1Char('n'));
    const QString amount =
        QStringLiteral("Niepoprawna kwota. Wpisz kwotę cyframi, z przecinkiem przed groszami "
                       "i najwyżej dwiema cyframi po nim, np. 1250,50.");
    QTest::newRow("empty carry saved as 0") << true << "Czynsz"
                                            << ""
                                            << ""
                                            << "Czynsz/0.00";
    QTest::newRow("carry with comma") << false << "Składki"
                                      << "12,5"
                                      << ""
                                      << "Składki/12.50";
    QTest::newRow("cost blanks") << true << "   "
                                 << "0"
                                 << "Należy wpisać nazwę kosztu."
                                 << "";
    QTest::newRow("revenue blanks") << false << "   "
                                    << "0"
                                    << "Należy wpisać nazwę przychodu."
                                    << "";
    QTest::newRow("revenue 40 characters") << false << forty << "0"
                                           << "" << forty + "/0.00";
    QTest::newRow("revenue 41 characters") << false << forty + "x"
                                           << "0"
                                           << "Nazwa jest za długa: może mieć najwyżej 40 znaków."
                                           << "";
    // The cost edit itself holds no more than 40 characters.
    QTest::newRow("cost 41 characters") << true << forty + "x"
                                        << "0"
                                        << "" << forty + "/0.00";
    QTest::newRow("pasted letters") << true << "Czynsz"
                                    << "1a" << amount << "";
    QTest::newRow("lone separator") << false << "Czynsz"
                                    << "," << amount << "";
}

void CategoriesTest::editorInput() {
    QFETCH(bool, costs);
    QFETCH(QString, name);
    QFETCH(QString, carry);
    QFETCH(QString, message);
    QFETCH(QString, stored);
    Fixture f(costs);
    f.list->FormShow();
    QVERIFY(f.Save(&TCategoryList::DodajButClick, name, carry));
    const QString added =
        f.t.Value(QStringLiteral("SELECT NAZWA||'/'||%1 FROM %2 WHERE %3>1")
                      .arg(f.list->Kind().carryColumn, f.table, f.list->Kind().idColumn))
            .toString();
    QCOMPARE(added, stored);
    QCOMPARE(f.t.ui().Texts(), message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(f.t.ui().messages.first().caption, QStringLiteral("Błąd"));
}

void CategoriesTest::correctShowsAndUpdatesTheCurrentRow() {
    Fixture f(false);
    f.Add({"Składki", "Darowizny"});
    f.t.Run({"UPDATE PRZYCHODY SET POCZATEKPRZYCH=12.5 WHERE NAZWA='Darowizny'"});
    f.list->FormShow();
    f.list->SMDBGrid1->setCurrentIndex(f.list->Model->index(1, 0));
    QVERIFY(f.Press(&TCategoryList::PoprawButClick, [&] {
        QCOMPARE(f.editor->EdNazwa->text(), QStringLiteral("Darowizny"));
        QCOMPARE(f.editor->EdWartosc->text(), QStringLiteral("12,5"));
        QCOMPARE(f.editor->focusWidget(), f.editor->EdNazwa);
        f.editor->EdNazwa->setText(QStringLiteral("Darowizny rodziców"));
        f.editor->EdWartosc->setText(QStringLiteral("7"));
        f.editor->ZapiszButClick();
        QVERIFY(!f.editor->isVisible());
    }));
    QCOMPARE(
        f.t.Value(
               "SELECT LIST(NAZWA||'='||POCZATEKPRZYCH, ';') FROM PRZYCHODY WHERE ID_PRZYCHODY>1")
            .toString(),
        QStringLiteral("Składki=0.00;Darowizny rodziców=7.00"));
    QCOMPARE(f.Shown(), QStringList({"Składki", "Darowizny rodziców"}));
}

void CategoriesTest::retireKeepsLedgerLinesNamed() {
    Fixture f(true);
    f.Add({"Czynsz", "Prąd"});
    f.t.Run({"INSERT INTO DOKUMENT (NRDOK,NRPOZ,RODZAJDOK,RODZAJP,RODZAJK,ROZCHOD) VALUES "
             "(1,2,'KW',1,2,50)"});
    f.main.OpenRegister();
    f.list->FormShow();

    f.list->UsunButClick(); // answered No
    QCOMPARE(f.t.ui().messages.size(), 1);
    QCOMPARE(f.t.ui().messages.first().caption, QStringLiteral("Ostrzeżenie"));
    QCOMPARE(f.t.ui().messages.first().text,
             QStringLiteral("Czy na pewno chcesz usunąć wybraną pozycję"));
    QVERIFY(f.t.ui().messages.first().question);
    QCOMPARE(f.Count("US='0'"), 2);

    f.t.ui().Answer(true);
    f.list->UsunButClick();
    QCOMPARE(f.t.Value("SELECT US FROM KOSZTY WHERE NAZWA='Czynsz'").toString().trimmed(),
             QStringLiteral("1"));
    QCOMPARE(f.Shown(), QStringList{"Prąd"});
    QCOMPARE(DocView->Field("NAZWAK").toString(), QStringLiteral("Czynsz"));
}

void CategoriesTest::emptyListRefusesCorrectAndRetire() {
    QFETCH(bool, costs);
    Fixture f(costs);
    f.list->FormShow();
    QCOMPARE(f.list->Count(), 0);
    QVERIFY(!f.Save(&TCategoryList::PoprawButClick, QStringLiteral("Nowa nazwa")));
    f.list->UsunButClick();
    QCOMPARE(f.t.ui().Texts(), QStringList(2, QStringLiteral("Musisz wybrać pozycję.")));
    QCOMPARE(f.t.ui().messages.first().caption, QStringLiteral("Błąd"));
    QCOMPARE(f.Count("1=1"), 1);
    QCOMPARE(f.Count("ID_" + QString(costs ? "KOSZTY" : "PRZYCHODY") + "=1 AND US='1'"), 1);
}

QTEST_MAIN(CategoriesTest)
#include "categories_test.moc"
