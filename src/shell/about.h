#pragma once
#include <QDialog>

class QPushButton;

// The contact window: the program's name and version and how to reach its makers.
class TAbout : public QDialog {
    Q_OBJECT
public:
    explicit TAbout(QWidget* parent = nullptr);
    QPushButton* SpeedButton4 = nullptr;

public slots:
    void SpeedButton4Click();
};

extern TAbout* About;

// The remote-help program: tamrel.exe one folder above the program's folder.
QString RemoteHelpCommand(const QString& programDir);
