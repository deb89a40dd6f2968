#include "common/entrywindows.h"

#include "documents/addfv.h"
#include "documents/addkp.h"
#include "documents/addwb.h"
#include "documents/szukajf.h"
#include "documents/wyborkto.h"
#include "shell/docview.h"

#include <QApplication>
#include <QSqlRecord>
#include <QTimer>

void CreateDocumentWindows(QWidget* parent) {
    AddKp = new TAddKp(parent);
    SzukajF = new TSzukajF(parent);
    AddFv = new TAddFv(parent);
    AddWb = new TAddWb(parent);
    WyborKto = new TWyborKto(parent);
}

void DeleteDocumentWindows() {
    delete WyborKto;
    delete AddWb;
    delete AddFv;
    delete SzukajF;
    delete AddKp;
    WyborKto = nullptr;
    AddWb = nullptr;
    AddFv = nullptr;
    SzukajF = nullptr;
    AddKp = nullptr;
}

EntryWindows::EntryWindows(TestDb& t) : window_(t) {
    CreateDocumentWindows(Main);
}

EntryWindows::~EntryWindows() {
    DeleteDocumentWindows();
}

void SelectDocument(int nrdok) {
    const Rows& rows = DocView->Qglowna->AllRows();
    for (int i = 0; i < rows.size(); ++i)
        if (rows.at(i).value(QStringLiteral("NRDOK")).toInt() == nrdok)
            DocView->SetCurrentRow(i);
}

int SelectedDocument() {
    return DocView->SelectedNrDok();
}

bool Within(const std::function<void()>& command, QDialog* dialog,
            const std::function<void()>& inside) {
    bool shown = false;
    // A timer of this call only: a dialog that never shows leaves nothing
    // behind to fire in a later one.
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QDialog* shownDialog =
            dialog ? dialog : qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!shownDialog || !shownDialog->isVisible())
            return;
        shown = true;
        inside();
        if (shownDialog->isVisible())
            shownDialog->reject();
    });
    timer.start(0);
    command();
    return shown;
}

bool SaveThrough(const std::function<void()>& command, TEntryDialog* dialog,
                 const std::function<void()>& fill) {
    bool closedBySave = false;
    const bool shown = Within(command, dialog, [&] {
        fill();
        QMetaObject::invokeMethod(dialog, "ZapiszButClick");
        closedBySave = !dialog->isVisible();
    });
    return shown && closedBySave;
}
