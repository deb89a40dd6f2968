#pragma once
#include "common/scripteddialogs.h"
#include "data/db.h"

#include <QTemporaryDir>
#include <memory>

// A fresh database made from db/schema.sql in a temporary program folder,
// opened through the embedded engine. It becomes the program's DB while the
// fixture lives, with scripted dialogs and its own main-window state.
class TestDb {
public:
    TestDb();
    ~TestDb();

    TDB& db() { return *db_; }
    ScriptedDialogs& ui() { return ui_; }
    MainState& state() { return state_; }
    QString folder() const { return dir_.path(); }
    QString path() const;

    // Runs statements in one committed transaction (test set-up).
    void Run(const QStringList& statements);
    // One value of a query, for assertions.
    QVariant Value(const QString& sql);

    // A path to a copy of the schema's empty database; made once a process.
    static QString Template();
    // Creates an empty database at path with the project's script.
    static bool Create(const QString& path, QString* error = nullptr);

private:
    QTemporaryDir dir_;
    ScriptedDialogs ui_;
    MainState state_;
    std::unique_ptr<TDB> db_;
    TDB* previous_ = nullptr;
};
