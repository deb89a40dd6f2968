#include "shell/main.h"

#include "backup/archiwizacja.h"
#include "data/db.h"
#include "documents/addfv.h"
#include "documents/addkp.h"
#include "documents/addwb.h"
#include "reference/addokres.h"
#include "reference/koszty.h"
#include "reference/nrrk.h"
#include "reference/poczatkowe.h"
#include "reference/przychody.h"
#include "reports/cashreport.h"
#include "reports/periodicreport.h"
#include "reports/preview.h"
#include "shell/about.h"
#include "shell/docview.h"
#include "shell/parametry.h"
#include "shell/serwer.h"

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

TMain* Main = nullptr;
QString TMain::GuardPath = SingleInstance::DefaultPath();

TMain::TMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Orva - książka kasowa"));
    MdiArea = new QMdiArea(this);
    MdiArea->setObjectName(QStringLiteral("MdiArea"));
    setCentralWidget(MdiArea);
    BuildMenu();
    BuildToolBar();
    BuildStatusBar();
}

TMain::~TMain() {
    if (Main == this)
        Main = nullptr;
}

namespace {
QAction* AddEntry(QMenu* menu, const char* name, const QString& text) {
    QAction* a = menu->addAction(text);
    a->setObjectName(QLatin1String(name));
    return a;
}
} // namespace

void TMain::BuildMenu() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    auto entry = [this](QMenu* menu, const char* name, const QString& text, void (TMain::*handler)()) {
        QAction* a = AddEntry(menu, name, text);
        if (handler)
            connect(a, &QAction::triggered, this, handler);
        return a;
    };

    QMenu* input = MainMenu1->addMenu(QStringLiteral("Wprowadzanie"));
    QMenu* kp = input->addMenu(QStringLiteral("KP"));
    DodajKP1 = entry(kp, "DodajKP1", QStringLiteral("Dodaj"), &TMain::DodajKP1Click);
    Wstawprzed1 = entry(kp, "Wstawprzed1", QStringLiteral("Wstaw przed"), &TMain::Wstawprzed1Click);
    QMenu* kw = input->addMenu(QStringLiteral("KW"));
    DodajFV1 = entry(kw, "DodajFV1", QStringLiteral("Dodaj"), &TMain::DodajFV1Click);
    Wstawprzed2 = entry(kw, "Wstawprzed2", QStringLiteral("Wstaw przed"), &TMain::Wstawprzed2Click);
    QMenu* wb = input->addMenu(QStringLiteral("WB"));
    DodajWB1 = entry(wb, "DodajWB1", QStringLiteral("Dodaj"), &TMain::DodajWB1Click);
    Wstawprzed3 = entry(wb, "Wstawprzed3", QStringLiteral("Wstaw przed"), &TMain::Wstawprzed3Click);
    Popraw1 = entry(input, "Popraw1", QStringLiteral("Popraw"), &TMain::Popraw1Click);
    Usu1 = entry(input, "Usu1", QStringLiteral("Usuń"), &TMain::UsunButClick);
    Anulujdok1 = entry(input, "Anulujdok1", QStringLiteral("Anuluj dok."), &TMain::Anulujdok1Click);
    ZamknicieRK1 = entry(input, "ZamknicieRK1", QStringLiteral("Zamknięcie RK"), &TMain::ZamknicieRK1Click);

    QMenu* prints = MainMenu1->addMenu(QStringLiteral("Wydruki"));
    Raport1 = entry(prints, "Raport1", QStringLiteral("Raport kasowy"), &TMain::Raport1Click);
    Raportokresowy1 =
        entry(prints, "Raportokresowy1", QStringLiteral("Raport okresowy"), &TMain::Raportokresowy1Click);

    QMenu* settings = MainMenu1->addMenu(QStringLiteral("Ustawienia"));
    Warto1 = entry(settings, "Warto1", QStringLiteral("Wartości początkowe"), &TMain::Warto1Click);
    Dodajkoszt1 = entry(settings, "Dodajkoszt1", QStringLiteral("Koszty"), &TMain::Dodajkoszt1Click);
    Dodajprzych1 = entry(settings, "Dodajprzych1", QStringLiteral("Przychody"), &TMain::Dodajprzych1Click);
    Dodajokres1 = entry(settings, "Dodajokres1", QStringLiteral("Dodaj okres"), &TMain::Dodajokres1Click);
    Zamknijokres1 = entry(settings, "Zamknijokres1", QStringLiteral("Zamknij okres"), nullptr);
    Dodajokres1->setVisible(false);
    Zamknijokres1->setVisible(false);

    QMenu* admin = MainMenu1->addMenu(QStringLiteral("Administracja"));
    Archiwizujdane1 =
        entry(admin, "Archiwizujdane1", QStringLiteral("Archiwizuj dane"), &TMain::Archiwizujdane1Click);
    Serwer1 = entry(admin, "Serwer1", QStringLiteral("Serwer"), &TMain::Serwer1Click);
    Parametry1 = entry(admin, "Parametry1", QStringLiteral("Parametry"), &TMain::Parametry1Click);

    QMenu* help = MainMenu1->addMenu(QStringLiteral("Pomoc"));
    Kontakt1 = entry(help, "Kontakt1", QStringLiteral("Kontakt"), &TMain::Kontakt1Click);
    Zdalnapomoc1 = entry(help, "Zdalnapomoc1", QStringLiteral("Zdalna pomoc"), &TMain::Zdalnapomoc1Click);
}

