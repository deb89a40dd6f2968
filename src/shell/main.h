#pragma once
#include "data/mainstate.h"
#include "shell/singleinstance.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolButton;

// The main window: an MDI frame with the menu, the tool bar and the status
// bar; the register of documents fills its client area.
class TMain : public QMainWindow, public MainState {
    Q_OBJECT
public:
    explicit TMain(QWidget* parent = nullptr);
    ~TMain() override;

    QMdiArea* MdiArea = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QLabel* StatusPanel2 = nullptr;

    // Menu entries, named as the menu has them.
    QAction* DodajKP1 = nullptr;
    QAction* Wstawprzed1 = nullptr;
    QAction* DodajFV1 = nullptr;
    QAction* Wstawprzed2 = nullptr;
    QAction* DodajWB1 = nullptr;
    QAction* Wstawprzed3 = nullptr;
    QAction* Popraw1 = nullptr;
    QAction* Usu1 = nullptr;
    QAction* Anulujdok1 = nullptr;
    QAction* ZamknicieRK1 = nullptr;
    QAction* Raport1 = nullptr;
    QAction* Raportokresowy1 = nullptr;
    QAction* Warto1 = nullptr;
    QAction* Dodajkoszt1 = nullptr;
    QAction* Dodajprzych1 = nullptr;
    QAction* Dodajokres1 = nullptr;
    QAction* Zamknijokres1 = nullptr;
    QAction* Archiwizujdane1 = nullptr;
    QAction* Serwer1 = nullptr;
    QAction* Parametry1 = nullptr;
    QAction* Kontakt1 = nullptr;
    QAction* Zdalnapomoc1 = nullptr;

    // Tool-bar buttons, left to right.
    QToolButton* AddKpBut = nullptr;
    QToolButton* AddFvBut = nullptr;
    QToolButton* AddWbBut = nullptr;
    QToolButton* RaportOkrBut = nullptr;
    QToolButton* RaportKasBut = nullptr;
    QToolButton* UsunBut = nullptr;
    QToolButton* ZamknijBut = nullptr;

    // Where the guard against a second copy keeps its lock (tests move it).
    static QString GuardPath;

    // Reads PARAMETRY into AutoKp and ManualRk; false (message shown) when
    // the database cannot be reached.
    bool ReadParameters();
    // Creates the register window if needed and reloads it on its last line.
    void OpenRegister();
    // False (and a message) when there is no register to act on.
    bool RequireRegister();

public slots:
    void FormShow();
    void DodajKP1Click();
    void DodajFV1Click();
    void DodajWB1Click();
    void Wstawprzed1Click();
    void Wstawprzed2Click();
    void Wstawprzed3Click();
    void Popraw1Click();
    void Anulujdok1Click();
    void UsunButClick();
    void ZamknicieRK1Click();
    void Raport1Click();
    void Raportokresowy1Click();
    void Warto1Click();
    void Dodajkoszt1Click();
    void Dodajprzych1Click();
    void Dodajokres1Click();
    void Archiwizujdane1Click();
    void Serwer1Click();
    void Parametry1Click();
    void Kontakt1Click();
    void Zdalnapomoc1Click();
    void ZamknijButClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildMenu();
    void BuildToolBar();
    void BuildStatusBar();
    QToolButton* AddToolButton(const char* name, const QString& caption, const QString& hint,
                               int icon, void (TMain::*handler)());

    bool shown_ = false;
    std::unique_ptr<SingleInstance> guard_;
    QMdiSubWindow* registerWindow_ = nullptr;
};

extern TMain* Main;
