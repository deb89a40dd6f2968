// The program Orva: splash, every window and the data module, main window.
#include "data/db.h"
#include "shell/main.h"
#include "shell/splash.h"
#include "shell/startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLibraryInfo>
#include <QLocale>
#include <QProgressBar>
#include <QThread>
#include <QTranslator>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orva"));
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    QTranslator qtPolish;
    if (qtPolish.load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtPolish);

    auto* splash = new TSplash;
    splash->ProgressBar->setRange(0, StartupSteps(QApplication::applicationDirPath()).size());
    splash->ProgressBar->setValue(0);
    splash->show();
    splash->repaint();
    app.processEvents();

    CreateAll(QApplication::applicationDirPath(), [splash](int done, int) {
        splash->ProgressBar->setValue(done);
        splash->repaint();
        QApplication::processEvents();
    });

    QElapsedTimer pause;
    pause.start();
    while (pause.elapsed() < 600) {
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(10);
    }
    splash->close();
    delete splash;

    Main->showMaximized();
    const int code = app.exec();
    delete Main;
    delete DB;
    return code;
}
