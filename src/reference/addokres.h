#pragma once
#include "shell/form.h"

class QDateEdit;

// A period dialog that stores nothing: periods open by themselves with the
// first document of a later month. Its menu entry stays hidden.
class TAddOkres : public TForm {
    Q_OBJECT
public:
    explicit TAddOkres(QWidget* parent = nullptr);

    QDateEdit* EdDataOd = nullptr;
    QDateEdit* EdDataDo = nullptr;
    QLineEdit* EdRokSzk = nullptr;
    QPushButton* ZapiszBut = nullptr;
    QPushButton* ZamknijBut = nullptr;

public slots:
    void ZamknijButClick();
};

extern TAddOkres* AddOkres;
