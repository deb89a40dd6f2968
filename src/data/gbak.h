#pragma once
#include <QString>
#include <QStringList>

// The server's backup tool, gbak: run to its end while the caller's event
// loop keeps turning (timers and painting, no user input), so a window can
// show that work is going on. Backups never replace the last good copy
// until the new one is complete.
namespace Gbak {

// The tool, found on the search path; tests point it elsewhere.
extern QString Program;

struct Result {
    bool ok = false;
    QString output; // what the tool said, or why it did not run
};

// Runs the tool with these arguments and the administrator's account.
Result Run(const QStringList& arguments);

// The backup copy beside the program: Kopia/ORVA.GBK.
QString BackupPath(const QString& programDir);

// Backs up `database` (a path or "server:/path") into `target`: gbak writes
// a temporary file beside it, which replaces `target` only when gbak
// succeeded. Creates the folder of `target` when it is missing.
Result Backup(const QString& database, const QString& target);

// Restores `backup` into a new database file `target`, which must not exist.
// A failed restore leaves no file behind.
Result Restore(const QString& backup, const QString& target);

} // namespace Gbak
