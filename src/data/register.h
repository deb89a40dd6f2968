#pragma once
#include "data/db.h"

// The register of documents (query Qglowna): one line per document.
namespace Register {
// The seven lines of the register query, in order.
const QStringList& SqlLines();
QString Sql();
// Reads the whole register in a short read of its own.
Rows Load(TDB& db);
} // namespace Register
