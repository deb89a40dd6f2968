// The settings windows: made at start-up in their order and opened from
// their menu entries.
#include "common/testdb.h"
#include "shell/main.h"
#include "shell/startup.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTimer>

class SettingsMenuTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void madeInStartupOrder();
    void menuEntryOpensItsWindow_data();
    void menuEntryOpensItsWindow();

private:
    QTemporaryDir dir_;
    TDB* made_ = nullptr;
};

void SettingsMenuTest::initTestCase() {
    TMain::GuardPath = dir_.filePath(QStringLiteral("guard.lock"));
    CreateAll(dir_.path(), [](int, int) {});
    made_ = DB;
}

void SettingsMenuTest::cleanupTestCase() {
    delete Main;
    delete made_;
    DB = nullptr;
}

void SettingsMenuTest::madeInStartupOrder() {
    const QStringList mine = {"TSerwer",    "TPoczatkowe",   "TAddOkres",  "TKoszty", "TPrzychody",
                              "TAddKoszty", "TAddPrzychody", "TParametry", "TNrRk"};
    QStringList made;
    for (const StartupStep& step : StartupSteps(dir_.path())) {
        if (mine.contains(step.name))
            made << step.name;
    }
    QCOMPARE(made, mine);
}

void SettingsMenuTest::menuEntryOpensItsWindow_data() {
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("visible");
    QTest::newRow("Wartości początkowe") << "Warto1"
                                         << "Poczatkowe" << true;
    QTest::newRow("Koszty") << "Dodajkoszt1"
                            << "Koszty" << true;
    QTest::newRow("Przychody") << "Dodajprzych1"
                               << "Przychody" << true;
    QTest::newRow("Zamknięcie RK") << "ZamknicieRK1"
                                   << "NrRk" << true;
    QTest::newRow("Serwer") << "Serwer1"
                            << "Serwer" << true;
    QTest::newRow("Parametry") << "Parametry1"
                               << "Parametry" << true;
    QTest::newRow("Dodaj okres (hidden)") << "Dodajokres1"
                                          << "AddOkres" << false;
}

void SettingsMenuTest::menuEntryOpensItsWindow() {
    QFETCH(QString, action);
    QFETCH(QString, window);
    QFETCH(bool, visible);
    TestDb t; // the windows read a real database
    auto* entry = Main->findChild<QAction*>(action);
    QVERIFY(entry);
    QCOMPARE(entry->isVisible(), visible);
    QString opened;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = modal->objectName();
            modal->close();
        }
    });
    if (visible) {
        QVERIFY(entry->isEnabled());
        entry->trigger();
    } else { // a hidden entry cannot be chosen; its handler still works
        QVERIFY(QMetaObject::invokeMethod(
            Main, (action + QStringLiteral("Click")).toLatin1().constData()));
    }
    QCOMPARE(opened, window);
    QVERIFY2(t.ui().messages.isEmpty(), qPrintable(t.ui().Texts().join('\n')));
}

QTEST_MAIN(SettingsMenuTest)
#include "settingsmenu_test.moc"
