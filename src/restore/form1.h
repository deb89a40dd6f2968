#pragma once
#include "data/userdialogs.h"
#include "shell/singleinstance.h"

#include <QWidget>

class QProgressBar;
class QPushButton;

// The one window of the restore program: one button that puts the backup
// copy back in place of the database, then closes the program.
class TForm1 : public QWidget {
    Q_OBJECT
  public:
    TForm1(const QString& programDir, UserDialogs& ui, QWidget* parent = nullptr);

    QPushButton* LMDSpeedButton1 = nullptr;
    QProgressBar* ProgressBar = nullptr; // moves while the restore runs
    // Where Orva keeps its guard against a second copy (tests move it).
    QString GuardPath = SingleInstance::DefaultPath();

  public slots:
    void LMDSpeedButton1Click();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    QString programDir_;
    UserDialogs& ui_;
    bool busy_ = false;
};
