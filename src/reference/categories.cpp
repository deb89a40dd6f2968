#include "reference/categories.h"

#include "data/polish.h"
#include "shell/inputfields.h"
#include "shell/main.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>

// --- CategoryKind -------------------------------------------------------------

const CategoryKind& CategoryKind::Costs() {
    static const CategoryKind kind{
        QStringLiteral("KOSZTY"),
        QStringLiteral("ID_KOSZTY"),
        QStringLiteral("POCZATEKKOSZT"),
        QStringLiteral("ID_KOSZT"),
        QStringLiteral("Koszty"),
        QStringLiteral("Wyjdź"),
        QStringLiteral("Dodaj / modyfikuj koszt"),
        kNameColumnWidth,
        QStringLiteral("Nie można dopisać więcej rodzaju kosztów, jest ogranicznie do 10."),
        QStringLiteral("Należy wpisać nazwę kosztu."),
    };
    return kind;
}

const CategoryKind& CategoryKind::Revenues() {
    static const CategoryKind kind{
        QStringLiteral("PRZYCHODY"),
        QStringLiteral("ID_PRZYCHODY"),
        QStringLiteral("POCZATEKPRZYCH"),
        QStringLiteral("ID_PRZYCHODY"),
        QStringLiteral("Przychody"),
        QStringLiteral("Zamknij"),
        QStringLiteral("Dodaj / modyfikuj przychód"),
        0,
        QStringLiteral("Nie można dopisać więcej rodzaju przychodów, jest ogranicznie do 10."),
        QStringLiteral("Należy wpisać nazwę przychodu."),
    };
    return kind;
}

QString CategoryKind::ListSql() const {
    // Ordered by identifier, so the list keeps the order the categories were added in.
    return QStringLiteral("SELECT * FROM %1 WHERE US='0' ORDER BY %2").arg(table, idColumn);
}

QString CategoryKind::RetireSql() const {
    return QStringLiteral("UPDATE %1\nSET US='1'\nWHERE %2=:WYBOR").arg(table, idColumn);
}

QString CategoryKind::DuplicateSql(bool correcting) const {
    QString sql = QStringLiteral("SELECT NAZWA FROM %1 WHERE NAZWA=:WYBOR and US='0'").arg(table);
    if (correcting)
        sql += QStringLiteral(" and %1<>:%2").arg(idColumn, idParam);
    return sql;
}

QString CategoryKind::InsertSql() const {
    return QStringLiteral("INSERT INTO %1\n(NAZWA,%2,US)\nVALUES (:NAZWA,:%2,:US)")
        .arg(table, carryColumn);
}

QString CategoryKind::UpdateSql() const {
    return QStringLiteral("UPDATE %1\nSET NAZWA=:NAZWA,%2=:%2 WHERE %3=:WYBOR")
        .arg(table, carryColumn, idColumn);
}

int CategoryEntryMode() {
    return Main ? Main->EntryMode : 1;
}

namespace {
void SetEntryMode(int mode) {
    if (Main)
        Main->EntryMode = mode;
}
} // namespace

// --- TCategoryList ------------------------------------------------------------

TCategoryList::TCategoryList(const CategoryKind& kind, QWidget* parent, const char* name)
    : TForm(parent, name, kind.listCaption, 350, 582), kind_(kind) {
    Model = new QStandardItemModel(0, 2, this);
    Model->setHorizontalHeaderLabels(
        {QStringLiteral("Nazwa"), QStringLiteral("Wartość początkowa")});
    SMDBGrid1 = new QTableView(this);
    SMDBGrid1->setObjectName(QStringLiteral("SMDBGrid1"));
    SMDBGrid1->setModel(Model);
    SMDBGrid1->setGeometry(0, 0, 350, 522);
    QFont gridFont(QStringLiteral("Liberation Sans"));
    gridFont.setPointSize(8);
    SMDBGrid1->setFont(gridFont);
    SMDBGrid1->horizontalHeader()->setFont(gridFont);
    SMDBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    SMDBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    SMDBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SMDBGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    SMDBGrid1->horizontalHeader()->setHighlightSections(false);
    SMDBGrid1->setColumnWidth(0, 185);
    SMDBGrid1->setColumnWidth(1, 110);
    QHeaderView* indicator = SMDBGrid1->verticalHeader();
    indicator->setFixedWidth(11);
    indicator->setSectionResizeMode(QHeaderView::Fixed);
    indicator->setDefaultSectionSize(18);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 522, 350, 60);
    DodajBut = AddButton(Panel1, "DodajBut", QStringLiteral("Dodaj"), QRect(8, 14, 79, 32));
    PoprawBut = AddButton(Panel1, "PoprawBut", QStringLiteral("Popraw"), QRect(93, 14, 79, 32));
    UsunBut = AddButton(Panel1, "UsunBut", QStringLiteral("Usuń"), QRect(178, 14, 79, 32));
    ZamknijBut = AddButton(Panel1, "ZamknijBut", kind.closeCaption, QRect(263, 14, 79, 32));
    connect(DodajBut, &QPushButton::clicked, this, &TCategoryList::DodajButClick);
    connect(PoprawBut, &QPushButton::clicked, this, &TCategoryList::PoprawButClick);
    connect(UsunBut, &QPushButton::clicked, this, &TCategoryList::UsunButClick);
    connect(ZamknijBut, &QPushButton::clicked, this, &TCategoryList::ZamknijButClick);
}