QToolButton* TMain::AddToolButton(const char* name, const QString& caption, const QString& hint, int icon,
                                  void (TMain::*handler)()) {
    auto* button = new QToolButton(ToolBar1);
    button->setObjectName(QLatin1String(name));
    button->setText(caption);
    button->setToolTip(hint);
    button->setIcon(style()->standardIcon(static_cast<QStyle::StandardPixmap>(icon)));
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setFixedSize(84, 55);
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPixelSize(11);
    button->setFont(small);
    connect(button, &QToolButton::clicked, this, handler);
    ToolBar1->addWidget(button);
    return button;
}

void TMain::BuildToolBar() {
    ToolBar1 = addToolBar(QStringLiteral("ToolBar1"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setFixedHeight(61);
    ToolBar1->setStyleSheet(QStringLiteral("QToolBar#ToolBar1 { border: 1px solid palette(mid); }"));
    AddKpBut = AddToolButton("AddKpBut", QStringLiteral("Dodaj KP"), QStringLiteral("Dodaj KP"),
                             QStyle::SP_FileDialogNewFolder, &TMain::DodajKP1Click);
    AddFvBut = AddToolButton("AddFvBut", QStringLiteral("Dodaj FV"), QStringLiteral("Dodaj fakturę"),
                             QStyle::SP_FileIcon, &TMain::DodajFV1Click);
    AddWbBut = AddToolButton("AddWbBut", QStringLiteral("Dodaj WB"), QStringLiteral("Dodaj wyciąg bankowy"),
                             QStyle::SP_DriveHDIcon, &TMain::DodajWB1Click);
    RaportOkrBut = AddToolButton("RaportOkrBut", QStringLiteral("Raport okresowy"),
                                 QStringLiteral("Raport okresowy"), QStyle::SP_FileDialogDetailedView,
                                 &TMain::Raportokresowy1Click);
    RaportKasBut = AddToolButton("RaportKasBut", QStringLiteral("Raport kasowy"),
                                 QStringLiteral("Raport kasowy"), QStyle::SP_FileDialogContentsView,
                                 &TMain::Raport1Click);
    UsunBut = AddToolButton("UsunBut", QStringLiteral("Usuń"), QStringLiteral("Usuń dokument"),
                            QStyle::SP_TrashIcon, &TMain::UsunButClick);
    ZamknijBut = AddToolButton("ZamknijBut", QStringLiteral("Zamknij"), QStringLiteral("Zamknij program"),
                               QStyle::SP_DialogCloseButton, &TMain::ZamknijButClick);
}

void TMain::BuildStatusBar() {
    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusPanel1 = new QLabel(StatusBar1);
    StatusPanel1->setFixedWidth(250);
    StatusPanel1->setFrameShape(QFrame::Panel);
    StatusPanel1->setFrameShadow(QFrame::Sunken);
    StatusPanel2 = new QLabel(StatusBar1);
    StatusPanel2->setFixedWidth(150);
    StatusPanel2->setFrameShape(QFrame::Panel);
    StatusPanel2->setFrameShadow(QFrame::Sunken);
    StatusBar1->addWidget(StatusPanel1);
    StatusBar1->addWidget(StatusPanel2);
}

void TMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
}

void TMain::FormShow() {
    guard_ = std::make_unique<SingleInstance>(GuardPath);
    if (!guard_->Acquire()) {
        DB->Ui().Show(QStringLiteral("Błąd"), QStringLiteral("Jest już uruchomiony program."),
                      MsgIcon::Exclamation);
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(1); });
        return;
    }
    if (!ReadParameters())
        return;
    NextIsWb = 0;
    OpenRegister();
}

