#pragma once
#include "common/testwindow.h"

#include <functional>

class QDialog;
class QWidget;
class TEntryDialog;

// The main window with the register and the document windows, as the
// program makes them at start-up.
class EntryWindows {
  public:
    explicit EntryWindows(TestDb& t);
    ~EntryWindows();
    EntryWindows(const EntryWindows&) = delete;
    EntryWindows& operator=(const EntryWindows&) = delete;
    TMain& main() { return window_.main(); }

  private:
    TestWindow window_;
};

// The document windows (KP, cost document, WB and their pick lists), made
// and deleted as the program does at start-up and at exit.
void CreateDocumentWindows(QWidget* parent);
void DeleteDocumentWindows();

// Makes the register's current line the one of document nrdok.
void SelectDocument(int nrdok);
// NRDOK of the register's current line, 0 when there is none.
int SelectedDocument();

// Runs command; when dialog (any modal dialog when nullptr) shows, runs
// inside, then closes the dialog if inside left it open. False when the
// dialog never showed.
bool Within(const std::function<void()>& command, QDialog* dialog,
            const std::function<void()>& inside);
// Runs command, fills the dialog it shows and presses "Zapisz". True when
// the save closed the dialog.
bool SaveThrough(const std::function<void()>& command, TEntryDialog* dialog,
                 const std::function<void()>& fill);
