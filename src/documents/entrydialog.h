#pragma once
#include "data/db.h"
#include "shell/form.h"

#include <QDate>
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
class TMemo;
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

    // What the opener of a new document prepares (TMain::EntryMode set by
    // the caller). False when the ledger could not be read.
    virtual bool PrepareNewDocument() = 0;
    // "Wstaw przed": the fields as for a new document, the date between the
    // documents around nrDok, CheckWstaw ticked. False when the ledger could
    // not be read.
    virtual bool PrepareInsertBefore(int nrDok);
    // "Popraw": document nrDok loaded for a correction (TMain::EntryMode 2),
    // its date limited to the neighbouring documents, CheckWstaw off and
    // disabled. False (the user told why) when it cannot be loaded.
    bool PrepareCorrection(int nrDok);

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
    // The description memo EdOpis (120 characters) of the given height.
    static TMemo* NewDescription(QWidget* parent, int height);
    // Makes CheckWstaw on the given page.
    void NewInsertBeforeBox(QWidget* parent);

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
    // Places the document before the register's selected one: it takes
    // that one's numbers, everything from there moves one on and the
    // balances are worked out again.
    Outcome SaveInsertBefore();
    // Deletes the corrected document and writes it again under its own
    // numbers, period and cash report; the balances from it on are worked
    // out again. The cost document updates its line in place instead.
    virtual Outcome SaveCorrection();
    // Inside a branch: stops the save; the refusal is shown after the rollback.
    Outcome StopWith(QWidget* field, const QString& text);

    // --- changes inside the ledger ----------------------------------------------
    // "KP", "KW" or "WB".
    virtual QString Kind() const = 0;
    // Inserts the document's rows with the working values of DB.
    virtual void WriteDocument() = 0;
    // The rows of document nrDok with the names of their categories, in
    // the order they were written. Throws DbError.
    virtual Rows ReadDocument(int nrDok) const = 0;
    // Fills the fields from the rows of the document being corrected.
    virtual void LoadDocument(const Rows& rows) = 0;
    // The first steps of a correction's save: the ledger locked, the
    // document read afresh and its numbers, period, cash report and the
    // funds before it put into DB's working values. False (the save
    // stopped) when the document is no longer there.
    bool BeginCorrection();
    // The balances from document nrDok on (from the next one for the first
    // document, which keeps its own).
    static void RecomputeFrom(int nrDok);
    // An amount as the fields show it: "12,5"; "" for 0 when emptyWhenZero.
    static QString AmountText(double value, bool emptyWhenZero);
    // A category name as a field shows it.
    static QString NameText(const QVariant& value);

  private:
    // A document as it stands in the ledger, one value per document.
    struct Placed {
        int nrPoz = 0;
        int okres = 0;
        int nrRk = 0;
        bool isWb = false;
        QString kind;
        float fundsBefore = 0; // RoundMoney(balance + payments - receipts)
    };

    void PlacePrintBox();
    Outcome RunSave(const std::function<Outcome()>& branch);
    // Date range between the documents around nrDok, and the date shown.
    void SetDatesAround(int nrDok, const QDate& value);
    // False when document nrDok has no rows.
    static bool ReadPlaced(int nrDok, Placed* placed);
    // The period and cash report of a document placed before a WB, from the
    // nearest earlier document that is not a WB.
    static void TakeCashReportBeforeWb(int nrDok);

    QCheckBox* printBox_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    QHash<QObject*, std::function<void()>> f9_;
    QWidget* stopField_ = nullptr;
    QString stopText_;
    int correctedNrDok_ = 0; // the document the correction opener loaded
    int correctedId_ = 0;    // ID_DOKUMENT of its first line, as loaded
};
