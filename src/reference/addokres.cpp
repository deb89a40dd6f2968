#include "reference/addokres.h"

#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TAddOkres* AddOkres = nullptr;

TAddOkres::TAddOkres(QWidget* parent)
    : TForm(parent, "AddOkres", QStringLiteral("Dodaj okres"), 342, 190) {
    AddLabel(this, QStringLiteral("Data rozpoczęcia / zakończenia"), QRect(16, 16, 300, 16));
    auto date = [this](const char* name, int left) {
        auto* edit = new QDateEdit(QDate::currentDate(), this);
        edit->setObjectName(QLatin1String(name));
        edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        edit->setCalendarPopup(true);
        edit->setGeometry(left, 36, 140, 24);
        return edit;
    };
    EdDataOd = date("EdDataOd", 16);
    EdDataDo = date("EdDataDo", 170);
    EdDataDo->setEnabled(false);
    AddLabel(this, QStringLiteral("Rok szkolny"), QRect(16, 72, 200, 16));
    EdRokSzk = AddEdit(this, "EdRokSzk", QRect(16, 90, 140, 24));
    EdRokSzk->setReadOnly(true);
    ZapiszBut = AddButton(this, "ZapiszBut", QStringLiteral("Zapisz"), QRect(118, 140, 100, 34));
    ZamknijBut = AddButton(this, "ZamknijBut", QStringLiteral("Zamknij"), QRect(226, 140, 100, 34));
    connect(ZamknijBut, &QPushButton::clicked, this, &TAddOkres::ZamknijButClick);
}

void TAddOkres::ZamknijButClick() {
    reject();
}
