#pragma once
#include "documents/entrydialog.h"

#include <functional>

class QCheckBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;
class TMemo;

// The WB dialog: a bank statement of up to two revenues and two costs, in
// one or two lines; the till is not touched.
class TAddWb : public TEntryDialog {
    Q_OBJECT
  public:
    explicit TAddWb(QWidget* parent = nullptr);

    QLineEdit* EdNr = nullptr;
    QLineEdit* EdRodzajP = nullptr;
    QToolButton* AddRodzajP = nullptr;
    QLineEdit* EdWartoscP = nullptr;
    QLineEdit* EdRodzajK = nullptr;
    QToolButton* AddRodzajK = nullptr;
    QLineEdit* EdWartoscK = nullptr;
    QFrame* Panel1 = nullptr; // the second revenue pair
    QLabel* LabelRodzajPD = nullptr;
    QLineEdit* EdRodzajPD = nullptr;
    QToolButton* AddRodzajPD = nullptr;
    QLabel* LabelWartoscPD = nullptr;
    QLineEdit* EdWartoscPD = nullptr;
    QFrame* Panel2 = nullptr; // the second cost pair
    QLabel* LabelRodzajKD = nullptr;
    QLineEdit* EdRodzajKD = nullptr;
    QToolButton* AddRodzajKD = nullptr;
    QLabel* LabelWartoscKD = nullptr;
    QLineEdit* EdWartoscKD = nullptr;
    QCheckBox* CheckZero = nullptr;
    TMemo* EdOpis = nullptr;
    QToolButton* ZapiszBut = nullptr;
    QToolButton* ZamknijBut = nullptr;

    int RodzajKId = 0;
    int RodzajPId = 0;
    int RodzajKDId = 0;
    int RodzajPDId = 0;
    float DocumentTotal = 0;

    // EdNr keeps the previous number.
    bool PrepareNewDocument() override;
    // As for any document, and EdNr cleared.
    bool PrepareInsertBefore(int nrDok) override;
    void EnableSecondCost();
    void EnableSecondRevenue();
    void DisableSecondCost();
    void DisableSecondRevenue();
    // Inserts the one or two lines of the WB in the running action.
    void WriteRows();

  public slots:
    void FormShow() override;
    void AddRodzajKClick();
    void AddRodzajPClick();
    void AddRodzajKDClick();
    void AddRodzajPDClick();
    void EdWartoscKChange();
    void EdWartoscPChange();
    void EdWartoscKDChange();
    void EdRodzajPDChange();
    void CheckZeroClick();
    void Usu1Click();
    void ZapiszButClick();
    void ZamknijButClick();

  private:
    QFrame* BuildPair(const QString& category, const QString& amount, QLineEdit*& edRodzaj,
                      QToolButton*& add, QLineEdit*& edWartosc, QLabel** labels,
                      const std::function<void()>& onAmountKey);
    QList<QLineEdit*> CategoryFields() const;
    QList<QLineEdit*> AmountFields() const;
    bool CheckFields();
    bool ReadValues();
    Outcome SaveNewDocument(int month, int year) override;
    QString Kind() const override { return QStringLiteral("WB"); }
    void WriteDocument() override { WriteRows(); }
    Rows ReadDocument(int nrDok) const override;
    void LoadDocument(const Rows& rows) override;
    // One row's revenue side into the first or second revenue pair, its cost
    // side into the cost pair.
    void LoadPairs(const QSqlRecord& row, QLineEdit* revenue, QLineEdit* revenueValue,
                   int* revenueId, QLineEdit* cost, QLineEdit* costValue, int* costId);
    void WriteRow(const QVariantMap& common, double revenue, int revenueId, double cost,
                  int costId);

    double valueK_ = 0, valueP_ = 0, valueKD_ = 0, valuePD_ = 0; // amounts as parsed, 0 when empty
};

extern TAddWb* AddWb;
