#pragma once
#include <QRect>

class QProgressBar;
class QWidget;

// A bar that keeps moving while a tool works that does not say how far it
// is; hidden until shown. Its name is "ProgressBar".
QProgressBar* NewBusyBar(QWidget* parent, const QRect& geometry);