void TCategoryList::Reload(int row) {
    Rows rows;
    DB->RunAction([&] { rows = DB->Select(kind_.ListSql()); });
    rows_ = rows;
    Model->setRowCount(0);
    for (const QSqlRecord& r : rows_) {
        auto* name = new QStandardItem(r.value(QStringLiteral("NAZWA")).toString());
        auto* carry = new QStandardItem(Polish::Money(r.value(kind_.carryColumn).toDouble()));
        carry->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Model->appendRow({name, carry});
        Model->setVerticalHeaderItem(Model->rowCount() - 1, new QStandardItem(QString()));
    }
    if (!rows_.isEmpty()) {
        const int current = qBound(0, row, rows_.size() - 1);
        SMDBGrid1->setCurrentIndex(Model->index(current, 0));
        SMDBGrid1->selectRow(current);
    }
}

int TCategoryList::CurrentRow() const {
    const QModelIndex index = SMDBGrid1->currentIndex();
    return index.isValid() && index.row() < rows_.size() ? index.row() : -1;
}

QSqlRecord TCategoryList::Current() const {
    const int row = CurrentRow();
    return row < 0 ? QSqlRecord() : rows_.at(row);
}

int TCategoryList::CurrentId() const {
    return Current().value(kind_.idColumn).toInt();
}

void TCategoryList::FormShow() {
    Reload();
}

void TCategoryList::OpenEditor(int mode) {
    SetEntryMode(mode);
    if (TCategoryEditor* editor = Editor())
        editor->exec();
}

void TCategoryList::DodajButClick() {
    if (Count() > CategoryKind::kActiveLimit - 1) {
        DB->Ui().Show(QStringLiteral("Ostrzeżenie"), kind_.limitText, MsgIcon::Exclamation);
        return;
    }
    OpenEditor(1);
}

void TCategoryList::PoprawButClick() {
    // An empty list has nothing to correct.
    if (CurrentId() <= 0) {
        Refuse(nullptr, QStringLiteral("Musisz wybrać pozycję."));
        return;
    }
    OpenEditor(2);
}

void TCategoryList::UsunButClick() {
    const int id = CurrentId();
    if (id <= 0) {
        Refuse(nullptr, QStringLiteral("Musisz wybrać pozycję."));
        return;
    }
    if (!DB->Ui().Ask(QStringLiteral("Ostrzeżenie"),
                      QStringLiteral("Czy na pewno chcesz usunąć wybraną pozycję")))
        return;
    bool saved = false;
    DB->RunAction([&] {
        DB->Exec(kind_.RetireSql(), {{QStringLiteral("WYBOR"), id}});
        saved = DB->CommitWork();
    });
    if (!saved)
        return;
    Reload(CurrentRow());
    ReopenRegister();
}

void TCategoryList::ZamknijButClick() {
    reject();
}

// --- TCategoryEditor ----------------------------------------------------------

