#pragma once
#include "common/testdb.h"
#include "shell/main.h"

#include <QTemporaryDir>
#include <memory>

// The main window as the program shows it over a test database, with the
// register open and the second-copy guard kept apart from a real Orva.
class TestWindow {
public:
    explicit TestWindow(TestDb& t);
    ~TestWindow();
    TMain& main() { return *main_; }

private:
    QTemporaryDir guardDir_;
    std::unique_ptr<TMain> main_;
    TestDb& t_;
};

// Every row of the ledger as text, to show that a command changed nothing.
QString LedgerSnapshot(TDB& db);
