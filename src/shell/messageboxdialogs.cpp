#include "shell/messageboxdialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {
QWidget* Owner() { return QApplication::activeWindow(); }
} // namespace

bool MessageBoxDialogs::Ask(const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::NoButton, Owner());
    QPushButton* yes = box.addButton(QStringLiteral("Tak"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Nie"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void MessageBoxDialogs::Show(const QString& caption, const QString& text, MsgIcon icon) {
    QMessageBox::Icon qtIcon = QMessageBox::NoIcon;
    switch (icon) {
    case MsgIcon::None: qtIcon = QMessageBox::NoIcon; break;
    case MsgIcon::Exclamation: qtIcon = QMessageBox::Warning; break;
    case MsgIcon::Error: qtIcon = QMessageBox::Critical; break;
    case MsgIcon::Information: qtIcon = QMessageBox::Information; break;
    }
    QMessageBox box(qtIcon, caption, text, QMessageBox::NoButton, Owner());
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}
