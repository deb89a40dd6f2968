// The parameters: shown from the database, saved and in force at once.
#include "common/testdb.h"
#include "shell/docview.h"
#include "shell/main.h"
#include "shell/parametry.h"

#include <QCheckBox>
#include <QTest>

class ParametryTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showsStoredOptions_data();
    void showsStoredOptions();
    void savedOptionsTakeEffectAtOnce();
    void exitChangesNothing();

private:
    std::unique_ptr<TestDb> t;
    std::unique_ptr<TMain> main;
    QString Stored() { return t->Value("SELECT AUTOKP||'/'||AUTORK FROM PARAMETRY").toString(); }
};

void ParametryTest::init() {
    t = std::make_unique<TestDb>();
    TMain::GuardPath = t->folder() + QStringLiteral("/guard.lock");
    main = std::make_unique<TMain>();
    Main = main.get();
    t->db().SetMainState(Main); // the ledger engine reads the main window's copies
}

void ParametryTest::cleanup() {
    DocView = nullptr;
    Main = nullptr;
    main.reset();
    t.reset();
}

void ParametryTest::showsStoredOptions_data() {
    QTest::addColumn<int>("autoKp");
    QTest::addColumn<int>("autoRk");
    QTest::newRow("KP only") << 1 << 0;
    QTest::newRow("RK only") << 0 << 1;
}

void ParametryTest::showsStoredOptions() {
    QFETCH(int, autoKp);
    QFETCH(int, autoRk);
    t->Run({QStringLiteral("UPDATE PARAMETRY SET AUTOKP=%1, AUTORK=%2").arg(autoKp).arg(autoRk)});
    TParametry d;
    d.show();
    QCOMPARE(d.CheckKp->isChecked(), autoKp == 1);
    QCOMPARE(d.CheckRk->isChecked(), autoRk == 1);
}

void ParametryTest::savedOptionsTakeEffectAtOnce() {
    main->OpenRegister();
    t->Run({"INSERT INTO DOKUMENT (DATA,NRDOK,NRPOZ,RODZAJDOK,NRRK,OKRES) "
            "VALUES ('2024-09-02',1,2,'KP',3,1)",
            "UPDATE SYSCOUNT SET DOCID=13 WHERE ID_SYSCOUNT='5'"});
    // The cash report the next document of September 2024 is booked in.
    auto nextNrRk = [this] {
        bool prepared = false;
        t->db().RunAction([&] { prepared = t->db().PrepareNextDocument(9, 2024); });
        return prepared ? t->db().CurrentNrRk : -1;
    };
    QCOMPARE(nextNrRk(), 3);
    TParametry d;
    d.show();
    d.CheckKp->setChecked(true);
    d.CheckRk->setChecked(true);
    d.ZapiszButClick();
    QVERIFY2(t->ui().messages.isEmpty(), qPrintable(t->ui().Texts().join('\n')));
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(Stored(), QStringLiteral("1/1"));
    QCOMPARE(t->db().Main().AutoKp, 1);
    QCOMPARE(t->db().Main().ManualRk, 1);
    QCOMPARE(DocView->Qglowna->rowCount(), 1); // register reloaded
    QCOMPARE(nextNrRk(), 13);                  // by hand, without a restart

    d.show();
    d.CheckKp->setChecked(false);
    d.ZapiszButClick();
    QCOMPARE(Stored(), QStringLiteral("0/1"));
    QCOMPARE(t->db().Main().AutoKp, 0);
}

void ParametryTest::exitChangesNothing() {
    TParametry d;
    d.show();
    d.CheckKp->setChecked(true);
    d.CheckRk->setChecked(true);
    d.ZamknijButClick();
    QVERIFY(!d.isVisible());
    QCOMPARE(Stored(), QStringLiteral("0/0"));
    QCOMPARE(main->AutoKp + main->ManualRk, 0);
    d.show();
    QVERIFY(!d.CheckKp->isChecked() && !d.CheckRk->isChecked());
}

QTEST_MAIN(ParametryTest)
#include "parametry_test.moc"
