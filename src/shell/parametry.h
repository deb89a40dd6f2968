#pragma once
#include "shell/form.h"

// The two options of the whole ledger, kept in the one row of PARAMETRY.
class TParametry : public TForm {
    Q_OBJECT
public:
    explicit TParametry(QWidget* parent = nullptr);

    QCheckBox* CheckKp = nullptr;
    QCheckBox* CheckRk = nullptr;
    QPushButton* ZapiszBut = nullptr;
    QPushButton* ZamknijBut = nullptr;

public slots:
    void FormShow() override;
    void ZapiszButClick();
    void ZamknijButClick();
};

extern TParametry* Parametry;
