#pragma once
#include "shell/form.h"

class QFrame;

// The opening values of the ledger (the one row of STANP). They can be
// saved only while the ledger holds no document.
class TPoczatkowe : public TForm {
    Q_OBJECT
public:
    explicit TPoczatkowe(QWidget* parent = nullptr);

    QLineEdit* EdWartoscC = nullptr;
    QLineEdit* EdWartoscG = nullptr;
    QLineEdit* EdNrDok = nullptr;
    QLineEdit* EdNrPoz = nullptr;
    QLineEdit* EdNrRk = nullptr;
    QLabel* LBlokada = nullptr;
    QFrame* Panel1 = nullptr;
    QPushButton* ZapiszBut = nullptr;
    QPushButton* ZamknijBut = nullptr;

    // True when the ledger holds at least one document. Reads in the
    // running action, or in a short read of its own.
    static bool LedgerHasDocuments();

    bool EdWartoscCKeyPress(QLineEdit* sender, QChar key);
    bool EdNrDokKeyPress(QLineEdit* sender, QChar key);

public slots:
    void FormShow() override;
    void ZapiszButClick();
    void ZamknijButClick();

private:
    void SetLocked(bool locked);
    bool CheckFields(double* total, double* cash, int* nrDok, int* nrPoz, int* nrRk);
};

extern TPoczatkowe* Poczatkowe;
