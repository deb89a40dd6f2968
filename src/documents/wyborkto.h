#pragma once
#include "shell/form.h"

class ListModel;
class QLineEdit;
class QTableView;
class QToolButton;

// The payer chooser: the names already used as payer on KP lines (Target 1)
// or as recipient on KW lines (Target 2), filtered by any part of the name;
// the choice replaces the person field of the KP or cost-document dialog.
class TWyborKto : public TForm {
    Q_OBJECT
  public:
    explicit TWyborKto(QWidget* parent = nullptr);

    int Target = 0; // 1 = payer of a KP, 2 = recipient of a cost document

    QLineEdit* EdSzukaj = nullptr;
    QTableView* SMDBGrid1 = nullptr;
    QToolButton* WybierzBut = nullptr;
    QToolButton* ZamknijBut = nullptr;
    ListModel* Query1 = nullptr;

  public slots:
    void FormShow() override;
    void EdSzukajChange();
    void LoadList();
    void WybierzButClick();
    void ZamknijButClick();
};

extern TWyborKto* WyborKto;
