#include "documents/addkp.h"

#include "data/db.h"
#include "documents/controls.h"
#include "documents/memo.h"
#include "reports/vouchers.h"
#include "shell/main.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

TAddKp* AddKp = nullptr;

TAddKp::TAddKp(QWidget* parent)
    : TEntryDialog(parent, "AddKp", QStringLiteral("Dodawanie przychodu"), 758, 450) {

    PageControl1 = NewPageControl();
    BuildDane();
    BuildKp();
    CheckKp = NewPrintBox("CheckKp", QStringLiteral("Drukuj KP"));
    VoucherPrinter = [this](int nrDok) { ShowKpVoucher(nrDok, this); };

    for (QToolButton* b : {ZapiszBut, ZapiszBut1})
        connect(b, &QToolButton::clicked, this, &TAddKp::ZapiszButClick);
    for (QToolButton* b : {ZamknijBut, ZamknijBut1})
        connect(b, &QToolButton::clicked, this, &TAddKp::ZamknijButClick);
    connect(AddRodzajP, &QToolButton::clicked, this, &TAddKp::AddRodzajPClick);
    connect(AddRodzajPD, &QToolButton::clicked, this, &TAddKp::AddRodzajPDClick);
    connect(SpeedButton3, &QToolButton::clicked, this, &TAddKp::SpeedButton3Click);
    connect(EdWartoscP, &QLineEdit::textChanged, this, &TAddKp::EdWartoscPChange);
    connect(Usu1, &QAction::triggered, this, &TAddKp::Usu1Click);

    OnF9(EdRodzajP, [this] { AddRodzajPClick(); });
    OnF9(EdRodzajPD, [this] { AddRodzajPDClick(); });

    DisableSecondCategory(); // enabled by the first key accepted in EdWartoscP
}

