// The key filters of the amount and number fields, typed with real keys.
#include "reference/addkoszty.h"
#include "reference/addprzychody.h"
#include "reference/nrrk.h"
#include "reference/poczatkowe.h"

#include <QClipboard>
#include <QLineEdit>
#include <QTest>

class KeyFiltersTest : public QObject {
    Q_OBJECT
private slots:
    void typing_data();
    void typing();
    void pasteShortcutPasses();
};

void KeyFiltersTest::typing_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    const QString amountKeys = QStringLiteral("1.2,3,4a-5 ");
    const QString numberKeys = QStringLiteral("1.2,3a-4 ");
    for (const char* field : {"EdWartoscC", "EdWartoscG"})
        QTest::addRow("opening %s", field) << "Poczatkowe" << field << "" << amountKeys << "12,345";
    for (const char* field : {"EdNrDok", "EdNrPoz", "EdNrRk"})
        QTest::addRow("opening %s", field) << "Poczatkowe" << field << "" << numberKeys << "1234";
    QTest::newRow("cost carry-over") << "AddKoszty"
                                     << "EdWartosc"
                                     << "" << amountKeys << "12,345";
    QTest::newRow("revenue carry-over") << "AddPrzychody"
                                        << "EdWartosc"
                                        << "" << amountKeys << "12,345";
    QTest::newRow("revenue name is free") << "AddPrzychody"
                                          << "EdNazwa"
                                          << ""
                                          << "Ab.1,"
                                          << "Ab.1,";
    QTest::newRow("second comma after a pasted one") << "AddKoszty"
                                                     << "EdWartosc"
                                                     << "5,0"
                                                     << ",7"
                                                     << "5,07";
    QTest::newRow("cash-report number") << "NrRk"
                                        << "EdNr"
                                        << "" << numberKeys << "1234";
}

void KeyFiltersTest::typing() {
    QFETCH(QString, window);
    QFETCH(QString, field);
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    TPoczatkowe poczatkowe;
    TAddKoszty addKoszty;
    TAddPrzychody addPrzychody;
    TNrRk nrRk;
    QWidget* forms[] = {&poczatkowe, &addKoszty, &addPrzychody, &nrRk};
    QLineEdit* edit = nullptr;
    for (QWidget* form : forms) {
        if (form->objectName() == window)
            edit = form->findChild<QLineEdit*>(field);
    }
    QVERIFY(edit);
    edit->setText(start);
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), expected);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), expected.chopped(1));
}

void KeyFiltersTest::pasteShortcutPasses() {
    TPoczatkowe d;
    QApplication::clipboard()->setText(QStringLiteral("7a"));
    QTest::keyClick(d.EdNrDok, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(d.EdNrDok->text(), QStringLiteral("7a")); // caught by the save checks
}

QTEST_MAIN(KeyFiltersTest)
#include "keyfilters_test.moc"
