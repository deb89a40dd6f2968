#include "backup/archiwizacja.h"

#include "data/db.h"
#include "data/gbak.h"
#include "shell/busybar.h"
#include "shell/main.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

TArchiwizacja* Archiwizacja = nullptr;

TArchiwizacja::TArchiwizacja(QWidget* parent)
    : TForm(parent, "Archiwizacja", QStringLiteral("Archiwizacja"), 371, 251) {
    Label1 =
        AddLabel(this, QStringLiteral("Archiwizacja danych"), QRect(16, 14, 339, 26), "Label1");
    QFont title = font();
    title.setPixelSize(18);
    title.setBold(true);
    Label1->setFont(title);
    Label1->setAlignment(Qt::AlignCenter);
    Label2 = AddLabel(this, QStringLiteral("Uwaga, nikt nie może pracować w programie."),
                      QRect(16, 56, 339, 18), "Label2");
    QFont bold = font();
    bold.setBold(true);
    Label2->setFont(bold);
    Label3 = AddLabel(this, QStringLiteral("Aby dalej pracować w programie, należy po wykonaniu"),
                      QRect(16, 86, 339, 18), "Label3");
    Label4 = AddLabel(this, QStringLiteral("archiwizacji lub dearchiwizacji zamknąć porgram"),
                      QRect(16, 104, 339, 18), "Label4");
    Label5 = AddLabel(this, QStringLiteral("i uruchomić go ponownie."), QRect(16, 122, 339, 18),
                      "Label5");

    ProgressBar = NewBusyBar(this, QRect(16, 158, 339, 18));

    ArchBut = AddButton(this, "ArchBut", QStringLiteral("Wykonaj"), QRect(147, 197, 100, 34));
    ZamknijBut = AddButton(this, "ZamknijBut", QStringLiteral("Zamknij"), QRect(255, 197, 100, 34));
    connect(ArchBut, &QPushButton::clicked, this, &TArchiwizacja::ArchButClick);
    connect(ZamknijBut, &QPushButton::clicked, this, &TArchiwizacja::ZamknijButClick);
}

void TArchiwizacja::FormShow() {
    setWindowTitle(QStringLiteral("Archiwizacja"));
    Label1->setText(QStringLiteral("Archiwizacja danych"));
}

void TArchiwizacja::SetBusy(bool busy) {
    busy_ = busy;
    ProgressBar->setVisible(busy);
    ArchBut->setEnabled(!busy);
    ZamknijBut->setEnabled(!busy);
}

void TArchiwizacja::ArchButClick() {
    // The tool must reach the very database the program works on: the
    // server's one ("server:/path") or the file beside the program.
    if (!DB->IsConnected() && !DB->Connect()) {
        DB->Ui().Show(QStringLiteral("Błąd"),
                      QStringLiteral("Nie można połączyć się z bazą danych; kopia nie została "
                                     "wykonana.\n%1")
                          .arg(DB->LastConnectError()),
                      MsgIcon::Error);
        return;
    }
    const QString database = DB->Database().databaseName();
    const QString target = Gbak::BackupPath(DB->ProgramDir());
    const bool hadCopy = QFileInfo::exists(target);

    DB->Disconnect();
    SetBusy(true);
    const Gbak::Result result = Gbak::Backup(database, target);
    SetBusy(false);
    const bool reconnected = DB->Connect();
    if (reconnected && Main)
        Main->OpenRegister();

    const QString shownTarget = QDir::toNativeSeparators(target);
    if (result.ok) {
        DB->Ui().Show(
            QStringLiteral("Archiwizacja"),
            QStringLiteral("Archiwizacja danych zakończona pomyślnie.\nKopia: %1").arg(shownTarget),
            MsgIcon::Information);
    } else {
        const QString kept =
            hadCopy ? QStringLiteral("Poprzednia kopia %1 pozostała bez zmian.").arg(shownTarget)
                    : QStringLiteral("Kopia nie została zapisana.");
        DB->Ui().Show(QStringLiteral("Błąd"),
                      QStringLiteral("Archiwizacja danych nie powiodła się. %1\n\n%2")
                          .arg(kept, result.output),
                      MsgIcon::Error);
    }
    if (!reconnected)
        DB->Ui().Show(QStringLiteral("Błąd"),
                      QStringLiteral("Nie można ponownie połączyć się z bazą danych.\n%1")
                          .arg(DB->LastConnectError()),
                      MsgIcon::Error);
    accept();
}

void TArchiwizacja::ZamknijButClick() {
    reject();
}

void TArchiwizacja::reject() {
    // Not while the tool runs: the connection is closed until it ends.
    if (!busy_)
        TForm::reject();
}
