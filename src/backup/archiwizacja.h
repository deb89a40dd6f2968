#pragma once
#include "shell/form.h"

class QProgressBar;

// Copies the whole database into Kopia/ORVA.GBK beside the program with the
// server's backup tool. The connection is closed while the tool runs (the
// embedded engine lets one process at a time hold the file) and opened
// again when it has finished; the treasurer is told how it went.
class TArchiwizacja : public TForm {
    Q_OBJECT
  public:
    explicit TArchiwizacja(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QProgressBar* ProgressBar = nullptr; // moves while the tool works
    QPushButton* ArchBut = nullptr;
    QPushButton* ZamknijBut = nullptr;

  public slots:
    void FormShow() override;
    void ArchButClick();
    void ZamknijButClick();
    void reject() override;

  private:
    void SetBusy(bool busy);
    bool busy_ = false;
};

extern TArchiwizacja* Archiwizacja;
