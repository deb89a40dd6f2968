#pragma once
#include "shell/form.h"

class QGroupBox;

// Names the machine that serves the database (stale.ini beside the
// program) and reconnects to it at once.
class TSerwer : public TForm {
    Q_OBJECT
public:
    explicit TSerwer(QWidget* parent = nullptr);

    QGroupBox* GroupBox3 = nullptr;
    QLabel* LNazwaKomputera = nullptr;
    QLabel* LAdresKomputera = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLineEdit* EdServer = nullptr;
    QPushButton* ZapiszBut = nullptr;
    QPushButton* ZamknijBut = nullptr;

    // An IPv4 address of this computer on a working network interface;
    // 127.0.0.1 when it has none.
    static QString LocalAddress();

public slots:
    void FormShow() override;
    void ZapiszButClick();
    void ZamknijButClick();
};

extern TSerwer* Serwer;
