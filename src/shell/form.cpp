#include "shell/form.h"

#include "data/db.h"
#include "shell/docview.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

TForm::TForm(QWidget* parent, const char* name, const QString& caption, int width, int height)
    : QDialog(parent) {
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
    setModal(true);
    setFixedSize(width, height);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(12);
    setFont(font);
}

void TForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm::Refuse(QWidget* field, const QString& text) {
    DB->Ui().Show(QStringLiteral("Błąd"), text, MsgIcon::Exclamation);
    if (field)
        field->setFocus(Qt::OtherFocusReason);
}

QLabel* TForm::AddLabel(QWidget* parent, const QString& text, const QRect& geometry,
                        const char* name) {
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

QLineEdit* TForm::AddEdit(QWidget* parent, const char* name, const QRect& geometry) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setGeometry(geometry);
    return edit;
}

QPushButton* TForm::AddButton(QWidget* parent, const char* name, const QString& text,
                              const QRect& geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    // Enter in a field does not press a button, as in the rest of the program.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QCheckBox* TForm::AddCheck(QWidget* parent, const char* name, const QString& text,
                           const QRect& geometry) {
    auto* check = new QCheckBox(text, parent);
    check->setObjectName(QLatin1String(name));
    check->setGeometry(geometry);
    return check;
}

void ReopenRegister() {
    if (DocView)
        DocView->Reload();
}
