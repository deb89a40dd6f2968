#pragma once
#include "shell/form.h"

class QToolButton;

// Two arrow buttons beside a number field that step its number by one
// within a range. A number typed into the field is not held to the range.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(QLineEdit* associate, int minimum, int maximum, QWidget* parent);

    QToolButton* UpBut = nullptr;
    QToolButton* DownBut = nullptr;
    const int Minimum;
    const int Maximum;

public slots:
    void StepBy(int step);

private:
    QLineEdit* associate_;
};

// "Zamknięcie RK": moves the cash-report counter on to a chosen number.
class TNrRk : public TForm {
    Q_OBJECT
public:
    explicit TNrRk(QWidget* parent = nullptr);

    QLineEdit* EdNr = nullptr;
    TUpDown* UpDownBut = nullptr;
    QPushButton* ZapiszBut = nullptr;
    QPushButton* ZamknijBut = nullptr;

    bool EdNrKeyPress(QLineEdit* sender, QChar key);

public slots:
    void FormShow() override;
    void EdNrClick();
    void ZapiszButClick();
    void ZamknijButClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

extern TNrRk* NrRk;
