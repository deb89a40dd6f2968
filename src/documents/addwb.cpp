#include "documents/addwb.h"

#include "data/db.h"
#include "documents/controls.h"
#include "documents/memo.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

TAddWb* AddWb = nullptr;

namespace {
void SetItalic(QWidget* w, bool italic) {
    QFont f = w->font();
    f.setItalic(italic);
    w->setFont(f);
}
} // namespace

TAddWb::TAddWb(QWidget* parent)
    : TEntryDialog(parent, "AddWb", QStringLiteral("Dodawanie WB"), 660, 400) {

    EdData = NewDateEdit(this, "EdData");
    EdNr = NewEdit(this, "EdNr", 20);
    EdNr->setFixedWidth(160);
    auto* top = new QHBoxLayout;
    top->addWidget(NewLabel(this, QStringLiteral("Data rejestracji")));
    top->addWidget(EdData);
    top->addSpacing(30);
    top->addWidget(NewLabel(this, QStringLiteral("Nr WB")));
    top->addWidget(EdNr);
    top->addStretch();

    QLabel* second[2];
    // A key accepted in the first amount of a side enables its second pair.
    QFrame* firstRevenue =
        BuildPair(QStringLiteral("Rodzaj przychodu"), QStringLiteral("Wartość przychodu"),
                  EdRodzajP, AddRodzajP, EdWartoscP, nullptr, [this] { EnableSecondRevenue(); });
    Panel1 = BuildPair(QStringLiteral("Rodzaj przychodu"), QStringLiteral("Wartość przychodu"),
                       EdRodzajPD, AddRodzajPD, EdWartoscPD, second, {});
    LabelRodzajPD = second[0];
    LabelWartoscPD = second[1];
    QFrame* firstCost =
        BuildPair(QStringLiteral("Rodzaj kosztu"), QStringLiteral("Wartość kosztu"), EdRodzajK,
                  AddRodzajK, EdWartoscK, nullptr, [this] { EnableSecondCost(); });
    Panel2 = BuildPair(QStringLiteral("Rodzaj kosztu"), QStringLiteral("Wartość kosztu"),
                       EdRodzajKD, AddRodzajKD, EdWartoscKD, second, {});
    LabelRodzajKD = second[0];
    LabelWartoscKD = second[1];
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel2->setObjectName(QStringLiteral("Panel2"));
    const QList<std::pair<QLineEdit*, const char*>> names = {
        {EdRodzajP, "EdRodzajP"},     {EdWartoscP, "EdWartoscP"},  {EdRodzajPD, "EdRodzajPD"},
        {EdWartoscPD, "EdWartoscPD"}, {EdRodzajK, "EdRodzajK"},    {EdWartoscK, "EdWartoscK"},
        {EdRodzajKD, "EdRodzajKD"},   {EdWartoscKD, "EdWartoscKD"}};
    for (const auto& [edit, name] : names)
        edit->setObjectName(QLatin1String(name));
    AddRodzajP->setObjectName(QStringLiteral("AddRodzajP"));
    AddRodzajPD->setObjectName(QStringLiteral("AddRodzajPD"));
    AddRodzajK->setObjectName(QStringLiteral("AddRodzajK"));
    AddRodzajKD->setObjectName(QStringLiteral("AddRodzajKD"));

    auto* revenue = new QVBoxLayout;
    revenue->addWidget(firstRevenue);
    revenue->addWidget(Panel1);
    auto* cost = new QVBoxLayout;
    cost->addWidget(firstCost);
    cost->addWidget(Panel2);
    auto* sides = new QHBoxLayout;
    sides->addLayout(revenue);
    sides->addSpacing(12);
    sides->addLayout(cost);

    CheckZero = new QCheckBox(QStringLiteral("WB \"zero\""), this);
    CheckZero->setObjectName(QStringLiteral("CheckZero"));
    CheckZero->setLayoutDirection(Qt::RightToLeft); // the text stands left of the box
    QFont bold = CheckZero->font();
    bold.setBold(true);
    CheckZero->setFont(bold);
    CheckZero->setStyleSheet(QStringLiteral("QCheckBox { color: #d00000; }"));
    EdOpis = NewDescription(this, 54);
    NewInsertBeforeBox(this);
    auto* description = new QHBoxLayout;
    description->addWidget(NewLabel(this, QStringLiteral("Opis")), 0, Qt::AlignTop);
    description->addWidget(EdOpis, 1);

    ZapiszBut = Controls::NewFlatButton(this, "ZapiszBut", QStringLiteral("Zapisz"),
                                        QStyle::SP_DialogSaveButton);
    ZamknijBut = Controls::NewFlatButton(this, "ZamknijBut", QStringLiteral("Zamknij"),
                                         QStyle::SP_DialogCloseButton);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(10, 10, 10, 6);
    column->addLayout(top);
    column->addSpacing(6);
    column->addLayout(sides);
    column->addWidget(CheckZero, 0, Qt::AlignAbsolute | Qt::AlignLeft);
    column->addLayout(description);
    column->addWidget(CheckWstaw);
    column->addStretch();
    column->addWidget(Controls::NewButtonStrip(this, {ZapiszBut, ZamknijBut}));

    setTabOrder(EdData, EdNr);
    setTabOrder(EdNr, EdRodzajP);
    setTabOrder(EdRodzajP, EdWartoscP);
    setTabOrder(EdWartoscP, EdRodzajPD);
    setTabOrder(EdRodzajPD, EdWartoscPD);
    setTabOrder(EdWartoscPD, EdRodzajK);
    setTabOrder(EdRodzajK, EdWartoscK);
    setTabOrder(EdWartoscK, EdRodzajKD);
    setTabOrder(EdRodzajKD, EdWartoscKD);
    setTabOrder(EdWartoscKD, CheckZero);
    setTabOrder(CheckZero, EdOpis);
    setTabOrder(EdOpis, CheckWstaw);

    connect(ZapiszBut, &QToolButton::clicked, this, &TAddWb::ZapiszButClick);
    connect(ZamknijBut, &QToolButton::clicked, this, &TAddWb::ZamknijButClick);
    connect(AddRodzajK, &QToolButton::clicked, this, &TAddWb::AddRodzajKClick);
    connect(AddRodzajP, &QToolButton::clicked, this, &TAddWb::AddRodzajPClick);
    connect(AddRodzajKD, &QToolButton::clicked, this, &TAddWb::AddRodzajKDClick);
    connect(AddRodzajPD, &QToolButton::clicked, this, &TAddWb::AddRodzajPDClick);
    connect(EdWartoscK, &QLineEdit::textChanged, this, &TAddWb::EdWartoscKChange);
    connect(EdWartoscP, &QLineEdit::textChanged, this, &TAddWb::EdWartoscPChange);
    connect(EdWartoscKD, &QLineEdit::textChanged, this, &TAddWb::EdWartoscKDChange);
    connect(EdRodzajPD, &QLineEdit::textChanged, this, &TAddWb::EdRodzajPDChange);
    connect(CheckZero, &QCheckBox::toggled, this, &TAddWb::CheckZeroClick);
    connect(Usu1, &QAction::triggered, this, &TAddWb::Usu1Click);

    OnF9(EdRodzajK, [this] { AddRodzajKClick(); });
    OnF9(EdRodzajP, [this] { AddRodzajPClick(); });
    OnF9(EdRodzajKD, [this] { AddRodzajKDClick(); });
    OnF9(EdRodzajPD, [this] { AddRodzajPDClick(); });

    DisableSecondCost();
    DisableSecondRevenue();
}

