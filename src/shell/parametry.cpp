#include "shell/parametry.h"

#include "data/db.h"
#include "shell/main.h"

#include <QCheckBox>
#include <QPushButton>

TParametry* Parametry = nullptr;

TParametry::TParametry(QWidget* parent)
    : TForm(parent, "Parametry", QStringLiteral("Parametry"), 391, 235) {
    CheckKp = AddCheck(this, "CheckKp", QStringLiteral("Automatyczne nadawanie nr KP"),
                       QRect(32, 40, 330, 22));
    CheckRk =
        AddCheck(this, "CheckRk", QStringLiteral("Ręczne zamykanie RK"), QRect(32, 76, 330, 22));
    ZapiszBut = AddButton(this, "ZapiszBut", QStringLiteral("Zapisz"), QRect(167, 176, 100, 34));
    ZamknijBut = AddButton(this, "ZamknijBut", QStringLiteral("Wyjdź"), QRect(275, 176, 100, 34));
    QWidget::setTabOrder(CheckKp, CheckRk);
    QWidget::setTabOrder(CheckRk, ZapiszBut);
    QWidget::setTabOrder(ZapiszBut, ZamknijBut);
    connect(ZapiszBut, &QPushButton::clicked, this, &TParametry::ZapiszButClick);
    connect(ZamknijBut, &QPushButton::clicked, this, &TParametry::ZamknijButClick);
}

void TParametry::FormShow() {
    Rows rows;
    DB->RunAction([&] { rows = DB->Select(QStringLiteral("SELECT * FROM PARAMETRY")); });
    const QSqlRecord row = rows.value(0);
    CheckKp->setChecked(row.value(QStringLiteral("AUTOKP")).toInt() != 0);
    CheckRk->setChecked(row.value(QStringLiteral("AUTORK")).toInt() != 0);
    CheckKp->setFocus();
}

void TParametry::ZapiszButClick() {
    const int autoKp = CheckKp->isChecked() ? 1 : 0;
    const int manualRk = CheckRk->isChecked() ? 1 : 0;
    bool saved = false;
    DB->RunAction([&] {
        DB->Exec(QStringLiteral("UPDATE PARAMETRY\nSET AUTOKP=:AUTOKP,AUTORK=:AUTORK"),
                 {{QStringLiteral("AUTOKP"), autoKp}, {QStringLiteral("AUTORK"), manualRk}});
        saved = DB->CommitWork();
    });
    // What was not stored must not steer this workstation either.
    if (!saved)
        return;
    ReopenRegister();
    if (Main) {
        Main->AutoKp = autoKp;
        Main->ManualRk = manualRk;
    }
    accept();
}

void TParametry::ZamknijButClick() {
    reject();
}
