#include "documents/wyborkto.h"

#include "data/db.h"
#include "documents/addfv.h"
#include "documents/addkp.h"
#include "documents/controls.h"
#include "documents/listmodel.h"
#include "documents/memo.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <utility>

TWyborKto* WyborKto = nullptr;

TWyborKto::TWyborKto(QWidget* parent) : TForm(parent, "WyborKto", QString(), 732, 468) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(8);
    setFont(font);

    EdSzukaj = new QLineEdit(this);
    EdSzukaj->setObjectName(QStringLiteral("EdSzukaj"));
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Szukaj"), this));
    top->addWidget(EdSzukaj, 1);

    Query1 = new ListModel({{QStringLiteral("KTO"), QStringLiteral("Nazwa"), 534, false}}, this);
    SMDBGrid1 = new QTableView(this);
    SMDBGrid1->setObjectName(QStringLiteral("SMDBGrid1"));
    Query1->Configure(SMDBGrid1);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* buttons = new QVBoxLayout(frame);
    WybierzBut = Controls::NewFlatButton(frame, "WybierzBut", QStringLiteral("Wybierz"),
                                         QStyle::SP_DialogApplyButton);
    ZamknijBut = Controls::NewFlatButton(frame, "ZamknijBut", QStringLiteral("Wyjdź"),
                                         QStyle::SP_DialogCloseButton);
    buttons->addWidget(WybierzBut);
    buttons->addStretch();
    buttons->addWidget(ZamknijBut);

    auto* middle = new QHBoxLayout;
    middle->addWidget(SMDBGrid1, 1);
    middle->addWidget(frame);

    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addLayout(middle, 1);

    connect(EdSzukaj, &QLineEdit::textChanged, this, &TWyborKto::EdSzukajChange);
    connect(SMDBGrid1, &QTableView::doubleClicked, this, &TWyborKto::WybierzButClick);
    connect(WybierzBut, &QToolButton::clicked, this, &TWyborKto::WybierzButClick);
    connect(ZamknijBut, &QToolButton::clicked, this, &TWyborKto::ZamknijButClick);
}

void TWyborKto::FormShow() {
    setWindowTitle(Target == 1 ? QStringLiteral("Wybór wpłacającego")
                               : QStringLiteral("Wybór odbiorcy"));
    EdSzukaj->blockSignals(true);
    EdSzukaj->clear();
    EdSzukaj->blockSignals(false);
    LoadList();
    EdSzukaj->setFocus();
}

void TWyborKto::EdSzukajChange() {
    LoadList();
}

// One line per distinct name, those containing the search text anywhere
// (case ignored, every character taken as typed), ordered by name.
void TWyborKto::LoadList() {
    Rows rows;
    DB->RunAction([&] {
        rows = DB->Select(QStringLiteral("SELECT MAX(NRDOK) AS NRDOK,KTO FROM DOKUMENT") +
                          (Target == 1 ? QStringLiteral(" WHERE RODZAJDOK='KP'")
                                       : QStringLiteral(" WHERE RODZAJDOK='KW'")) +
                          QStringLiteral(" GROUP BY KTO"));
    });
    const QString part = EdSzukaj->text().toUpper();
    bool emptyName = false;
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [&](const QSqlRecord& r) {
                                  const QString name = r.value(QStringLiteral("KTO")).toString();
                                  // A line without a person and one with an empty person
                                  // give the same empty name: list it once.
                                  if (name.isEmpty() && std::exchange(emptyName, true))
                                      return true;
                                  return !part.isEmpty() && !name.toUpper().contains(part);
                              }),
               rows.end());
    SortByName(rows, QStringLiteral("KTO"));
    Query1->SetRows(std::move(rows));
    if (Query1->rowCount() > 0)
        SMDBGrid1->selectRow(0);
}

void TWyborKto::WybierzButClick() {
    const int row = SMDBGrid1->currentIndex().isValid() ? SMDBGrid1->currentIndex().row() : 0;
    if (row < Query1->AllRows().size()) {
        const QString name = Query1->AllRows().at(row).value(QStringLiteral("KTO")).toString();
        if (Target == 1 && AddKp)
            AddKp->EdKomu->setText(name);
        else if (Target == 2 && AddFv)
            AddFv->EdKomu->setText(name);
    }
    accept();
}

void TWyborKto::ZamknijButClick() {
    reject();
}
