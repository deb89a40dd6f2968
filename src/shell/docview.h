#pragma once
#include "data/db.h"

#include <QAbstractTableModel>
#include <QWidget>
#include <functional>

class QMenu;
class QAction;
class QTableView;
class TEntryDialog;

// The rows of the register, read whole; read-only.
class RegisterModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    struct Column {
        const char* field;
        QString title;
        int width;
    };
    static const QVector<Column>& Columns();

    void SetRows(Rows rows);
    const Rows& AllRows() const { return rows_; }
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    Rows rows_;
};

// The register window: one line per document of the ledger. Its current
// line is the selected document of every command acting on the ledger.
class TDocView : public QWidget {
    Q_OBJECT
public:
    explicit TDocView(QWidget* parent = nullptr);

    QTableView* DBGrid1 = nullptr;
    RegisterModel* Qglowna = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Dodaj1 = nullptr;
    QAction* Wstawprzed1 = nullptr;
    QAction* Dodaj2 = nullptr;
    QAction* Wstawprzed2 = nullptr;
    QAction* Dodaj3 = nullptr;
    QAction* Wstawprzed3 = nullptr;
    QAction* Popraw1 = nullptr;
    QAction* Usu1 = nullptr;
    QAction* Anuluj1 = nullptr;

    float PriorBalance = 0;
    int Bookmark = -1; // row of the register saved by correct and cancel

    // Reads the register again; moves to the last line, or to the given row.
    void Reload(int row = -1);
    int CurrentRow() const;
    void SetCurrentRow(int row);
    // The selected document's line; empty when the register is empty.
    QSqlRecord Selected() const;
    // A value of the selected line; 0 / empty when the register is empty.
    QVariant Field(const char* name) const;
    int SelectedNrDok() const { return Field("NRDOK").toInt(); }
    void ReadLastBalance();
    // False, with "Musisz wybrać pozycję.", when no document is selected.
    bool RequireSelection();
    // Whether document n in the ledger is still the one the selected line
    // shows: another workstation may have renumbered the ledger since the
    // register was read. Run it inside the action. Throws DbError.
    bool SelectedIsStill(int n) const;
    // The refusal when it is not.
    static QString StaleSelectionText();
    // Runs body as one action on document n, after taking the ledger lock
    // and making sure n is still the selected document; otherwise nothing is
    // written and the user is told.
    void RunOnSelected(int n, const std::function<void()>& body);

public slots:
    void FormShow();
    void FormResize();
    void Dodaj1Click();
    void Dodaj2Click();
    void Dodaj3Click();
    void Wstawprzed1Click();
    void Wstawprzed2Click();
    void Wstawprzed3Click();
    void Popraw1Click();
    void Usu1Click();
    void Anuluj1Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildGrid();
    void BuildPopupMenu();
    void CancelRows(int n, const QString& kind);
    void OpenInsertBefore(TEntryDialog* dialog);
};

extern TDocView* DocView;
