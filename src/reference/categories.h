#pragma once
#include "data/db.h"
#include "shell/form.h"

class QStandardItemModel;
class QTableView;
class TCategoryEditor;

// What sets the cost and the revenue categories apart; everything else of
// their lists and editors is the same.
struct CategoryKind {
    QString table;       // KOSZTY / PRZYCHODY
    QString idColumn;    // ID_KOSZTY / ID_PRZYCHODY
    QString carryColumn; // POCZATEKKOSZT / POCZATEKPRZYCH
    QString idParam;     // parameter of the row itself in the duplicate test
    QString listCaption;
    QString closeCaption;
    QString editorCaption;
    int nameEditLimit; // length limit of the name edit; 0 = none of its own
    QString limitText;
    QString emptyNameText;

    static const CategoryKind& Costs();
    static const CategoryKind& Revenues();

    // Width of the NAZWA column in the database.
    static constexpr int kNameColumnWidth = 40;
    // Active categories that "Dodaj" allows at most.
    static constexpr int kActiveLimit = 10;

    QString ListSql() const;
    QString RetireSql() const;
    QString DuplicateSql(bool correcting) const;
    QString InsertSql() const;
    QString UpdateSql() const;
};

// The list of the active categories of one kind.
class TCategoryList : public TForm {
    Q_OBJECT
public:
    TCategoryList(const CategoryKind& kind, QWidget* parent, const char* name);

    QTableView* SMDBGrid1 = nullptr;
    QStandardItemModel* Model = nullptr;
    QWidget* Panel1 = nullptr;
    QPushButton* DodajBut = nullptr;
    QPushButton* PoprawBut = nullptr;
    QPushButton* UsunBut = nullptr;
    QPushButton* ZamknijBut = nullptr;

    const CategoryKind& Kind() const { return kind_; }
    int Count() const { return rows_.size(); }
    // The list's current row; empty when the list is empty.
    QSqlRecord Current() const;
    // Identifier of the current row; 0 when the list is empty.
    int CurrentId() const;
    int CurrentRow() const;
    // Reads the list again and makes the given row current (clamped).
    void Reload(int row = 0);

public slots:
    void FormShow() override;
    void DodajButClick();
    void PoprawButClick();
    void UsunButClick();
    void ZamknijButClick();

protected:
    // The editor this list opens.
    virtual TCategoryEditor* Editor() const = 0;

private:
    void OpenEditor(int mode);

    const CategoryKind& kind_;
    Rows rows_;
};

// Adds a category or corrects the list's current one.
class TCategoryEditor : public TForm {
    Q_OBJECT
public:
    TCategoryEditor(const CategoryKind& kind, QWidget* parent, const char* name);

    QLineEdit* EdNazwa = nullptr;
    QLineEdit* EdWartosc = nullptr;
    QPushButton* ZapiszBut = nullptr;
    QPushButton* ZamknijBut = nullptr;

    bool EdWartoscKeyPress(QLineEdit* sender, QChar key);

public slots:
    void FormShow() override;
    void ZapiszButClick();
    void ZamknijButClick();

protected:
    // The list whose current row is corrected and which is reloaded.
    virtual TCategoryList* List() const = 0;

private:
    bool Save(bool correcting, int id, double carry);

    const CategoryKind& kind_;
};

// 1 = the editor adds a category, 2 = it corrects one (TMain::EntryMode).
int CategoryEntryMode();
