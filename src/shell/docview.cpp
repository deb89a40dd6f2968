#include "shell/docview.h"

#include "data/polish.h"
#include "data/register.h"
#include "documents/addfv.h"
#include "documents/addkp.h"
#include "documents/addwb.h"
#include "shell/main.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTableView>

TDocView* DocView = nullptr;

// --- RegisterModel ----------------------------------------------------------

const QVector<RegisterModel::Column>& RegisterModel::Columns() {
    static const QVector<Column> columns = {
        {"DATA", QStringLiteral("Data rejestracji"), 60},
        {"NRDOK", QStringLiteral("Nr dokumentu"), 60},
        {"RODZAJDOK", QStringLiteral("Rodzaj dokumentu"), 60},
        {"NUMER", QStringLiteral("Numer nadany"), 90},
        {"NRKW", QStringLiteral("Nr Kw"), 50},
        {"NRRK", QStringLiteral("RK"), 40},
        {"OPIS", QStringLiteral("Opis"), 122},
        {"PRZYCHOD", QStringLiteral("Wartość przychodu"), 65},
        {"ROZCHOD", QStringLiteral("Wartość rozchodu"), 65},
        {"NAZWAK", QStringLiteral("Nazwa kosztu"), 145},
        {"NAZWAP", QStringLiteral("Nazwa przychodu"), 145},
        {"POZOSTALESR", QStringLiteral("Stan środków"), 60},
    };
    return columns;
}

void RegisterModel::SetRows(Rows rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int RegisterModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_.size();
}

int RegisterModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns().size();
}

namespace {
bool IsMoney(const char* field) {
    return qstrcmp(field, "PRZYCHOD") == 0 || qstrcmp(field, "ROZCHOD") == 0 ||
           qstrcmp(field, "POZOSTALESR") == 0;
}
} // namespace

QVariant RegisterModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size())
        return QVariant();
    const char* field = Columns().at(index.column()).field;
    const QVariant value = rows_.at(index.row()).value(QLatin1String(field));
    if (role == Qt::DisplayRole) {
        if (value.isNull())
            return QString();
        if (qstrcmp(field, "DATA") == 0)
            return Polish::Date(value.toDate());
        if (IsMoney(field))
            return Polish::Money(value.toDouble());
        return value.toString().trimmed();
    }
    if (role == Qt::TextAlignmentRole) {
        if (IsMoney(field))
            return int(Qt::AlignRight | Qt::AlignVCenter);
        return int(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return QVariant();
}

QVariant RegisterModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < Columns().size())
        return Columns().at(section).title;
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return QString();
    return QVariant();
}

// --- GridDelegate -----------------------------------------------------------

namespace {
// Draws cell text with a narrow margin, so the narrow register columns
// (a date in 60 pixels) show their whole text.
class GridDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem opt = option;
        initStyleOption(&opt, index);
        const QString text = opt.text;
        opt.text.clear();
        QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
        const bool selected = opt.state & QStyle::State_Selected;
        painter->save();
        painter->setFont(opt.font);
        painter->setPen(opt.palette.color(QPalette::Active,
                                          selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect box = opt.rect.adjusted(2, 0, -2, 0);
        painter->drawText(box, int(opt.displayAlignment),
                          opt.fontMetrics.elidedText(text, Qt::ElideRight, box.width()));
        painter->restore();
    }
};
} // namespace

// --- TDocView ---------------------------------------------------------------

TDocView::TDocView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("DocView"));
    setWindowTitle(QStringLiteral("Rejestr dokumentów"));
    BuildGrid();
    BuildPopupMenu();
}

