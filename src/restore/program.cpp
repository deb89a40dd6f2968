// The program Dearchiwizacja: puts the last backup copy back in place of
// the database beside it.
#include "restore/form1.h"
#include "shell/messageboxdialogs.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dearchiwizacja"));
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    MessageBoxDialogs ui;
    TForm1 form(QApplication::applicationDirPath(), ui);
    form.show();
    return app.exec();
}
