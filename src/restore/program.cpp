// The program Dearchiwizacja: puts the last backup copy back in place.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("Dearchiwizacja"));
    label.show();
    return app.exec();
}