// One category with its chooser button and its amount. labels, when given,
// receives the two labels; onAmountKey runs for every key the amount takes.
QFrame* TAddWb::BuildPair(const QString& category, const QString& amount, QLineEdit*& edRodzaj,
                          QToolButton*& add, QLineEdit*& edWartosc, QLabel** labels,
                          const std::function<void()>& onAmountKey) {
    auto* frame = new QFrame(this);
    QLabel* categoryLabel = NewLabel(frame, category);
    QLabel* amountLabel = NewLabel(frame, amount);
    edRodzaj = NewCategoryField(frame, "", true);
    add = NewPickButton(frame, "");
    edWartosc = NewAmountField(frame, "", onAmountKey);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(0, 4, 0, 4);
    grid->setHorizontalSpacing(6);
    grid->addWidget(categoryLabel, 0, 0);
    grid->addWidget(edRodzaj, 0, 1);
    grid->addWidget(add, 0, 2);
    grid->addWidget(amountLabel, 1, 0);
    grid->addWidget(edWartosc, 1, 1, Qt::AlignLeft);
    grid->setColumnMinimumWidth(0, 105);
    grid->setColumnStretch(1, 1);
    if (labels) {
        labels[0] = categoryLabel;
        labels[1] = amountLabel;
    }
    return frame;
}