void TDocView::BuildGrid() {
    Qglowna = new RegisterModel(this);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(Qglowna);
    DBGrid1->setItemDelegate(new GridDelegate(DBGrid1));
    // Small type, as the column widths were made for it.
    QFont gridFont(QStringLiteral("Liberation Sans"));
    gridFont.setPixelSize(11);
    DBGrid1->setFont(gridFont);
    DBGrid1->setStyleSheet(QStringLiteral("QTableView { font-family: 'Liberation Sans'; font-size: 11px; }"
                                          "QTableView::item { padding: 0px 1px; }"
                                          "QHeaderView::section { padding: 0px 1px; font-size: 10px; }"));
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    DBGrid1->setFrameShape(QFrame::NoFrame);
    DBGrid1->setShowGrid(true);
    DBGrid1->setWordWrap(false);
    DBGrid1->setContextMenuPolicy(Qt::CustomContextMenu);
    // The selection stays visible when the grid loses focus.
    QPalette pal = DBGrid1->palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight, pal.color(QPalette::Active, QPalette::Highlight));
    pal.setColor(QPalette::Inactive, QPalette::HighlightedText,
                 pal.color(QPalette::Active, QPalette::HighlightedText));
    DBGrid1->setPalette(pal);

    QHeaderView* titles = DBGrid1->horizontalHeader();
    titles->setFixedHeight(24);
    titles->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setHighlightSections(false);
    for (int i = 0; i < RegisterModel::Columns().size(); ++i)
        DBGrid1->setColumnWidth(i, RegisterModel::Columns().at(i).width);

    QHeaderView* indicator = DBGrid1->verticalHeader();
    indicator->setFixedWidth(11);
    indicator->setSectionResizeMode(QHeaderView::Fixed);
    indicator->setDefaultSectionSize(17);
    indicator->setMinimumSectionSize(17);

    DBGrid1->installEventFilter(this);
    connect(DBGrid1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { PopupMenu1->popup(DBGrid1->viewport()->mapToGlobal(pos)); });
}

void TDocView::BuildPopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto add = [this](QMenu* menu, const char* name, const QString& text, void (TDocView::*slot)()) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu* kp = PopupMenu1->addMenu(QStringLiteral("KP"));
    Dodaj1 = add(kp, "Dodaj1", QStringLiteral("Dodaj"), &TDocView::Dodaj1Click);
    Wstawprzed1 = add(kp, "Wstawprzed1", QStringLiteral("Wstaw przed"), &TDocView::Wstawprzed1Click);
    QMenu* kw = PopupMenu1->addMenu(QStringLiteral("KW"));
    Dodaj2 = add(kw, "Dodaj2", QStringLiteral("Dodaj"), &TDocView::Dodaj2Click);
    Wstawprzed2 = add(kw, "Wstawprzed2", QStringLiteral("Wstaw przed"), &TDocView::Wstawprzed2Click);
    QMenu* wb = PopupMenu1->addMenu(QStringLiteral("WB"));
    Dodaj3 = add(wb, "Dodaj3", QStringLiteral("Dodaj"), &TDocView::Dodaj3Click);
    Wstawprzed3 = add(wb, "Wstawprzed3", QStringLiteral("Wstaw przed"), &TDocView::Wstawprzed3Click);
    Popraw1 = add(PopupMenu1, "Popraw1", QStringLiteral("Popraw"), &TDocView::Popraw1Click);
    Usu1 = add(PopupMenu1, "Usu1", QStringLiteral("Usuń"), &TDocView::Usu1Click);
    Anuluj1 = add(PopupMenu1, "Anuluj1", QStringLiteral("Anuluj dok."), &TDocView::Anuluj1Click);
}

void TDocView::FormShow() { Reload(); }

void TDocView::Reload(int row) {
    Rows rows;
    DB->RunAction([&] { rows = Register::Load(*DB); });
    Qglowna->SetRows(std::move(rows));
    const int count = Qglowna->rowCount();
    if (count == 0)
        return;
    SetCurrentRow(row < 0 || row >= count ? count - 1 : row);
}

