#pragma once
#include "shell/form.h"

class ListModel;
class QLineEdit;
class QTableView;
class QToolButton;

// The category search: the revenue or cost categories whose names begin
// with the search text; the choice goes into the category field of the
// entry dialog chosen by TMain::SearchTarget.
class TSzukajF : public TForm {
    Q_OBJECT
  public:
    explicit TSzukajF(QWidget* parent = nullptr);

    QLineEdit* EdSzukaj = nullptr;
    QTableView* SMDBGrid1 = nullptr;
    QToolButton* WybierzBut = nullptr;
    QToolButton* ZamknijBut = nullptr;
    ListModel* Query1 = nullptr;

    QString TableName;   // "PRZYCHODY" or "KOSZTY"
    QString StartColumn; // "POCZATEKPRZYCH" or "POCZATEKKOSZT"

    // True for the targets that list revenue categories.
    static bool IsRevenueTarget(int target);

  public slots:
    void FormShow() override;
    void EdSzukajChange();
    void LoadList();
    void WybierzButClick();
    void ZamknijButClick();
    void FormKeyUp(QKeyEvent* key);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    int Target() const;
    void Deliver(int id, const QString& name);
};

extern TSzukajF* SzukajF;