bool TMain::ReadParameters() {
    return DB->RunAction([this] {
        const Rows rows = DB->Select(QStringLiteral("SELECT * FROM PARAMETRY"));
        if (rows.isEmpty())
            return;
        AutoKp = rows.first().value(QStringLiteral("AUTOKP")).toInt();
        ManualRk = rows.first().value(QStringLiteral("AUTORK")).toInt();
    });
}

void TMain::OpenRegister() {
    if (!DocView) {
        DocView = new TDocView;
        registerWindow_ = MdiArea->addSubWindow(
            DocView, Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        registerWindow_->setObjectName(QStringLiteral("DocViewWindow"));
        registerWindow_->showMaximized();
    }
    DocView->FormShow();
}

bool TMain::RequireRegister() {
    if (DocView)
        return true;
    DB->Ui().Show(QStringLiteral("Błąd"),
                  QStringLiteral("Brak połączenia z bazą danych, rejestr dokumentów nie jest otwarty. "
                                 "Ustaw serwer w menu Administracja > Serwer."),
                  MsgIcon::Exclamation);
    return false;
}

void TMain::DodajKP1Click() {
    if (!AddKp || !RequireRegister())
        return;
    EntryMode = 1;
    if (AddKp->PrepareNewDocument())
        AddKp->exec();
}

void TMain::DodajFV1Click() {
    if (!AddFv || !RequireRegister())
        return;
    EntryMode = 1;
    if (AddFv->PrepareNewDocument())
        AddFv->exec();
}

void TMain::DodajWB1Click() {
    if (!AddWb || !RequireRegister())
        return;
    EntryMode = 1;
    if (AddWb->PrepareNewDocument())
        AddWb->exec();
}

void TMain::Wstawprzed1Click() {
    if (RequireRegister())
        DocView->Wstawprzed1Click();
}
void TMain::Wstawprzed2Click() {
    if (RequireRegister())
        DocView->Wstawprzed2Click();
}
void TMain::Wstawprzed3Click() {
    if (RequireRegister())
        DocView->Wstawprzed3Click();
}
void TMain::Popraw1Click() {
    if (RequireRegister())
        DocView->Popraw1Click();
}
void TMain::Anulujdok1Click() {
    if (RequireRegister())
        DocView->Anuluj1Click();
}

void TMain::UsunButClick() {
    if (!RequireRegister())
        return;
    const int n = DocView->SelectedNrDok();
    if (!DocView->RequireSelection())
        return;
    NextIsWb = 0;
    if (!DB->Ui().Ask(QStringLiteral("Ostrzeżenie"), QStringLiteral("Czy na pewno chcesz usunąć wybraną pozycję")))
        return;
    const bool deletedWasWb = DocView->Field("RODZAJDOK").toString().trimmed() == QLatin1String("WB");
    DocView->RunOnSelected(n, [&] {
        const QVariantMap wybor = {{QStringLiteral("WYBOR"), n}};
        // The next document, if any, decides whether the WB's cash report
        // merges with the next one.
        const Rows next = DB->Select(QStringLiteral("SELECT FIRST 1 RODZAJDOK FROM DOKUMENT WHERE NRDOK>:WYBOR "
                                                    "ORDER BY NRDOK"),
                                     wybor);
        const bool laterExist = !next.isEmpty();
        if (laterExist && deletedWasWb)
            NextIsWb = next.first().value(0).toString().trimmed() == QLatin1String("WB") ? 1 : 0;
        DB->Exec(QStringLiteral("DELETE FROM DOKUMENT\nWHERE NRDOK=:WYBOR"), wybor);
        if (laterExist)
            DB->ResequenceAfterDelete(n, deletedWasWb ? 1 : 0, -1, 2);
        DB->CurrentNrRk = DB->Scalar(QStringLiteral("SELECT MAX(NRRK) AS NR FROM DOKUMENT")).toInt();
        DB->SetDocCounter(DB->CurrentNrRk);
        DB->CommitWork();
    });
    DocView->Reload();
}
void TMain::ZamknicieRK1Click() {
    if (NrRk)
        NrRk->exec();
}
void TMain::Raport1Click() {
    if (!RequireRegister())
        return;
    // An empty register reads as no RK, like a bank statement.
    const int rk = DocView->Field("NRRK").toInt();
    if (rk <= 0) {
        DB->Ui().Show(QStringLiteral("Błąd"), QStringLiteral("Musisz wybrać dokument inny niż WB."),
                      MsgIcon::Exclamation);
        return;
    }
    const QDate date = DocView->Field("DATA").toDate();
    Report report;
    // Read in one transaction, so that every figure comes from the same state of the ledger.
    if (!DB->RunAction([&] { report = CashReport(LoadCashReport(rk, date)); }))
        return;
    DocView->Reload();
    ShowReport(std::move(report), this);
}

void TMain::Raportokresowy1Click() {
    if (!RequireRegister())
        return;
    const int okres = DocView->Field("OKRES").toInt();
    if (okres <= 0) {
        DB->Ui().Show(QStringLiteral("Błąd"), QStringLiteral("Brak danych do raportu."), MsgIcon::Exclamation);
        return;
    }
    const QDate date = DocView->Field("DATA").toDate();
    Report report;
    if (!DB->RunAction([&] { report = PeriodicReport(LoadPeriodicReport(okres, date)); }))
        return;
    DocView->Reload();
    ShowReport(std::move(report), this);
}
void TMain::Warto1Click() {
    if (Poczatkowe)
        Poczatkowe->exec();
}
void TMain::Dodajkoszt1Click() {
    if (Koszty)
        Koszty->exec();
}
void TMain::Dodajprzych1Click() {
    if (Przychody)
        Przychody->exec();
}
void TMain::Dodajokres1Click() {
    if (AddOkres)
        AddOkres->exec();
}
void TMain::Archiwizujdane1Click() {
    if (Archiwizacja)
        Archiwizacja->exec();
}
void TMain::Serwer1Click() {
    if (Serwer)
        Serwer->exec();
}
void TMain::Parametry1Click() {
    if (Parametry)
        Parametry->exec();
}
void TMain::Kontakt1Click() { About->exec(); }

void TMain::Zdalnapomoc1Click() {
    // Started without waiting; a missing program shows nothing.
    QProcess::startDetached(RemoteHelpCommand(QCoreApplication::applicationDirPath()), {});
}

void TMain::ZamknijButClick() { close(); }
