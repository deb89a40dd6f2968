#include "restore/dearchiwizacja.h"

#include "data/db.h"
#include "data/gbak.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The embedded engine refuses a file that another process holds.
bool HeldElsewhere(const QString& connectError) {
    return connectError.contains(QLatin1String("already opened"), Qt::CaseInsensitive) ||
           connectError.contains(QLatin1String("\"lock\" operation"), Qt::CaseInsensitive);
}

// A name beside the database for the one being replaced.
QString KeptName(const QDir& dir) {
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString name = dir.filePath(QStringLiteral("ORVA-%1.GDB").arg(stamp));
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = dir.filePath(QStringLiteral("ORVA-%1-%2.GDB").arg(stamp).arg(n));
    return name;
}

// The restored file gets the owner and the rights of the one it replaces,
// so a Firebird server that used the old file can use the new one.
void TakeOverRights(const QString& from, const QString& to) {
    QFile::setPermissions(to, QFile::permissions(from));
    // Only an administrator may give a file away; the rights above hold anyway.
    struct stat st {};
    if (::stat(QFile::encodeName(from).constData(), &st) == 0 &&
        ::chown(QFile::encodeName(to).constData(), st.st_uid, st.st_gid) != 0)
        return;
}

// Opens a restored database and reads its ledger: the number of documents,
// or -1 (and *error) when it cannot be used.
int CheckRestored(const QString& folder, QString* error) {
    TDB check(folder);
    check.ServerName.clear();
    if (!check.Connect()) {
        *error = check.LastConnectError();
        return -1;
    }
    try {
        return check.Scalar(QStringLiteral("SELECT COUNT(DISTINCT NRDOK) FROM DOKUMENT")).toInt();
    } catch (const DbError& e) {
        *error = e.Text();
        return -1;
    }
}

// Restores the backup as ORVA.GDB in the work folder and checks it: the
// number of its documents, or -1 with *error.
int RestoreInto(const QTemporaryDir& work, const QString& backup, QString* error) {
    if (!work.isValid()) {
        *error =
            QStringLiteral("Nie można utworzyć pliku w folderze %1: %2")
                .arg(QDir::toNativeSeparators(QFileInfo(work.path()).path()), work.errorString());
        return -1;
    }
    const Gbak::Result restored =
        Gbak::Restore(backup, QDir(work.path()).filePath(QStringLiteral("ORVA.GDB")));
    if (!restored.ok) {
        *error = QStringLiteral("Odtworzenie danych z kopii nie powiodło się; baza danych "
                                "pozostała bez zmian.\n\n%1")
                     .arg(restored.output);
        return -1;
    }
    const int documents = CheckRestored(work.path(), error);
    if (documents < 0)
        *error = QStringLiteral("Odtworzonej bazy danych nie można otworzyć; baza danych "
                                "pozostała bez zmian.\n\n%1")
                     .arg(*error);
    return documents;
}

// Moves the database (when there is one) to `kept` and the restored file
// into its place; on failure puts everything back and says why.
bool SwapIn(const QString& fresh, const QString& database, const QString& kept, QString* error) {
    if (!kept.isEmpty() && !QFile::rename(database, kept)) {
        *error = QStringLiteral("Nie można zachować obecnej bazy danych jako %1; baza danych "
                                "pozostała bez zmian.")
                     .arg(QDir::toNativeSeparators(kept));
        return false;
    }
    if (!QFile::rename(fresh, database)) {
        if (!kept.isEmpty())
            QFile::rename(kept, database);
        *error = QStringLiteral("Nie można zapisać pliku %1; baza danych pozostała bez zmian.")
                     .arg(QDir::toNativeSeparators(database));
        return false;
    }
    if (!kept.isEmpty())
        TakeOverRights(kept, database);
    return true;
}

} // namespace

bool RestoreDatabase(const QString& programDir, UserDialogs& ui, const QString& guardPath) {
    const QDir dir(programDir);
    const QString backup = Gbak::BackupPath(programDir);
    const QString database = TDB::DatabaseName(QString(), programDir);
    const auto refuse = [&ui](const QString& text) {
        ui.Show(QStringLiteral("Błąd"), text, MsgIcon::Exclamation);
        return false;
    };

    if (!QFileInfo::exists(backup))
        return refuse(QStringLiteral("Nie ma kopii danych %1.\nKopię wykonuje program Orva: "
                                     "Administracja > Archiwizuj dane.")
                          .arg(QDir::toNativeSeparators(backup)));
    // Held until the end, so Orva cannot start while the files change.
    SingleInstance guard(guardPath);
    if (!guard.Acquire())
        return refuse(QStringLiteral("Program Orva jest uruchomiony na tym komputerze. Zamknij "
                                     "go i wykonaj dearchiwizację ponownie."));
    const bool exists = QFileInfo::exists(database);
    const QString server = TDB::ReadServerName(programDir).trimmed();
    if (!exists && !server.isEmpty() && !TDB::IsLocalServer(server))
        return refuse(QStringLiteral("Program korzysta z bazy danych na serwerze „%1”. "
                                     "Dearchiwizację należy wykonać na tym serwerze, w folderze "
                                     "programu.")
                          .arg(server));

    // The database through the embedded engine: it opens only when no
    // other process holds it, and it stays held by us until the swap.
    TDB live(programDir);
    live.ServerName.clear();
    if (exists && !live.Connect()) {
        const QString why = live.LastConnectError();
        if (HeldElsewhere(why))
            return refuse(QStringLiteral("Baza danych %1 jest używana przez inny program. Zamknij "
                                         "program Orva na wszystkich komputerach i wykonaj "
                                         "dearchiwizację ponownie.\n\n%2")
                              .arg(QDir::toNativeSeparators(database), why));
        if (!ui.Ask(
                QStringLiteral("Ostrzeżenie"),
                QStringLiteral("Obecnej bazy danych %1 nie można otworzyć:\n%2\n\nCzy odtworzyć "
                               "ją z kopii? Obecny plik zostanie zachowany.")
                    .arg(QDir::toNativeSeparators(database), why)))
            return false;
    }

    QTemporaryDir work(dir.filePath(QStringLiteral("ORVA-dearchiwizacja-XXXXXX")));
    QString error;
    const int documents = RestoreInto(work, backup, &error);
    live.Disconnect();
    const QString kept = exists ? KeptName(dir) : QString();
    if (documents < 0 ||
        !SwapIn(QDir(work.path()).filePath(QStringLiteral("ORVA.GDB")), database, kept, &error)) {
        ui.Show(QStringLiteral("Błąd"), error, MsgIcon::Error);
        return false;
    }

    QString text =
        QStringLiteral("Dane zostały odtworzone z kopii z dnia %1 (dokumentów: %2).")
            .arg(QFileInfo(backup).lastModified().toString(QStringLiteral("dd.MM.yyyy HH:mm")))
            .arg(documents);
    if (exists)
        text += QStringLiteral("\nPoprzednia baza danych została zachowana w pliku %1.")
                    .arg(QDir::toNativeSeparators(kept));
    ui.Show(QStringLiteral("Dearchiwizacja"), text, MsgIcon::Information);
    return true;
}
