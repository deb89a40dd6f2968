#pragma once
#include "shell/form.h"

#include <QHash>
#include <functional>

class QAction;
class QCheckBox;
class QDateEdit;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QTabWidget;
class QToolButton;

// What the KP, cost-document and WB dialogs share: the key filters of their
// fields, the refusal of a field check, the proposals of their openers and
// the one transaction of a save.
class TEntryDialog : public TForm {
    Q_OBJECT
  public:
    // What the branch of a save did.
    enum class Outcome {
        Written,        // the document is in the ledger (committed)
        NothingWritten, // the user declined; the dialog closes
        Stopped         // refused or failed; the dialog stays open with its input
    };

    // The largest amount a document may carry.
    static constexpr double MaxAmount = 999999999.99;

    QDateEdit* EdData = nullptr;
    QCheckBox* CheckWstaw = nullptr; // "Wstaw przed zaznaczonym dokumentem"
    // Shows the voucher of a saved document and waits until it is closed
    // (KP and cost document).
    std::function<void(int nrDok)> VoucherPrinter;

    // The pop-up menu "Usuń" of the category fields (KP and WB only).
    QMenu* PopupMenu1 = nullptr;
    QAction* Usu1 = nullptr;
    // The category field the pop-up menu was last opened on.
    QLineEdit* PopupComponent = nullptr;

  protected:
    TEntryDialog(QWidget* parent, const char* name, const QString& caption, int width, int height);

    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    // --- the pick lists --------------------------------------------------------
    // Shows the category search for TMain::SearchTarget target.
    static void OpenCategorySearch(int target);
    // Shows the payer chooser for TWyborKto::Target target.
    static void OpenPayerChooser(int target);

    // --- key handling ----------------------------------------------------------
    // Releasing F9 in the category field opens its list.
    void OnF9(QWidget* field, std::function<void()> open);
    // Category fields are filled only from the list: a typed character is
    // refused with a message. Always false (the key is dropped).
    static bool RefuseTyping();
    // Clears a text that is not an amount, without a message.
    static void ClearIfNotAmount(QLineEdit* field);

    // --- building -----------------------------------------------------------
    // Room each tab keeps above its button strip for the print box.
    static constexpr int PrintBoxRoom = 26;
    static QLabel* NewLabel(QWidget* parent, const QString& text, const char* name = nullptr);
    static QDateEdit* NewDateEdit(QWidget* parent, const char* name);
    static QLineEdit* NewEdit(QWidget* parent, const char* name, int maxLength = 0);
    // An edit with the amount key filter; onAccepted runs after every key
    // the filter lets through.
    static QLineEdit* NewAmountField(QWidget* parent, const char* name,
                                     std::function<void()> onAccepted = {});
    // Read-only; when withPopup, right click opens PopupMenu1.
    QLineEdit* NewCategoryField(QWidget* parent, const char* name, bool withPopup);
    static QToolButton* NewPickButton(QWidget* parent, const char* name);
    static void SetEnabled(const QList<QWidget*>& widgets, bool enabled);
    // The page control filling the dialog (its tabs are added after).
    QTabWidget* NewPageControl();
    // A print box that belongs to the dialog, not to a tab: it stands at one
    // place, just above the button strip, whichever tab is shown.
    QCheckBox* NewPrintBox(const char* name, const QString& caption);

    // --- field checks -------------------------------------------------------
    // Shows a refused check ("Błąd", exclamation), brings the field's tab
    // forward and focuses the field. Always false.
    bool Refuse(QWidget* field, const QString& text);
    // The value of a non-empty amount field; refuses a text that is no amount.
    bool ReadAmount(QLineEdit* field, double* value);
    // Refuses an amount above MaxAmount.
    bool WithinLimit(QLineEdit* field, double value);

    // --- openers --------------------------------------------------------------
    // Date range and value of a new document: from the date of the last
    // ledger line to today + 10000 days, today chosen. Throws DbError.
    static void SetNewDocumentDates(QDateEdit* date);
    // The next whole number after the last one of the query ("1" when there
    // is none); the warning and "" when the last one is not a whole number.
    // Throws DbError.
    static QString ProposeNumber(const QString& sql, const QString& warning);

    // --- saving ---------------------------------------------------------------
    // The save once the fields passed their checks: the branch for
    // TMain::EntryMode and CheckWstaw and its writes as one action, the
    // register reloaded, the voucher printed when its box is ticked, the
    // dialog closed. A refused branch, a failed statement or a failed commit
    // keeps nothing, prints nothing and leaves the dialog open with its input.
    void Save();
    virtual Outcome SaveNewDocument(int month, int year) = 0;
    // Placing the document before the selected one and rewriting the
    // selected one come with the ledger edits; until then they refuse.
    virtual Outcome SaveInsertBefore();
    virtual Outcome SaveCorrection();
    // Inside a branch: stops the save; the refusal is shown after the rollback.
    Outcome StopWith(QWidget* field, const QString& text);

  private:
    void PlacePrintBox();
    Outcome RunSave(const std::function<Outcome()>& branch);

    QCheckBox* printBox_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QHash<QObject*, std::function<void()>> f9_;
    QWidget* stopField_ = nullptr;
    QString stopText_;
};
