#include "restore/form1.h"

#include "restore/dearchiwizacja.h"
#include "shell/busybar.h"

#include <QCloseEvent>
#include <QProgressBar>
#include <QPushButton>

TForm1::TForm1(const QString& programDir, UserDialogs& ui, QWidget* parent)
    : QWidget(parent), programDir_(programDir), ui_(ui) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Dearchiwizacja"));
    setFixedSize(290, 140);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    setFont(font);

    LMDSpeedButton1 = new QPushButton(QStringLiteral("Dearchiwizuj"), this);
    LMDSpeedButton1->setObjectName(QStringLiteral("LMDSpeedButton1"));
    LMDSpeedButton1->setGeometry(96, 36, 97, 33);
    connect(LMDSpeedButton1, &QPushButton::clicked, this, &TForm1::LMDSpeedButton1Click);

    ProgressBar = NewBusyBar(this, QRect(24, 92, 242, 16));
}

void TForm1::LMDSpeedButton1Click() {
    busy_ = true;
    LMDSpeedButton1->setEnabled(false);
    ProgressBar->show();
    const bool done = RestoreDatabase(programDir_, ui_, GuardPath);
    ProgressBar->hide();
    LMDSpeedButton1->setEnabled(true);
    busy_ = false;
    // After a refusal the window stays, so the restore can be tried again
    // once Orva is closed.
    if (done)
        close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (busy_)
        event->ignore();
    else
        QWidget::closeEvent(event);
}
