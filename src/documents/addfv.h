#pragma once
#include "documents/entrydialog.h"

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QTabWidget;
class QToolButton;
class TMemo;

// The cost-document dialog: an invoice paid from the till, one KW line.
class TAddFv : public TEntryDialog {
    Q_OBJECT
  public:
    explicit TAddFv(QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabDane = nullptr;
    QWidget* TabKw = nullptr;
    QLineEdit* EdRodzaj = nullptr;
    QToolButton* AddRodzaj = nullptr;
    QLineEdit* EdNr = nullptr;
    QLineEdit* EdWartosc = nullptr;
    TMemo* EdOpis = nullptr;
    QLineEdit* EdNrKw = nullptr;
    TMemo* EdKomu = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QCheckBox* CheckKw = nullptr;
    QToolButton* ZapiszBut = nullptr;
    QToolButton* ZamknijBut = nullptr;
    QToolButton* ZapiszBut1 = nullptr;
    QToolButton* ZamknijBut2 = nullptr;

    int RodzajId = 0;

    bool PrepareNewDocument() override;
    // Inserts the line of the cost document in the running action.
    void WriteRow();

  public slots:
    void FormShow() override;
    void AddRodzajClick();
    void EdWartoscChange();
    void SpeedButton1Click();
    void ZapiszButClick();
    void ZamknijButClick();

  private:
    void BuildDane();
    void BuildKw();
    bool CheckFields();
    Outcome SaveNewDocument(int month, int year) override;
    Outcome SaveCorrection() override;
    QString Kind() const override { return QStringLiteral("KW"); }
    void WriteDocument() override { WriteRow(); }
    Rows ReadDocument(int nrDok) const override;
    void LoadDocument(const Rows& rows) override;
    // RoundMoney(funds before - RoundMoney(amount)).
    long double BalanceAfter() const;
    QVariantMap TypedValues() const;
    // ":NRKW", or "NULL" when no KW number was typed.
    QString NrKwValue() const;

    double value_ = 0; // EdWartosc as parsed
};

extern TAddFv* AddFv;