QList<QLineEdit*> TAddWb::CategoryFields() const {
    return {EdRodzajK, EdRodzajP, EdRodzajKD, EdRodzajPD};
}
QList<QLineEdit*> TAddWb::AmountFields() const {
    return {EdWartoscK, EdWartoscP, EdWartoscKD, EdWartoscPD};
}

bool TAddWb::PrepareNewDocument() {
    for (QLineEdit* field : CategoryFields() + AmountFields())
        field->clear();
    RodzajKId = RodzajPId = RodzajKDId = RodzajPDId = 0;
    DisableSecondCost();
    DisableSecondRevenue();
    CheckZero->setChecked(false);
    EdOpis->clear();
    CheckWstaw->setChecked(false);
    CheckWstaw->setEnabled(true);
    return DB->RunAction([this] { SetNewDocumentDates(EdData); });
}

void TAddWb::FormShow() {
    EdData->setFocus();
}

void TAddWb::EnableSecondCost() {
    SetEnabled({LabelRodzajKD, LabelWartoscKD, AddRodzajKD, EdRodzajKD, EdWartoscKD}, true);
}
void TAddWb::DisableSecondCost() {
    SetEnabled({LabelRodzajKD, LabelWartoscKD, AddRodzajKD, EdRodzajKD, EdWartoscKD}, false);
}
void TAddWb::EnableSecondRevenue() {
    SetEnabled({LabelRodzajPD, LabelWartoscPD, AddRodzajPD, EdRodzajPD, EdWartoscPD}, true);
}
void TAddWb::DisableSecondRevenue() {
    SetEnabled({LabelRodzajPD, LabelWartoscPD, AddRodzajPD, EdRodzajPD, EdWartoscPD}, false);
}

void TAddWb::EdWartoscKChange() {
    ClearIfNotAmount(EdWartoscK);
}
void TAddWb::EdWartoscPChange() {
    ClearIfNotAmount(EdWartoscP);
}
void TAddWb::EdWartoscKDChange() {
    ClearIfNotAmount(EdWartoscKD);
}
// The second revenue amount is looked at when its category changes.
void TAddWb::EdRodzajPDChange() {
    ClearIfNotAmount(EdWartoscPD);
}

void TAddWb::AddRodzajKClick() {
    OpenCategorySearch(3);
}
void TAddWb::AddRodzajPClick() {
    OpenCategorySearch(4);
}
void TAddWb::AddRodzajKDClick() {
    OpenCategorySearch(5);
}
void TAddWb::AddRodzajPDClick() {
    OpenCategorySearch(6);
}

// The zero statement moves no money: every pair shows "no category" and 0.
void TAddWb::CheckZeroClick() {
    const bool zero = CheckZero->isChecked();
    for (QLineEdit* field : CategoryFields() + AmountFields())
        SetItalic(field, zero);
    for (QLineEdit* field : {EdRodzajK, EdRodzajKD})
        field->setText(zero ? QStringLiteral("Bez kosztu") : QString());
    for (QLineEdit* field : {EdRodzajP, EdRodzajPD})
        field->setText(zero ? QStringLiteral("Bez przychodu") : QString());
    for (QLineEdit* field : AmountFields()) {
        field->setText(zero ? QStringLiteral("0") : QString());
        field->setEnabled(!zero);
    }
    const int id = zero ? 1 : 0;
    RodzajKId = RodzajPId = RodzajKDId = RodzajPDId = id;
    SetEnabled({AddRodzajK, AddRodzajP, AddRodzajKD, AddRodzajPD}, !zero);
    if (!zero) {
        DisableSecondCost();
        DisableSecondRevenue();
    }
}

void TAddWb::Usu1Click() {
    const QList<QLineEdit*> categories = CategoryFields();
    const int pair = categories.indexOf(PopupComponent);
    if (pair < 0)
        return;
    categories.at(pair)->clear();
    AmountFields().at(pair)->clear();
}

void TAddWb::ZamknijButClick() {
    reject();
}

