#pragma once
#include "data/userdialogs.h"
#include "shell/singleinstance.h"

#include <QString>

// Puts the backup copy Kopia/ORVA.GBK back in place of ORVA.GDB beside the
// program. The copy is restored into a new file first and opened to check
// it; only then does it take the database's place, and the database it
// replaces is kept beside it under a dated name (ORVA-yyyy-MM-dd-HHmmss.GDB),
// so nothing is ever lost. Refused while Orva runs on this computer (its
// guard against a second copy) or while any process holds the database.
// Tells the user how it went; true when the database was replaced.
bool RestoreDatabase(const QString& programDir, UserDialogs& ui,
                     const QString& guardPath = SingleInstance::DefaultPath());
