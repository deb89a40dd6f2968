#include "documents/addfv.h"

#include "data/db.h"
#include "documents/controls.h"
#include "documents/memo.h"
#include "reports/vouchers.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

TAddFv* AddFv = nullptr;

TAddFv::TAddFv(QWidget* parent)
    : TEntryDialog(parent, "AddFv", QStringLiteral("Dodawanie kosztu"), 366, 452) {

    PageControl1 = NewPageControl();
    BuildDane();
    BuildKw();
    CheckKw = NewPrintBox("CheckKw", QStringLiteral("Drukuj KW"));
    VoucherPrinter = [this](int nrDok) { ShowKwVoucher(nrDok, this); };

    for (QToolButton* b : {ZapiszBut, ZapiszBut1})
        connect(b, &QToolButton::clicked, this, &TAddFv::ZapiszButClick);
    for (QToolButton* b : {ZamknijBut, ZamknijBut2})
        connect(b, &QToolButton::clicked, this, &TAddFv::ZamknijButClick);
    connect(AddRodzaj, &QToolButton::clicked, this, &TAddFv::AddRodzajClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TAddFv::SpeedButton1Click);
    connect(EdWartosc, &QLineEdit::textChanged, this, &TAddFv::EdWartoscChange);

    OnF9(EdRodzaj, [this] { AddRodzajClick(); });
}

void TAddFv::BuildDane() {
    TabDane = new QWidget;
    TabDane->setObjectName(QStringLiteral("TabDane"));
    PageControl1->addTab(TabDane, QStringLiteral("Dane"));

    EdData = NewDateEdit(TabDane, "EdData");
    EdRodzaj = NewCategoryField(TabDane, "EdRodzaj", false);
    AddRodzaj = NewPickButton(TabDane, "AddRodzaj");
    EdNr = NewEdit(TabDane, "EdNr", 20);
    EdWartosc = NewAmountField(TabDane, "EdWartosc");
    EdOpis = NewDescription(TabDane, 90);
    NewInsertBeforeBox(TabDane);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    grid->addWidget(NewLabel(TabDane, QStringLiteral("Data rejestracji")), 0, 0);
    grid->addWidget(EdData, 0, 1, Qt::AlignLeft);
    grid->addWidget(NewLabel(TabDane, QStringLiteral("Rodzaj kosztu")), 1, 0);
    grid->addWidget(EdRodzaj, 1, 1);
    grid->addWidget(AddRodzaj, 1, 2);
    grid->addWidget(NewLabel(TabDane, QStringLiteral("Nr faktury")), 2, 0);
    grid->addWidget(EdNr, 2, 1);
    grid->addWidget(NewLabel(TabDane, QStringLiteral("Wartość\nrozchodu")), 3, 0);
    grid->addWidget(EdWartosc, 3, 1, Qt::AlignLeft);
    grid->addWidget(NewLabel(TabDane, QStringLiteral("Opis")), 4, 0, Qt::AlignTop);
    grid->addWidget(EdOpis, 4, 1, 1, 2);
    grid->addWidget(CheckWstaw, 5, 0, 1, 3);
    grid->setColumnStretch(1, 1);

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

    setTabOrder(EdData, EdRodzaj);
    setTabOrder(EdRodzaj, EdNr);
    setTabOrder(EdNr, EdWartosc);
    setTabOrder(EdWartosc, EdOpis);
    setTabOrder(EdOpis, CheckWstaw);
}