int TDocView::CurrentRow() const {
    const QModelIndex current = DBGrid1->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void TDocView::SetCurrentRow(int row) {
    if (row < 0 || row >= Qglowna->rowCount())
        return;
    const int column = qMax(0, DBGrid1->currentIndex().column());
    DBGrid1->setCurrentIndex(Qglowna->index(row, column));
    DBGrid1->selectRow(row);
    DBGrid1->scrollTo(Qglowna->index(row, column));
}

QSqlRecord TDocView::Selected() const {
    const int row = CurrentRow();
    if (row < 0 || row >= Qglowna->AllRows().size())
        return QSqlRecord();
    return Qglowna->AllRows().at(row);
}

QVariant TDocView::Field(const char* name) const {
    const QSqlRecord record = Selected();
    if (record.isEmpty())
        return QVariant(0);
    return record.value(QLatin1String(name));
}

void TDocView::ReadLastBalance() {
    PriorBalance = 0;
    const Rows rows = DB->Select(QStringLiteral("SELECT POZOSTALESR FROM DOKUMENT WHERE NRDOK=:WYBOR"),
                                 {{QStringLiteral("WYBOR"), DB->NextNrDok - 1}});
    if (!rows.isEmpty())
        PriorBalance = static_cast<float>(rows.first().value(0).toDouble());
}

void TDocView::FormResize() {
    // The grid is the outer size of the window less 20 x 48 pixels. A
    // maximised MDI child shows no frame here, so the outer size is the
    // client size plus the frame (4 px a side) and caption (19 px) it would have.
    const int outerWidth = width() + 8;
    const int outerHeight = height() + 8 + 19;
    DBGrid1->setGeometry(0, 0, qMax(0, outerWidth - 20), qMax(0, outerHeight - 48));
}

void TDocView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    FormResize();
}

void TDocView::closeEvent(QCloseEvent* event) { event->ignore(); }