TCategoryEditor::TCategoryEditor(const CategoryKind& kind, QWidget* parent, const char* name)
    : TForm(parent, name, kind.editorCaption, 370, 201), kind_(kind) {
    AddLabel(this, QStringLiteral("Nazwa"), QRect(16, 16, 200, 16));
    EdNazwa = AddEdit(this, "EdNazwa", QRect(16, 34, 338, 24));
    if (kind.nameEditLimit > 0)
        EdNazwa->setMaxLength(kind.nameEditLimit);
    AddLabel(this, QStringLiteral("Wartość z przeniesienia"), QRect(16, 72, 200, 16));
    EdWartosc = AddEdit(this, "EdWartosc", QRect(16, 90, 150, 24));
    EdWartosc->setText(QStringLiteral("0"));
    ZapiszBut = AddButton(this, "ZapiszBut", QStringLiteral("Zapisz"), QRect(146, 150, 100, 34));
    ZamknijBut = AddButton(this, "ZamknijBut", QStringLiteral("Wyjdź"), QRect(254, 150, 100, 34));
    Input::AttachKeyFilter(EdWartosc,
                           [this](QLineEdit* e, QChar k) { return EdWartoscKeyPress(e, k); });
    QWidget::setTabOrder(EdNazwa, EdWartosc);
    QWidget::setTabOrder(EdWartosc, ZapiszBut);
    QWidget::setTabOrder(ZapiszBut, ZamknijBut);
    connect(ZapiszBut, &QPushButton::clicked, this, &TCategoryEditor::ZapiszButClick);
    connect(ZamknijBut, &QPushButton::clicked, this, &TCategoryEditor::ZamknijButClick);
}

bool TCategoryEditor::EdWartoscKeyPress(QLineEdit* sender, QChar key) {
    return Input::AmountKey(sender, key);
}

void TCategoryEditor::FormShow() {
    if (CategoryEntryMode() == 2 && List()) {
        const QSqlRecord row = List()->Current();
        EdNazwa->setText(row.value(QStringLiteral("NAZWA")).toString());
        EdWartosc->setText(Input::PlainAmount(row.value(kind_.carryColumn).toDouble()));
    } else {
        EdNazwa->clear();
        EdWartosc->setText(QStringLiteral("0"));
    }
    EdNazwa->setFocus();
}

void TCategoryEditor::ZapiszButClick() {
    const bool correcting = CategoryEntryMode() == 2;
    // A name of blanks only names nothing.
    if (EdNazwa->text().trimmed().isEmpty()) {
        DB->Ui().Show(QStringLiteral("Błąd"), kind_.emptyNameText, MsgIcon::Exclamation);
        return;
    }
    if (EdNazwa->text().size() > CategoryKind::kNameColumnWidth) {
        Refuse(EdNazwa, QStringLiteral("Nazwa jest za długa: może mieć najwyżej %1 znaków.")
                            .arg(CategoryKind::kNameColumnWidth));
        return;
    }
    if (EdWartosc->text().isEmpty())
        EdWartosc->setText(QStringLiteral("0"));
    double carry = 0;
    if (!Input::ReadAmount(EdWartosc, &carry))
        return;
    const int id = correcting && List() ? List()->CurrentId() : 0;
    if (correcting && id <= 0) {
        Refuse(nullptr, QStringLiteral("Musisz wybrać pozycję."));
        return;
    }
    if (!Save(correcting, id, carry))
        return;
    if (List())
        List()->Reload(correcting ? List()->CurrentRow() : List()->Count());
    ReopenRegister();
    accept();
}

bool TCategoryEditor::Save(bool correcting, int id, double carry) {
    bool duplicate = false;
    bool saved = false;
    DB->RunAction([&] {
        QVariantMap test{{QStringLiteral("WYBOR"), EdNazwa->text()}};
        if (correcting)
            test.insert(kind_.idParam, id);
        duplicate = !DB->Select(kind_.DuplicateSql(correcting), test).isEmpty();
        if (duplicate)
            return;
        QVariantMap values{{QStringLiteral("NAZWA"), EdNazwa->text()}, {kind_.carryColumn, carry}};
        if (correcting)
            values.insert(QStringLiteral("WYBOR"), id);
        else
            values.insert(QStringLiteral("US"), 0);
        DB->Exec(correcting ? kind_.UpdateSql() : kind_.InsertSql(), values);
        saved = DB->CommitWork();
    });
    if (duplicate)
        DB->Ui().Show(QStringLiteral("Błąd"), QStringLiteral("Taka nazwa już istnieje."),
                      MsgIcon::Exclamation);
    return saved;
}

void TCategoryEditor::ZamknijButClick() {
    reject();
}