void TAddKp::BuildDane() {
    TabDane = new QWidget;
    TabDane->setObjectName(QStringLiteral("TabDane"));
    PageControl1->addTab(TabDane, QStringLiteral("Dane"));

    EdData = NewDateEdit(TabDane, "EdData");
    EdRodzajP = NewCategoryField(TabDane, "EdRodzajP", true);
    AddRodzajP = NewPickButton(TabDane, "AddRodzajP");
    // A key accepted in the first value enables the second category.
    EdWartoscP = NewAmountField(TabDane, "EdWartoscP", [this] { EnableSecondCategory(); });
    EdNr = NewEdit(TabDane, "EdNr", 20);
    EdOpis = NewDescription(TabDane, 70);
    NewInsertBeforeBox(TabDane);
    Label11 = NewLabel(TabDane, QStringLiteral("Rodzaj przychodu"), "Label11");
    EdRodzajPD = NewCategoryField(TabDane, "EdRodzajPD", true);
    AddRodzajPD = NewPickButton(TabDane, "AddRodzajPD");
    Label5 = NewLabel(TabDane, QStringLiteral("Wartość przychodu"), "Label5");
    EdWartoscPD = NewAmountField(TabDane, "EdWartoscPD");

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    grid->addWidget(NewLabel(TabDane, QStringLiteral("Data rejestracji")), 0, 0);
    grid->addWidget(EdData, 0, 1, Qt::AlignLeft);
    grid->addWidget(NewLabel(TabDane, QStringLiteral("Rodzaj przychodu")), 1, 0);
    grid->addWidget(EdRodzajP, 1, 1);
    grid->addWidget(AddRodzajP, 1, 2);
    grid->addWidget(NewLabel(TabDane, QStringLiteral("Wartość\nprzychodu")), 2, 0);
    grid->addWidget(EdWartoscP, 2, 1, Qt::AlignLeft);
    grid->addWidget(NewLabel(TabDane, QStringLiteral("Nr KP")), 3, 0);
    grid->addWidget(EdNr, 3, 1);
    grid->addWidget(NewLabel(TabDane, QStringLiteral("Opis")), 4, 0, Qt::AlignTop);
    grid->addWidget(EdOpis, 4, 1, 1, 2);
    grid->addWidget(CheckWstaw, 5, 1, 1, 2);
    grid->setColumnMinimumWidth(3, 30);
    grid->addWidget(Label11, 1, 4);
    grid->addWidget(EdRodzajPD, 1, 5);
    grid->addWidget(AddRodzajPD, 1, 6);
    grid->addWidget(Label5, 2, 4);
    grid->addWidget(EdWartoscPD, 2, 5, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(5, 1);

    ZapiszBut = Controls::NewFlatButton(TabDane, "ZapiszBut", QStringLiteral("Zapisz"),
                                        QStyle::SP_DialogSaveButton);
    ZamknijBut = Controls::NewFlatButton(TabDane, "ZamknijBut", QStringLiteral("Wyjdź"),
                                         QStyle::SP_DialogCloseButton);
    auto* page = new QVBoxLayout(TabDane);
    page->setContentsMargins(10, 12, 10, 6);
    page->addLayout(grid);
    page->addStretch();
    page->addSpacing(PrintBoxRoom);
    page->addWidget(Controls::NewButtonStrip(TabDane, {ZapiszBut, ZamknijBut}));

    setTabOrder(EdData, EdRodzajP);
    setTabOrder(EdRodzajP, EdWartoscP);
    setTabOrder(EdWartoscP, EdNr);
    setTabOrder(EdNr, EdOpis);
    setTabOrder(EdOpis, CheckWstaw);
    setTabOrder(CheckWstaw, EdRodzajPD);
    setTabOrder(EdRodzajPD, EdWartoscPD);
}

void TAddKp::BuildKp() {
    TabKp = new QWidget;
    TabKp->setObjectName(QStringLiteral("TabKp"));
    PageControl1->addTab(TabKp, QStringLiteral("KP"));

    EdKomu = new TMemo(300, TabKp);
    EdKomu->setObjectName(QStringLiteral("EdKomu"));
    EdKomu->setFixedSize(460, 110);
    SpeedButton3 = NewPickButton(TabKp, "SpeedButton3");
    SpeedButton3->setToolTip(QStringLiteral("Wybierz z listy wpłacających"));

    auto* row = new QHBoxLayout;
    row->addWidget(NewLabel(TabKp, QStringLiteral("Od kogo")), 0, Qt::AlignTop);
    row->addSpacing(20);
    row->addWidget(EdKomu);
    row->addWidget(SpeedButton3, 0, Qt::AlignTop);
    row->addStretch();

    ZapiszBut1 = Controls::NewFlatButton(TabKp, "ZapiszBut1", QStringLiteral("Zapisz"),
                                         QStyle::SP_DialogSaveButton);
    ZamknijBut1 = Controls::NewFlatButton(TabKp, "ZamknijBut1", QStringLiteral("Wyjdź"),
                                          QStyle::SP_DialogCloseButton);
    auto* page = new QVBoxLayout(TabKp);
    page->setContentsMargins(10, 12, 10, 6);
    page->addLayout(row);
    page->addStretch();
    page->addSpacing(PrintBoxRoom);
    page->addWidget(Controls::NewButtonStrip(TabKp, {ZapiszBut1, ZamknijBut1}));
}

bool TAddKp::PrepareNewDocument() {
    EdRodzajP->clear();
    RodzajPId = 0;
    EdRodzajPD->clear();
    RodzajPDId = 0;
    EdKomu->clear();
    EdWartoscP->clear();
    EdWartoscPD->clear();
    EdOpis->clear();
    CheckWstaw->setChecked(false);
    CheckWstaw->setEnabled(true);
    return DB->RunAction([this] {
        SetNewDocumentDates(EdData);
        if (Main && Main->AutoKp == 1)
            EdNr->setText(ProposeNumber(
                QStringLiteral(
                    "SELECT FIRST 1 NUMER FROM DOKUMENT WHERE RODZAJDOK='KP' ORDER BY NRPOZ DESC"),
                QStringLiteral(
                    "Nieprawidłowy format ostatniego numeru KP, nie można ustanowić kolejnego "
                    "numeru automatycznie.")));
        else
            EdNr->clear();
    });
}

void TAddKp::FormShow() {
    PageControl1->setCurrentWidget(TabDane);
    EdData->setFocus();
    CheckKp->setChecked(false);
    if (Main && Main->EntryMode == 1) {
        EdRodzajPD->clear();
        EdWartoscPD->clear();
    }
}

void TAddKp::EnableSecondCategory() {
    SetEnabled({Label11, Label5, AddRodzajPD, EdRodzajPD, EdWartoscPD}, true);
}

void TAddKp::DisableSecondCategory() {
    SetEnabled({Label11, Label5, AddRodzajPD, EdRodzajPD, EdWartoscPD}, false);
}

void TAddKp::EdWartoscPChange() {
    ClearIfNotAmount(EdWartoscP);
}

void TAddKp::AddRodzajPClick() {
    OpenCategorySearch(1);
}

void TAddKp::AddRodzajPDClick() {
    OpenCategorySearch(7);
}

void TAddKp::SpeedButton3Click() {
    OpenPayerChooser(1);
}

void TAddKp::Usu1Click() {
    if (PopupComponent == EdRodzajP) {
        EdRodzajP->clear();
        EdWartoscP->clear();
    } else if (PopupComponent == EdRodzajPD) {
        EdRodzajPD->clear();
        EdWartoscPD->clear();
    }
}

void TAddKp::ZamknijButClick() {
    reject();
}

bool TAddKp::CheckFields() {
    const QString revenue = QStringLiteral("Musisz wybrać rodzaj przychodu.");
    const QString value = QStringLiteral("Musisz wpisać wartość przychodu.");
    if (EdRodzajP->text().isEmpty())
        return Refuse(EdRodzajP, revenue);
    if (EdNr->text().isEmpty())
        return Refuse(EdNr, QStringLiteral("Musisz wpisać nr KP."));
    if (EdWartoscP->text().isEmpty())
        return Refuse(EdWartoscP, value);
    if (!ReadAmount(EdWartoscP, &valueP_))
        return false;
    if (valueP_ == 0)
        return Refuse(EdWartoscP, QStringLiteral("Musisz wpisać wartość przychodu większą od 0."));
    if (EdOpis->text().isEmpty())
        return Refuse(EdOpis, QStringLiteral("Musisz wpisać opis."));
    if (CheckKp->isChecked() && EdKomu->text().isEmpty())
        return Refuse(EdKomu,
                      QStringLiteral("Jeśli chcesz drukować KP, to musisz wypełnić pole Od kogo."));
    if (!EdRodzajPD->text().isEmpty() && EdWartoscPD->text().isEmpty())
        return Refuse(EdWartoscPD, value);
    if (!EdWartoscPD->text().isEmpty() && EdRodzajPD->text().isEmpty())
        return Refuse(EdRodzajPD, revenue);
    return true;
}

// The second value is checked only by its key filter while typing; a text
// that is no amount (a lone comma, something pasted) is refused here,
// before anything is written.
bool TAddKp::ReadValues() {
    valuePD_ = 0;
    if (!EdWartoscPD->text().isEmpty() && !ReadAmount(EdWartoscPD, &valuePD_))
        return false;
    return WithinLimit(EdWartoscP, valueP_) && WithinLimit(EdWartoscPD, valuePD_);
}

void TAddKp::ZapiszButClick() {
    if (!CheckFields() || !ReadValues())
        return;
    DocumentTotal = static_cast<float>(TDB::RoundMoney(static_cast<float>(valueP_)));
    if (!EdWartoscPD->text().isEmpty())
        DocumentTotal =
            static_cast<float>(TDB::RoundMoney(static_cast<float>(DocumentTotal + valuePD_)));
    Save();
}

TAddKp::Outcome TAddKp::SaveNewDocument(int month, int year) {
    if (!DB->PrepareNextDocument(month, year))
        return Outcome::NothingWritten;
    WriteRows();
    if (DB->PreviousNrRk < DB->CurrentNrRk)
        DB->SetDocCounter(DB->CurrentNrRk);
    return Outcome::Written;
}

void TAddKp::WriteRows() {
    QVariantMap line = {
        {QStringLiteral("DATA"), EdData->date()},
        {QStringLiteral("PRZYCHOD"), valueP_},
        {QStringLiteral("ROZCHOD"), 0.0},
        {QStringLiteral("NRDOK"), DB->NextNrDok},
        {QStringLiteral("NRPOZ"), DB->NextNrPoz},
        {QStringLiteral("RODZAJP"), RodzajPId},
        {QStringLiteral("RODZAJK"), 1},
        {QStringLiteral("RODZAJDOK"), QStringLiteral("KP")},
        {QStringLiteral("NUMER"), EdNr->text()},
        {QStringLiteral("OPIS"), EdOpis->text()},
        {QStringLiteral("POZOSTALESR"),
         static_cast<double>(TDB::RoundMoney(
             static_cast<float>(TDB::RoundMoney(static_cast<float>(valueP_)) + DB->LastBalance)))},
        {QStringLiteral("OKRES"), DB->CurrentOkres},
        {QStringLiteral("NRRK"), DB->CurrentNrRk},
        {QStringLiteral("KTO"), EdKomu->text()},
    };
    DB->Exec(
        QStringLiteral(
            "INSERT INTO DOKUMENT\n"
            "(DATA,PRZYCHOD,ROZCHOD,NRDOK,NRPOZ,RODZAJP,RODZAJK,RODZAJDOK,NUMER,OPIS,POZOSTALESR,"
            "OKRES,NRRK,KTO)\n"
            "VALUES (:DATA,:PRZYCHOD,:ROZCHOD,:NRDOK,:NRPOZ,:RODZAJP,:RODZAJK,:RODZAJDOK,:NUMER,"
            ":OPIS,:POZOSTALESR,:OKRES,:NRRK,:KTO)"),
        line);
    if (EdRodzajPD->text().isEmpty())
        return;
    line.remove(QStringLiteral("KTO"));
    line[QStringLiteral("PRZYCHOD")] = valuePD_;
    line[QStringLiteral("RODZAJP")] = RodzajPDId;
    line[QStringLiteral("POZOSTALESR")] = static_cast<double>(TDB::RoundMoney(
        static_cast<float>(static_cast<long double>(DB->LastBalance) + DocumentTotal)));
    DB->Exec(
        QStringLiteral(
            "INSERT INTO DOKUMENT\n"
            "(DATA,PRZYCHOD,ROZCHOD,NRDOK,NRPOZ,RODZAJP,RODZAJK,RODZAJDOK,NUMER,OPIS,POZOSTALESR,"
            "OKRES,NRRK)\n"
            "VALUES (:DATA,:PRZYCHOD,:ROZCHOD,:NRDOK,:NRPOZ,:RODZAJP,:RODZAJK,:RODZAJDOK,:NUMER,"
            ":OPIS,:POZOSTALESR,:OKRES,:NRRK)"),
        line);
}

Rows TAddKp::ReadDocument(int nrDok) const {
    return DB->Select(QStringLiteral("SELECT D.*, P.NAZWA as NAZWAP FROM DOKUMENT D, PRZYCHODY P\n"
                                     " WHERE D.NRDOK=:WYBOR AND D.RODZAJP=P.ID_PRZYCHODY"
                                     " ORDER BY D.ID_DOKUMENT"),
                      {{QStringLiteral("WYBOR"), nrDok}});
}

// A KP of two lines opens with its second category; a cancelled one with
// an empty amount.
void TAddKp::LoadDocument(const Rows& rows) {
    const QSqlRecord& first = rows.first();
    EdNr->setText(first.value(QStringLiteral("NUMER")).toString());
    EdOpis->setText(first.value(QStringLiteral("OPIS")).toString());
    EdKomu->setText(first.value(QStringLiteral("KTO")).toString());
    auto load = [](const QSqlRecord& row, QLineEdit* name, QLineEdit* value, int* id) {
        name->setText(NameText(row.value(QStringLiteral("NAZWAP"))));
        value->setText(AmountText(row.value(QStringLiteral("PRZYCHOD")).toDouble(), true));
        *id = row.value(QStringLiteral("RODZAJP")).toInt();
    };
    load(first, EdRodzajP, EdWartoscP, &RodzajPId);
    if (rows.size() == 2) {
        load(rows.last(), EdRodzajPD, EdWartoscPD, &RodzajPDId);
        EnableSecondCategory();
        return;
    }
    EdRodzajPD->clear();
    EdWartoscPD->clear();
    RodzajPDId = 0;
    DisableSecondCategory();
}
