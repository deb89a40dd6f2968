#pragma once
// A fresh ledger with the main window's state and the document windows, as
// the program has them, without a register window.
#include "common/entrywindows.h"
#include "common/testdb.h"
#include "documents/addfv.h"
#include "documents/addkp.h"
#include "documents/addwb.h"
#include "documents/szukajf.h"
#include "documents/wyborkto.h"
#include "reports/preview.h"
#include "shell/main.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

class EntryFixture {
  public:
    EntryFixture() {
        TMain::GuardPath = guardDir_.filePath(QStringLiteral("guard"));
        Main = new TMain;
        Main->EntryMode = 1;
        t.db().SetMainState(Main);
        CreateDocumentWindows(nullptr);
    }
    ~EntryFixture() {
        DeleteDocumentWindows();
        t.db().SetMainState(nullptr);
        delete Main;
        Main = nullptr;
    }
    EntryFixture(const EntryFixture&) = delete;
    EntryFixture& operator=(const EntryFixture&) = delete;

    // Revenue categories 2.. and cost categories 2.. with these names.
    void Categories(const QStringList& revenues, const QStringList& costs) {
        QStringList sql;
        int id = 2;
        for (const QString& name : revenues)
            sql << QStringLiteral("INSERT INTO PRZYCHODY (ID_PRZYCHODY,NAZWA,POCZATEKPRZYCH,US) "
                                  "VALUES (%1,'%2',0,'0')")
                       .arg(id++)
                       .arg(name);
        id = 2;
        for (const QString& name : costs)
            sql << QStringLiteral("INSERT INTO KOSZTY (ID_KOSZTY,NAZWA,POCZATEKKOSZT,US) VALUES "
                                  "(%1,'%2',0,'0')")
                       .arg(id++)
                       .arg(name);
        t.Run(sql);
    }

    // Opening values: funds, cash in the till.
    void Opening(const QString& funds, const QString& cash = QStringLiteral("0")) {
        t.Run({QStringLiteral("UPDATE STANP SET WARTOSC=%1, KASAWARTOSC=%2").arg(funds, cash)});
    }

    // Shows a dialog as its opener would, without waiting for it.
    static void Show(QDialog* dialog) {
        dialog->show();
        QApplication::setActiveWindow(dialog);
    }

    int Count(const QString& where = QString()) {
        return t.Value(QStringLiteral("SELECT COUNT(*) FROM DOKUMENT ") + where).toInt();
    }

    TestDb t;

  private:
    QTemporaryDir guardDir_;
};

// The object name of the control that has (or will get) the focus.
inline QString Focused(QWidget* dialog) {
    QWidget* w = dialog->focusWidget();
    return w ? w->objectName() : QString();
}

// Title of the tab shown, "" without tabs.
inline QString CurrentTab(QWidget* dialog) {
    auto* tabs = dialog->findChild<QTabWidget*>();
    return tabs ? tabs->tabText(tabs->currentIndex()) : QString();
}

// Runs action; every report preview it opens is counted and closed.
inline int PreviewsShownBy(const std::function<void()>& action) {
    int shown = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* preview = qobject_cast<ReportPreview*>(w);
            if (preview && preview->isVisible()) {
                ++shown;
                preview->reject();
            }
        }
    });
    closer.start(20);
    action();
    return shown;
}

// A save refused by a field check: its one message, the tab and the field
// shown, the dialog still open and nothing written.
inline void ExpectRefused(EntryFixture& f, QDialog* dialog, const QString& message,
                          const QString& tab, const QString& focus) {
    QCOMPARE(f.t.ui().Texts(), QStringList{message});
    QCOMPARE(f.t.ui().messages.first().caption, QStringLiteral("Błąd"));
    QCOMPARE(f.t.ui().messages.first().icon, MsgIcon::Exclamation);
    QCOMPARE(CurrentTab(dialog), tab);
    QCOMPARE(Focused(dialog), focus);
    QVERIFY(dialog->isVisible());
    QCOMPARE(f.Count(), 0);
}
