#pragma once
#include <QWidget>

class QLabel;
class QProgressBar;

// The start-up window: a picture with a progress bar over the windows made.
class TSplash : public QWidget {
    Q_OBJECT
public:
    explicit TSplash(QWidget* parent = nullptr);
    QLabel* Image1 = nullptr;
    QProgressBar* ProgressBar = nullptr;
    static QPixmap Picture();
};