bool TAddWb::CheckFields() {
    const QString cost = QStringLiteral("Musisz wybrać rodzaj kosztu.");
    const QString costValue = QStringLiteral("Musisz wpisać wartość kosztu.");
    const QString revenue = QStringLiteral("Musisz wybrać rodzaj przychodu.");
    const QString revenueValue = QStringLiteral("Musisz wpisać wartość przychodu.");
    if (EdNr->text().isEmpty())
        return Refuse(EdNr, QStringLiteral("Musisz wpisać nr WB."));
    if (!CheckZero->isChecked()) {
        if (EdRodzajK->text().isEmpty() && EdRodzajP->text().isEmpty())
            return Refuse(EdRodzajK, QStringLiteral("Musisz wybrać rodzaj kosztu lub przychodu."));
        const struct {
            QLineEdit* category;
            QLineEdit* amount;
            const QString& chooseText;
            const QString& typeText;
        } pairs[] = {{EdRodzajK, EdWartoscK, cost, costValue},
                     {EdRodzajP, EdWartoscP, revenue, revenueValue},
                     {EdRodzajKD, EdWartoscKD, cost, costValue},
                     {EdRodzajPD, EdWartoscPD, revenue, revenueValue}};
        for (const auto& p : pairs) {
            if (!p.category->text().isEmpty() && p.amount->text().isEmpty())
                return Refuse(p.amount, p.typeText);
            if (!p.amount->text().isEmpty() && p.category->text().isEmpty())
                return Refuse(p.category, p.chooseText);
        }
    }
    if (EdOpis->text().isEmpty())
        return Refuse(EdOpis, QStringLiteral("Musisz wpisać opis."));
    return true;
}

// Amounts are checked only by their key filters while typing; a text that
// is no amount is refused here, before anything is written.
bool TAddWb::ReadValues() {
    double* values[] = {&valueK_, &valueP_, &valueKD_, &valuePD_};
    const QList<QLineEdit*> fields = AmountFields();
    for (int i = 0; i < fields.size(); ++i) {
        *values[i] = 0;
        if (!fields.at(i)->text().isEmpty() &&
            (!ReadAmount(fields.at(i), values[i]) || !WithinLimit(fields.at(i), *values[i])))
            return false;
    }
    return true;
}

void TAddWb::ZapiszButClick() {
    if (!CheckFields() || !ReadValues())
        return;
    auto round = [](long double x) {
        return static_cast<float>(TDB::RoundMoney(static_cast<float>(x)));
    };
    float total = 0;
    if (!EdWartoscP->text().isEmpty())
        total = round(valueP_);
    if (!EdWartoscK->text().isEmpty())
        total = round(total - valueK_);
    if (!EdWartoscPD->text().isEmpty())
        total = round(valuePD_ + total);
    if (!EdWartoscKD->text().isEmpty())
        total = round(total - valueKD_);
    DocumentTotal = total;

    Save();
}

TAddWb::Outcome TAddWb::SaveNewDocument(int month, int year) {
    if (!DB->PrepareNextDocument(month, year))
        return Outcome::NothingWritten;
    if (TDB::RoundMoney(DB->LastBalance + DocumentTotal) < 0)
        return StopWith(EdWartoscK,
                        QStringLiteral("Zbyt duża wartość kosztów, przekracza całkowitą wartość "
                                       "posiadanych środków."));
    WriteRows();
    return Outcome::Written;
}

void TAddWb::WriteRow(const QVariantMap& common, double revenue, int revenueId, double cost,
                      int costId) {
    QVariantMap line = common;
    line.insert(QStringLiteral("PRZYCHOD"), revenue);
    line.insert(QStringLiteral("RODZAJP"), revenueId);
    line.insert(QStringLiteral("ROZCHOD"), cost);
    line.insert(QStringLiteral("RODZAJK"), costId);
    DB->Exec(
        QStringLiteral(
            "INSERT INTO DOKUMENT\n"
            "(DATA,PRZYCHOD,ROZCHOD,NRDOK,NRPOZ,RODZAJP,RODZAJK,RODZAJDOK,NUMER,OPIS,POZOSTALESR,"
            "OKRES)\n"
            "VALUES (:DATA,:PRZYCHOD,:ROZCHOD,:NRDOK,:NRPOZ,:RODZAJP,:RODZAJK,:RODZAJDOK,:NUMER,"
            ":OPIS,:POZOSTALESR,:OKRES)"),
        line);
}