void TAddFv::BuildKw() {
    TabKw = new QWidget;
    TabKw->setObjectName(QStringLiteral("TabKw"));
    PageControl1->addTab(TabKw, QStringLiteral("KW"));

    // As long as the columns NRKW and KTO.
    EdNrKw = NewEdit(TabKw, "EdNrKw", 20);
    EdNrKw->setFixedWidth(150);
    EdKomu = new TMemo(300, TabKw);
    EdKomu->setObjectName(QStringLiteral("EdKomu"));
    EdKomu->setFixedHeight(110);
    SpeedButton1 = NewPickButton(TabKw, "SpeedButton1");
    SpeedButton1->setToolTip(QStringLiteral("Wybierz z listy odbiorców"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    grid->addWidget(NewLabel(TabKw, QStringLiteral("Nr KW")), 0, 0);
    grid->addWidget(EdNrKw, 0, 1, Qt::AlignLeft);
    grid->addWidget(NewLabel(TabKw, QStringLiteral("Komu")), 1, 0, Qt::AlignTop);
    grid->addWidget(EdKomu, 1, 1);
    grid->addWidget(SpeedButton1, 1, 2, Qt::AlignTop);
    grid->setColumnStretch(1, 1);

    ZapiszBut1 = Controls::NewFlatButton(TabKw, "ZapiszBut1", QStringLiteral("Zapisz"),
                                         QStyle::SP_DialogSaveButton);
    ZamknijBut2 = Controls::NewFlatButton(TabKw, "ZamknijBut2", QStringLiteral("Wyjdź"),
                                          QStyle::SP_DialogCloseButton);
    auto* page = new QVBoxLayout(TabKw);
    page->setContentsMargins(10, 12, 10, 6);
    page->addLayout(grid);
    page->addStretch();
    page->addSpacing(PrintBoxRoom);
    page->addWidget(Controls::NewButtonStrip(TabKw, {ZapiszBut1, ZamknijBut2}));
}

bool TAddFv::PrepareNewDocument() {
    EdRodzaj->clear();
    RodzajId = 0;
    EdNr->clear();
    EdWartosc->clear();
    EdOpis->clear();
    CheckWstaw->setChecked(false);
    CheckWstaw->setEnabled(true);
    EdKomu->clear();
    return DB->RunAction([this] {
        SetNewDocumentDates(EdData);
        EdNrKw->setText(ProposeNumber(
            QStringLiteral(
                "SELECT FIRST 1 NRKW FROM DOKUMENT WHERE RODZAJDOK='KW' ORDER BY NRPOZ DESC"),
            QStringLiteral(
                "Nieprawidłowy format ostatniego numeru KW, nie można ustanowić kolejnego numeru "
                "automatycznie.")));
    });
}

void TAddFv::FormShow() {
    PageControl1->setCurrentWidget(TabDane);
    EdData->setFocus();
    CheckKw->setChecked(false);
}

void TAddFv::EdWartoscChange() {
    ClearIfNotAmount(EdWartosc);
}

void TAddFv::AddRodzajClick() {
    OpenCategorySearch(2);
}

void TAddFv::SpeedButton1Click() {
    OpenPayerChooser(2);
}

void TAddFv::ZamknijButClick() {
    reject();
}

bool TAddFv::CheckFields() {
    if (EdRodzaj->text().isEmpty())
        return Refuse(EdRodzaj, QStringLiteral("Musisz wybrać rodzaj kosztu."));
    if (EdNr->text().isEmpty())
        return Refuse(EdNr, QStringLiteral("Musisz wpisać nr Faktury."));
    if (EdWartosc->text().isEmpty())
        return Refuse(EdWartosc, QStringLiteral("Musisz wpisać wartość rozchodu."));
    if (!ReadAmount(EdWartosc, &value_))
        return false;
    if (value_ == 0)
        return Refuse(EdWartosc, QStringLiteral("Musisz wpisać wartość rozchodu większą od 0."));
    if (EdOpis->text().isEmpty())
        return Refuse(EdOpis, QStringLiteral("Musisz wpisać opis."));
    if (CheckKw->isChecked() && EdNrKw->text().isEmpty())
        return Refuse(EdNrKw, QStringLiteral("Jeśli chcesz drukować KW, to musisz wpisać nr KW."));
    if (CheckKw->isChecked() && EdKomu->text().isEmpty())
        return Refuse(EdKomu,
                      QStringLiteral("Jeśli chcesz drukować KW, to musisz wypełnić pole Komu."));
    return WithinLimit(EdWartosc, value_);
}

void TAddFv::ZapiszButClick() {
    if (!CheckFields())
        return;
    Save();
}

// The remaining funds (till and bank) and the cash in the till must both
// cover the cost.
TAddFv::Outcome TAddFv::SaveNewDocument(int month, int year) {
    if (!DB->PrepareNextDocument(month, year))
        return Outcome::NothingWritten;
    if (BalanceAfter() < 0)
        return StopWith(EdWartosc,
                        QStringLiteral("Zbyt duża wartość kosztów, przekracza całkowitą wartość "
                                       "posiadanych środków."));
    if (!DB->CashOnHand(static_cast<float>(value_)))
        return StopWith(EdWartosc,
                        QStringLiteral("Zbyt duży rozchód, nie ma tyle gotówki w kasie."));
    WriteRow();
    if (DB->PreviousNrRk < DB->CurrentNrRk)
        DB->SetDocCounter(DB->CurrentNrRk);
    return Outcome::Written;
}

long double TAddFv::BalanceAfter() const {
    return TDB::RoundMoney(
        static_cast<float>(DB->LastBalance - TDB::RoundMoney(static_cast<float>(value_))));
}

// What the user typed, with the balance after the document, as the insert
// and the correction's update bind them; NRKW only when typed.
QVariantMap TAddFv::TypedValues() const {
    QVariantMap values = {
        {QStringLiteral("DATA"), EdData->date()},
        {QStringLiteral("ROZCHOD"), value_},
        {QStringLiteral("RODZAJK"), RodzajId},
        {QStringLiteral("NUMER"), EdNr->text()},
        {QStringLiteral("OPIS"), EdOpis->text()},
        {QStringLiteral("POZOSTALESR"), static_cast<double>(BalanceAfter())},
        {QStringLiteral("KTO"), EdKomu->text()},
    };
    if (!EdNrKw->text().isEmpty())
        values.insert(QStringLiteral("NRKW"), EdNrKw->text());
    return values;
}

void TAddFv::WriteRow() {
    QVariantMap line = TypedValues();
    line.insert(QStringLiteral("PRZYCHOD"), 0.0);
    line.insert(QStringLiteral("NRDOK"), DB->NextNrDok);
    line.insert(QStringLiteral("NRPOZ"), DB->NextNrPoz);
    line.insert(QStringLiteral("RODZAJP"), 1);
    line.insert(QStringLiteral("RODZAJDOK"), QStringLiteral("KW"));
    line.insert(QStringLiteral("OKRES"), DB->CurrentOkres);
    line.insert(QStringLiteral("NRRK"), DB->CurrentNrRk);
    DB->Exec(
        QStringLiteral(
            "INSERT INTO DOKUMENT\n"
            "(DATA,PRZYCHOD,ROZCHOD,NRDOK,NRPOZ,RODZAJP,RODZAJK,RODZAJDOK,NUMER,OPIS,POZOSTALESR,"
            "OKRES,NRRK,KTO,NRKW)\n"
            "VALUES (:DATA,:PRZYCHOD,:ROZCHOD,:NRDOK,:NRPOZ,:RODZAJP,:RODZAJK,:RODZAJDOK,:NUMER,"
            ":OPIS,:POZOSTALESR,:OKRES,:NRRK,:KTO,\n") +
            NrKwValue() + QStringLiteral("\n)"),
        line);
}

QString TAddFv::NrKwValue() const {
    return EdNrKw->text().isEmpty() ? QStringLiteral("NULL") : QStringLiteral(":NRKW");
}

Rows TAddFv::ReadDocument(int nrDok) const {
    return DB->Select(QStringLiteral("SELECT D.*, K.NAZWA AS NAZWAK FROM DOKUMENT D, KOSZTY K\n"
                                     " WHERE D.NRDOK=:WYBOR AND D.RODZAJK=K.ID_KOSZTY"
                                     " ORDER BY D.ID_DOKUMENT"),
                      {{QStringLiteral("WYBOR"), nrDok}});
}

// The category is the line's own, taken by its key: two categories may
// share a name.
void TAddFv::LoadDocument(const Rows& rows) {
    const QSqlRecord& row = rows.first();
    EdRodzaj->setText(NameText(row.value(QStringLiteral("NAZWAK"))));
    RodzajId = row.value(QStringLiteral("RODZAJK")).toInt();
    EdNr->setText(row.value(QStringLiteral("NUMER")).toString());
    EdWartosc->setText(AmountText(row.value(QStringLiteral("ROZCHOD")).toDouble(), false));
    EdOpis->setText(row.value(QStringLiteral("OPIS")).toString());
    EdNrKw->setText(row.value(QStringLiteral("NRKW")).toString());
    EdKomu->setText(row.value(QStringLiteral("KTO")).toString());
}

// The cost document keeps its line: it is updated in place, numbers,
// period and cash report untouched.
TAddFv::Outcome TAddFv::SaveCorrection() {
    if (!BeginCorrection())
        return Outcome::Stopped;
    QVariantMap values = TypedValues();
    values.insert(QStringLiteral("WYBOR"), DB->NextNrDok);
    DB->Exec(QStringLiteral("UPDATE DOKUMENT\n"
                            "SET DATA=:DATA,ROZCHOD=:ROZCHOD,RODZAJK=:RODZAJK,NUMER=:NUMER,\n"
                            "OPIS=:OPIS,POZOSTALESR=:POZOSTALESR,KTO=:KTO,\n") +
                 QStringLiteral("NRKW=") + NrKwValue() + QStringLiteral("\nWHERE NRDOK=:WYBOR"),
             values);
    RecomputeFrom(DB->NextNrDok);
    return Outcome::Written;
}
