#include "shell/about.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

TAbout* About = nullptr;

namespace {
QLabel* Text(QWidget* parent, const QString& text, const QRect& where, int pixelSize = 12, bool bold = false) {
    auto* label = new QLabel(text, parent);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(where);
    return label;
}
} // namespace

TAbout::TAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("Kontakt"));
    setFixedSize(657, 433);
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_FileDialogInfoView).pixmap(32, 32));
    icon->setGeometry(16, 16, 32, 32);
    Text(this, QStringLiteral("Orva - książka kasowa, wersja 1.0.001"), QRect(56, 20, 300, 24), 15, true);
    Text(this,
         QStringLiteral("Prowadzimy także szkolenia dla skarbników rad rodziców i stowarzyszeń:\n\n"
                        "•  rachunkowość małej organizacji pozarządowej,\n"
                        "•  raporty kasowe i dokumenty bankowe,\n"
                        "•  sprawozdania dla walnego zebrania,\n"
                        "•  archiwizacja dokumentów finansowych.\n\n"
                        "Zapraszamy do kontaktu."),
         QRect(16, 70, 300, 260));

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(336, 16, 305, 340);
    Text(frame, QStringLiteral("Orva"), QRect(16, 12, 270, 30), 22, true);
    Text(frame,
         QStringLiteral("Zespół Orva\nul. Szkolna 1\n00-001 Miasto\n\n"
                        "tel. 22 000 00 00\ntel./fax 22 000 00 01\ntel. kom. 600 000 000\n"
                        "pomoc techniczna: 22 000 00 02\n\n"
                        "e-mail: biuro@orva.example\ne-mail: pomoc@orva.example\nwww.orva.example"),
         QRect(16, 54, 270, 270));

    SpeedButton4 = new QPushButton(QStringLiteral("Zamknij"), this);
    SpeedButton4->setObjectName(QStringLiteral("SpeedButton4"));
    SpeedButton4->setGeometry(540, 380, 100, 30);
    SpeedButton4->setFlat(true);
    SpeedButton4->setDefault(true);
    connect(SpeedButton4, &QPushButton::clicked, this, &TAbout::SpeedButton4Click);
}

void TAbout::SpeedButton4Click() { close(); }

QString RemoteHelpCommand(const QString& programDir) {
    return QDir(programDir).filePath(QStringLiteral("../tamrel.exe"));
}