// Every line carries the balance after the whole statement.
void TAddWb::WriteRows() {
    const QVariantMap common = {
        {QStringLiteral("DATA"), EdData->date()},
        {QStringLiteral("NRDOK"), DB->NextNrDok},
        {QStringLiteral("NRPOZ"), DB->NextNrPoz},
        {QStringLiteral("RODZAJDOK"), QStringLiteral("WB")},
        {QStringLiteral("NUMER"), EdNr->text()},
        {QStringLiteral("OPIS"), EdOpis->text()},
        {QStringLiteral("POZOSTALESR"),
         static_cast<double>(TDB::RoundMoney(
             CheckZero->isChecked() ? DB->LastBalance : DB->LastBalance + DocumentTotal))},
        {QStringLiteral("OKRES"), DB->CurrentOkres},
    };
    if (CheckZero->isChecked()) {
        WriteRow(common, 0, 1, 0, 1);
        return;
    }
    auto writePair = [&](QLineEdit* revenue, double revenueValue, int revenueId, QLineEdit* cost,
                         double costValue, int costId) {
        const bool withRevenue = !revenue->text().isEmpty();
        const bool withCost = !cost->text().isEmpty();
        WriteRow(common, withRevenue ? revenueValue : 0, withRevenue ? revenueId : 1,
                 withCost ? costValue : 0, withCost ? costId : 1);
    };
    writePair(EdRodzajP, valueP_, RodzajPId, EdRodzajK, valueK_, RodzajKId);
    if (!EdRodzajKD->text().isEmpty() || !EdRodzajPD->text().isEmpty())
        writePair(EdRodzajPD, valuePD_, RodzajPDId, EdRodzajKD, valueKD_, RodzajKDId);
}

bool TAddWb::PrepareInsertBefore(int nrDok) {
    if (!TEntryDialog::PrepareInsertBefore(nrDok))
        return false;
    EdNr->clear();
    return true;
}

Rows TAddWb::ReadDocument(int nrDok) const {
    return DB->Select(
        QStringLiteral("SELECT DOKUMENT.*, PRZYCHODY.NAZWA as NAZWAP, KOSZTY.NAZWA AS NAZWAK FROM "
                       "DOKUMENT, PRZYCHODY, KOSZTY\n"
                       " WHERE NRDOK=:WYBOR AND DOKUMENT.RODZAJP=PRZYCHODY.ID_PRZYCHODY AND "
                       "DOKUMENT.RODZAJK=KOSZTY.ID_KOSZTY ORDER BY DOKUMENT.ID_DOKUMENT"),
        {{QStringLiteral("WYBOR"), nrDok}});
}

// A side that books nothing shows the placeholder category with an empty
// amount.
void TAddWb::LoadPairs(const QSqlRecord& row, QLineEdit* revenue, QLineEdit* revenueValue,
                       int* revenueId, QLineEdit* cost, QLineEdit* costValue, int* costId) {
    revenue->setText(NameText(row.value(QStringLiteral("NAZWAP"))));
    revenueValue->setText(AmountText(row.value(QStringLiteral("PRZYCHOD")).toDouble(), true));
    *revenueId = row.value(QStringLiteral("RODZAJP")).toInt();
    cost->setText(NameText(row.value(QStringLiteral("NAZWAK"))));
    costValue->setText(AmountText(row.value(QStringLiteral("ROZCHOD")).toDouble(), true));
    *costId = row.value(QStringLiteral("RODZAJK")).toInt();
}

// A WB of two lines opens with both second pairs; a zero WB in the zero
// statement. Whatever the last use left, the zero statement is left first.
void TAddWb::LoadDocument(const Rows& rows) {
    EdNr->setText(rows.first().value(QStringLiteral("NUMER")).toString());
    EdOpis->setText(rows.first().value(QStringLiteral("OPIS")).toString());
    CheckZero->setChecked(false);
    LoadPairs(rows.first(), EdRodzajP, EdWartoscP, &RodzajPId, EdRodzajK, EdWartoscK, &RodzajKId);
    if (rows.size() == 2) {
        LoadPairs(rows.last(), EdRodzajPD, EdWartoscPD, &RodzajPDId, EdRodzajKD, EdWartoscKD,
                  &RodzajKDId);
        EnableSecondCost();
        EnableSecondRevenue();
        return;
    }
    for (QLineEdit* field : {EdRodzajKD, EdWartoscKD, EdRodzajPD, EdWartoscPD})
        field->clear();
    RodzajKDId = RodzajPDId = 0;
    DisableSecondCost();
    DisableSecondRevenue();
    if (RodzajKId == 1 && RodzajPId == 1)
        CheckZero->setChecked(true);
}