bool TDocView::eventFilter(QObject* watched, QEvent* event) {
    // Enter moves on like Tab.
    if (watched == DBGrid1 && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            const QModelIndex current = DBGrid1->currentIndex();
            if (current.isValid() && current.column() + 1 < Qglowna->columnCount())
                DBGrid1->setCurrentIndex(current.sibling(current.row(), current.column() + 1));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TDocView::Dodaj1Click() { Main->DodajKP1Click(); }
void TDocView::Dodaj2Click() { Main->DodajFV1Click(); }
void TDocView::Dodaj3Click() { Main->DodajWB1Click(); }
void TDocView::Usu1Click() { Main->UsunButClick(); }

void TDocView::Wstawprzed1Click() { OpenInsertBefore(AddKp); }
void TDocView::Wstawprzed2Click() { OpenInsertBefore(AddFv); }
void TDocView::Wstawprzed3Click() { OpenInsertBefore(AddWb); }

void TDocView::OpenInsertBefore(TEntryDialog* dialog) {
    if (!RequireSelection() || !dialog)
        return;
    if (dialog->PrepareInsertBefore(SelectedNrDok()))
        dialog->exec();
}

// The dialog of the document's kind, loaded for a correction; afterwards
// the register is back on the corrected document.
void TDocView::Popraw1Click() {
    if (!RequireSelection())
        return;
    Bookmark = CurrentRow();
    DB->NextNrDok = SelectedNrDok();
    const QString kind = Field("RODZAJDOK").toString().trimmed();
    TEntryDialog* dialog = nullptr;
    if (kind == QLatin1String("KP"))
        dialog = AddKp;
    else if (kind == QLatin1String("KW"))
        dialog = AddFv;
    else if (kind == QLatin1String("WB"))
        dialog = AddWb;
    if (dialog && dialog->PrepareCorrection(DB->NextNrDok))
        dialog->exec();
    SetCurrentRow(Bookmark);
    Bookmark = -1;
}

bool TDocView::RequireSelection() {
    if (SelectedNrDok() > 0)
        return true;
    DB->Ui().Show(QStringLiteral("Błąd"), QStringLiteral("Musisz wybrać pozycję."), MsgIcon::Exclamation);
    return false;
}

bool TDocView::SelectedIsStill(int n) const {
    const QSqlRecord shown = Selected();
    const Rows rows = DB->Select(QStringLiteral("SELECT DATA,RODZAJDOK,NUMER FROM DOKUMENT WHERE NRDOK=:WYBOR"),
                                 {{QStringLiteral("WYBOR"), n}});
    if (rows.isEmpty())
        return false;
    const QSqlRecord& now = rows.first();
    return now.value(0).toDate() == shown.value(QStringLiteral("DATA")).toDate() &&
           now.value(1).toString().trimmed() == shown.value(QStringLiteral("RODZAJDOK")).toString().trimmed() &&
           now.value(2).toString() == shown.value(QStringLiteral("NUMER")).toString();
}

QString TDocView::StaleSelectionText() {
    return QStringLiteral("Wybranego dokumentu nie ma już w bazie, zmieniono go na innym stanowisku. "
                          "Wybierz dokument ponownie.");
}

void TDocView::RunOnSelected(int n, const std::function<void()>& body) {
    bool stale = false;
    DB->RunAction([&] {
        DB->LockLedger();
        stale = !SelectedIsStill(n);
        if (!stale)
            body();
    });
    // Told once no transaction is open, so nobody waits on this workstation.
    if (stale)
        DB->Ui().Show(QStringLiteral("Błąd"), StaleSelectionText(), MsgIcon::Exclamation);
}

void TDocView::Anuluj1Click() {
    DB->NextNrDok = SelectedNrDok();
    if (!RequireSelection())
        return;
    if (!DB->Ui().Ask(QStringLiteral("Ostrzeżenie"), QStringLiteral("Czy na pewno chcesz anulować wybraną pozycję")))
        return;
    Bookmark = CurrentRow();
    const int n = DB->NextNrDok;
    const QString kind = Field("RODZAJDOK").toString().trimmed();
    RunOnSelected(n, [&] {
        if (n == 1)
            PriorBalance = static_cast<float>(
                DB->Scalar(QStringLiteral("SELECT WARTOSC AS NR FROM STANP")).toDouble());
        else
            ReadLastBalance();
        CancelRows(n, kind);
        DB->RecomputeBalances(n - 1 > 0 ? n - 1 : n, 1);
        DB->CommitWork();
    });
    Reload(Bookmark);
    Bookmark = -1;
}

void TDocView::CancelRows(int n, const QString& kind) {
    const QVariantMap common = {{QStringLiteral("WYBOR"), n},
                                {QStringLiteral("OPIS"), QStringLiteral("Anulowany")},
                                {QStringLiteral("POZOSTALESR"), static_cast<double>(PriorBalance)}};
    auto with = [&](const char* name) {
        QVariantMap p = common;
        p.insert(QLatin1String(name), 0.0);
        return p;
    };
    if (kind == QLatin1String("KW")) {
        DB->Exec(QStringLiteral("UPDATE DOKUMENT\nSET ROZCHOD=:ROZCHOD,OPIS=:OPIS,POZOSTALESR=:POZOSTALESR\n"
                                "WHERE NRDOK=:WYBOR"),
                 with("ROZCHOD"));
    } else if (kind == QLatin1String("KP")) {
        DB->Exec(QStringLiteral("UPDATE DOKUMENT\nSET PRZYCHOD=:PRZYCHOD,OPIS=:OPIS,POZOSTALESR=:POZOSTALESR\n"
                                "WHERE NRDOK=:WYBOR"),
                 with("PRZYCHOD"));
    } else if (kind == QLatin1String("WB")) {
        DB->Exec(QStringLiteral("UPDATE DOKUMENT\nSET PRZYCHOD=:PRZYCHOD,OPIS=:OPIS,POZOSTALESR=:POZOSTALESR\n"
                                " WHERE RODZAJP>'1' and NRDOK=:WYBOR"),
                 with("PRZYCHOD"));
        DB->Exec(QStringLiteral("UPDATE DOKUMENT\nSET ROZCHOD=:ROZCHOD,OPIS=:OPIS,POZOSTALESR=:POZOSTALESR\n"
                                " WHERE RODZAJK>'1' and NRDOK=:WYBOR"),
                 with("ROZCHOD"));
    }
}
