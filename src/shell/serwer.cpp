#include "shell/serwer.h"

#include "data/db.h"
#include "shell/main.h"

#include <QGroupBox>
#include <QHostAddress>
#include <QHostInfo>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QPushButton>

TSerwer* Serwer = nullptr;

TSerwer::TSerwer(QWidget* parent) : TForm(parent, "Serwer", QStringLiteral("Serwer"), 602, 413) {
    GroupBox3 = new QGroupBox(QStringLiteral("LOKALNY"), this);
    GroupBox3->setObjectName(QStringLiteral("GroupBox3"));
    GroupBox3->setGeometry(16, 16, 570, 104);
    AddLabel(GroupBox3, QStringLiteral("Nazwa komputera"), QRect(16, 32, 160, 18));
    LNazwaKomputera = AddLabel(GroupBox3, QString(), QRect(190, 32, 360, 18), "LNazwaKomputera");
    AddLabel(GroupBox3, QStringLiteral("Adres komputera"), QRect(16, 64, 160, 18));
    LAdresKomputera = AddLabel(GroupBox3, QString(), QRect(190, 64, 360, 18), "LAdresKomputera");
    for (QLabel* value : {LNazwaKomputera, LAdresKomputera}) {
        value->setStyleSheet(QStringLiteral("font-weight: bold;"));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }

    GroupBox2 = new QGroupBox(QStringLiteral("SERWER"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(16, 136, 570, 184);
    AddLabel(GroupBox2, QStringLiteral("Należy wpisać adres lub nazwę serwera:"),
             QRect(16, 32, 520, 18));
    AddLabel(GroupBox2, QStringLiteral("np. 192.168.0.1  lub  sekretariat"),
             QRect(16, 58, 520, 18));
    AddLabel(GroupBox2, QStringLiteral("Adres"), QRect(16, 112, 60, 18));
    EdServer = AddEdit(GroupBox2, "EdServer", QRect(80, 108, 300, 24));

    ZapiszBut = AddButton(this, "ZapiszBut", QStringLiteral("Zapisz"), QRect(378, 352, 100, 34));
    ZamknijBut = AddButton(this, "ZamknijBut", QStringLiteral("Zamknij"), QRect(486, 352, 100, 34));
    QWidget::setTabOrder(EdServer, ZapiszBut);
    QWidget::setTabOrder(ZapiszBut, ZamknijBut);
    connect(ZapiszBut, &QPushButton::clicked, this, &TSerwer::ZapiszButClick);
    connect(ZamknijBut, &QPushButton::clicked, this, &TSerwer::ZamknijButClick);
}

QString TSerwer::LocalAddress() {
    for (const QNetworkInterface& nic : QNetworkInterface::allInterfaces()) {
        const auto flags = nic.flags();
        if (!(flags & QNetworkInterface::IsUp) || !(flags & QNetworkInterface::IsRunning) ||
            (flags & QNetworkInterface::IsLoopBack))
            continue;
        for (const QNetworkAddressEntry& entry : nic.addressEntries()) {
            if (entry.ip().protocol() == QAbstractSocket::IPv4Protocol)
                return entry.ip().toString();
        }
    }
    return QHostAddress(QHostAddress::LocalHost).toString();
}

void TSerwer::FormShow() {
    LNazwaKomputera->setText(QHostInfo::localHostName());
    LAdresKomputera->setText(LocalAddress());
    EdServer->setText(TDB::ReadServerName(DB->ProgramDir()));
    EdServer->setFocus();
}

void TSerwer::ZapiszButClick() {
    const QString server = EdServer->text();
    if (server.trimmed().isEmpty()) {
        DB->Ui().Show(
            QStringLiteral("Błąd"),
            QStringLiteral("Uwaga to pole nie może pozostać puste. Jeżeli używasz tylko wersji "
                           "lokalnej tego programu to wpisz localhost. Jeżeli używasz wersji "
                           "sieciowej tego programu to wpisz nazwę lub adres komputera, który "
                           "jest serwerem."),
            MsgIcon::None);
        return;
    }
    TDB::WriteServerName(DB->ProgramDir(), server);
    DB->Disconnect();
    DB->ServerName = server;
    if (!DB->Connect()) {
        // The dialog stays open with the new name, so the old one can be
        // typed back and saved.
        DB->Ui().Show(QStringLiteral("Błąd"),
                      QStringLiteral("Nie można połączyć się z bazą danych na serwerze „%1”.\n%2")
                          .arg(server, DB->LastConnectError()),
                      MsgIcon::Error);
        EdServer->setFocus();
        return;
    }
    // The ledger now comes from the new server: its parameters and register.
    if (Main && Main->ReadParameters())
        Main->OpenRegister();
    accept();
}

void TSerwer::ZamknijButClick() {
    reject();
}
