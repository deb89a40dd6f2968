#pragma once
#include <QDialog>
#include <QRect>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// A dialog made once at start-up and shown modally again and again. Every
// showing runs FormShow, where a window loads what its opener left to it.
// Controls sit at fixed pixel positions on a window of fixed size.
class TForm : public QDialog {
    Q_OBJECT
public:
    TForm(QWidget* parent, const char* name, const QString& caption, int width, int height);

    // A refused field: the message (caption "Błąd", exclamation), then the
    // focus goes to the field.
    static void Refuse(QWidget* field, const QString& text);

public slots:
    virtual void FormShow() {}

protected:
    void showEvent(QShowEvent* event) override;

    QLabel* AddLabel(QWidget* parent, const QString& text, const QRect& geometry,
                     const char* name = nullptr);
    QLineEdit* AddEdit(QWidget* parent, const char* name, const QRect& geometry);
    QPushButton* AddButton(QWidget* parent, const char* name, const QString& text,
                           const QRect& geometry);
    QCheckBox* AddCheck(QWidget* parent, const char* name, const QString& text,
                        const QRect& geometry);
};

// Reads the register again and moves to its last line (when it is open).
void ReopenRegister();
