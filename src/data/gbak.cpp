#include "data/gbak.h"

#include "data/db.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace Gbak {

QString Program = QStringLiteral("gbak");

Result Run(const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart)
            loop.quit();
    });
    process.start(Program, arguments + QStringList{QStringLiteral("-USER"), TDB::UserName(),
                                                   QStringLiteral("-PAS"), TDB::Password()});
    if (process.state() != QProcess::NotRunning)
        loop.exec(QEventLoop::ExcludeUserInputEvents);

    Result r;
    if (process.error() == QProcess::FailedToStart) {
        r.output = QStringLiteral("Nie można uruchomić programu %1 (narzędzie serwera bazy danych, "
                                  "pakiet firebird3.0-utils).\n%2")
                       .arg(Program, process.errorString());
        return r;
    }
    r.output = QString::fromLocal8Bit(process.readAll()).trimmed();
    r.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (process.exitStatus() != QProcess::NormalExit)
        r.output += QStringLiteral("\nProgram %1 przerwał pracę.").arg(Program);
    return r;
}

QString BackupPath(const QString& programDir) {
    return QDir(programDir).filePath(QStringLiteral("Kopia/ORVA.GBK"));
}

namespace {

// Puts a finished file in place of `target` in one step, so that a power
// cut leaves either the old copy or the new one, never half of one.
bool ReplaceFile(const QString& finished, const QString& target, QString* error) {
    QFile f(finished);
    if (f.open(QIODevice::ReadOnly))
        ::fsync(f.handle());
    f.close();
    if (std::rename(QFile::encodeName(finished).constData(),
                    QFile::encodeName(target).constData()) == 0)
        return true;
    *error = QStringLiteral("Nie można zapisać pliku %1: %2")
                 .arg(target, QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}

} // namespace

Result Backup(const QString& database, const QString& target) {
    const QFileInfo info(target);
    const QDir folder = info.absoluteDir();
    if (!folder.exists() && !QDir().mkpath(folder.path()))
        return {false, QStringLiteral("Nie można utworzyć folderu %1.").arg(folder.path())};
    // Removed by the destructor unless it became the copy.
    QTemporaryFile temp(folder.filePath(info.completeBaseName() + QStringLiteral("-XXXXXX.tmp")));
    if (!temp.open())
        return {false, QStringLiteral("Nie można zapisać pliku w folderze %1: %2")
                           .arg(folder.path(), temp.errorString())};
    const QString written = temp.fileName();
    temp.close();
    Result r = Run({QStringLiteral("-b"), database, written});
    QString error;
    if (r.ok && !ReplaceFile(written, target, &error)) {
        r.ok = false;
        r.output = error;
    }
    return r;
}

Result Restore(const QString& backup, const QString& target) {
    if (QFileInfo::exists(target))
        return {false, QStringLiteral("Plik %1 już istnieje.").arg(target)};
    Result r = Run({QStringLiteral("-c"), backup, target});
    if (!r.ok)
        QFile::remove(target);
    return r;
}

} // namespace Gbak
