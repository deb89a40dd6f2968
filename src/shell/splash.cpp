#include "shell/splash.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>

TSplash::TSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Splash"));
    setFixedSize(441, 412);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 438, 409);
    Image1->setPixmap(Picture());
    ProgressBar = new QProgressBar(this);
    ProgressBar->setObjectName(QStringLiteral("ProgressBar"));
    ProgressBar->setGeometry(72, 360, 297, 17);
    ProgressBar->setTextVisible(false);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QPixmap TSplash::Picture() {
    QPixmap pixmap(438, 409);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 409);
    sky.setColorAt(0, QColor(0x1f, 0x4e, 0x79));
    sky.setColorAt(1, QColor(0x9d, 0xc3, 0xe6));
    p.fillRect(pixmap.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawEllipse(QPoint(330, 90), 120, 120);
    p.setPen(Qt::white);
    QFont title(QStringLiteral("Liberation Sans"), 48, QFont::Bold);
    p.setFont(title);
    p.drawText(QRect(0, 110, 438, 80), Qt::AlignCenter, QStringLiteral("Orva"));
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 14));
    p.drawText(QRect(0, 190, 438, 30), Qt::AlignCenter, QStringLiteral("Książka kasowa rady rodziców"));
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 10));
    p.drawText(QRect(0, 320, 438, 24), Qt::AlignCenter, QStringLiteral("Wersja 1.0.001 - uruchamianie..."));
    return pixmap;
}
