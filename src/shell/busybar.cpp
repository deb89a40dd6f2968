#include "shell/busybar.h"

#include <QProgressBar>

QProgressBar* NewBusyBar(QWidget* parent, const QRect& geometry) {
    auto* bar = new QProgressBar(parent);
    bar->setObjectName(QStringLiteral("ProgressBar"));
    bar->setGeometry(geometry);
    bar->setRange(0, 0);
    bar->setTextVisible(false);
    bar->hide();
    return bar;
}
