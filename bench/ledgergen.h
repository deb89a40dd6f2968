#pragma once
#include <QtGlobal>

class TDB;

// Fills an empty database with a ledger like a parents' council keeps over
// the years: a new period every month, KP of one or two lines, KW, WB of one
// or two rows, cash reports closed by the WB (automatic numbering), balances
// as the entry dialogs write them. Commits. Returns the number of rows.
int GenerateLedger(TDB& db, int documents, int years, quint32 seed);
