#include "documents/szukajf.h"

#include "data/db.h"
#include "documents/addfv.h"
#include "documents/addkp.h"
#include "documents/addwb.h"
#include "documents/controls.h"
#include "documents/listmodel.h"
#include "shell/main.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

TSzukajF* SzukajF = nullptr;

namespace {
bool IsEscOrEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Escape || key->key() == Qt::Key_Return ||
           key->key() == Qt::Key_Enter;
}
} // namespace

TSzukajF::TSzukajF(QWidget* parent) : TForm(parent, "SzukajF", QStringLiteral("Szukaj"), 378, 460) {

    auto* top = new QFrame(this);
    auto* topRow = new QHBoxLayout(top);
    topRow->setContentsMargins(8, 6, 8, 6);
    topRow->addWidget(new QLabel(QStringLiteral("Szukaj: "), top));
    EdSzukaj = new QLineEdit(top);
    EdSzukaj->setObjectName(QStringLiteral("EdSzukaj"));
    topRow->addWidget(EdSzukaj);

    Query1 =
        new ListModel({{QStringLiteral("NAZWA"), QStringLiteral("Nazwa"), 215, false},
                       {QStringLiteral("POCZATEK"), QStringLiteral("Kwota początkowa"), 100, true}},
                      this);
    SMDBGrid1 = new QTableView(this);
    SMDBGrid1->setObjectName(QStringLiteral("SMDBGrid1"));
    Query1->Configure(SMDBGrid1);

    WybierzBut = Controls::NewFlatButton(this, "WybierzBut", QStringLiteral("Wybierz"),
                                         QStyle::SP_DialogApplyButton);
    ZamknijBut = Controls::NewFlatButton(this, "ZamknijBut", QStringLiteral("Wyjdź"),
                                         QStyle::SP_DialogCloseButton);
    QFrame* bottom = Controls::NewButtonStrip(this, {WybierzBut, ZamknijBut});

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(top);
    column->addWidget(SMDBGrid1, 1);
    column->addWidget(bottom);

    connect(EdSzukaj, &QLineEdit::textChanged, this, &TSzukajF::EdSzukajChange);
    connect(SMDBGrid1, &QTableView::doubleClicked, this, &TSzukajF::WybierzButClick);
    connect(WybierzBut, &QToolButton::clicked, this, &TSzukajF::WybierzButClick);
    connect(ZamknijBut, &QToolButton::clicked, this, &TSzukajF::ZamknijButClick);
    for (QWidget* w : {static_cast<QWidget*>(EdSzukaj), static_cast<QWidget*>(SMDBGrid1),
                       static_cast<QWidget*>(WybierzBut), static_cast<QWidget*>(ZamknijBut)})
        w->installEventFilter(this);
}

bool TSzukajF::IsRevenueTarget(int target) {
    return target == 1 || target == 4 || target == 6 || target == 7;
}

int TSzukajF::Target() const {
    return Main ? Main->SearchTarget : 0;
}

void TSzukajF::FormShow() {
    if (IsRevenueTarget(Target())) {
        TableName = QStringLiteral("PRZYCHODY");
        StartColumn = QStringLiteral("POCZATEKPRZYCH");
    } else {
        TableName = QStringLiteral("KOSZTY");
        StartColumn = QStringLiteral("POCZATEKKOSZT");
    }
    LoadList(); // filtered by the text typed at the previous opening
    EdSzukaj->setFocus();
}

void TSzukajF::EdSzukajChange() {
    LoadList();
}

// The active categories whose names begin with the search text, case
// ignored (Polish letters too) and every character taken as typed.
void TSzukajF::LoadList() {
    if (TableName.isEmpty())
        return;
    Rows rows;
    DB->RunAction([&] {
        rows = DB->Select(QStringLiteral("SELECT ID_%1, NAZWA, %2 AS POCZATEK FROM %1 WHERE US='0'")
                              .arg(TableName, StartColumn));
    });
    const QString prefix = EdSzukaj->text().toUpper();
    if (!prefix.isEmpty()) {
        rows.erase(std::remove_if(rows.begin(), rows.end(),
                                  [&](const QSqlRecord& r) {
                                      return !r.value(QStringLiteral("NAZWA"))
                                                  .toString()
                                                  .toUpper()
                                                  .startsWith(prefix);
                                  }),
                   rows.end());
    }
    SortByName(rows, QStringLiteral("NAZWA"));
    Query1->SetRows(std::move(rows));
    if (Query1->rowCount() > 0)
        SMDBGrid1->selectRow(0);
}

void TSzukajF::WybierzButClick() {
    const int row = SMDBGrid1->currentIndex().isValid() ? SMDBGrid1->currentIndex().row() : 0;
    int id = 0;
    QString name;
    if (row < Query1->AllRows().size()) {
        const QSqlRecord& r = Query1->AllRows().at(row);
        id = r.value(QStringLiteral("ID_") + TableName).toInt();
        name = r.value(QStringLiteral("NAZWA")).toString();
    }
    Deliver(id, name);
    accept();
}

void TSzukajF::Deliver(int id, const QString& name) {
    switch (Target()) {
    case 1:
        if (AddKp) {
            AddKp->RodzajPId = id;
            AddKp->EdRodzajP->setText(name);
        }
        break;
    case 7:
        if (AddKp) {
            AddKp->RodzajPDId = id;
            AddKp->EdRodzajPD->setText(name);
        }
        break;
    case 2:
        if (AddFv) {
            AddFv->RodzajId = id;
            AddFv->EdRodzaj->setText(name);
        }
        break;
    case 3:
        if (AddWb) {
            AddWb->RodzajKId = id;
            AddWb->EdRodzajK->setText(name);
        }
        break;
    case 4:
        if (AddWb) {
            AddWb->RodzajPId = id;
            AddWb->EdRodzajP->setText(name);
        }
        break;
    case 5:
        if (AddWb) {
            AddWb->RodzajKDId = id;
            AddWb->EdRodzajKD->setText(name);
        }
        break;
    case 6:
        if (AddWb) {
            AddWb->RodzajPDId = id;
            AddWb->EdRodzajPD->setText(name);
        }
        break;
    default:
        break;
    }
}

void TSzukajF::ZamknijButClick() {
    reject();
}

void TSzukajF::FormKeyUp(QKeyEvent* key) {
    if (key->key() == Qt::Key_Escape)
        ZamknijButClick();
    else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        WybierzButClick();
}

// Esc and Enter act when released; their presses must not reach the dialog's
// own handling.
void TSzukajF::keyPressEvent(QKeyEvent* event) {
    if (IsEscOrEnter(event))
        return;
    TForm::keyPressEvent(event);
}

bool TSzukajF::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (IsEscOrEnter(key)) {
            if (event->type() == QEvent::KeyRelease && !key->isAutoRepeat())
                FormKeyUp(key);
            return true;
        }
    }
    return TForm::eventFilter(watched, event);
}
