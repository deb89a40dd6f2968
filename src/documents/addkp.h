#pragma once
#include "documents/entrydialog.h"

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTabWidget;
class QToolButton;
class TMemo;

// The KP dialog: a cash receipt of one or two revenue lines.
class TAddKp : public TEntryDialog {
    Q_OBJECT
  public:
    explicit TAddKp(QWidget* parent = nullptr);

    QTabWidget* PageControl1 = nullptr;
    QWidget* TabDane = nullptr;
    QWidget* TabKp = nullptr;
    QLineEdit* EdRodzajP = nullptr;
    QToolButton* AddRodzajP = nullptr;
    QLineEdit* EdWartoscP = nullptr;
    QLineEdit* EdNr = nullptr;
    TMemo* EdOpis = nullptr;
    QLabel* Label11 = nullptr;
    QLineEdit* EdRodzajPD = nullptr;
    QToolButton* AddRodzajPD = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* EdWartoscPD = nullptr;
    TMemo* EdKomu = nullptr;
    QToolButton* SpeedButton3 = nullptr;
    QCheckBox* CheckKp = nullptr;
    QToolButton* ZapiszBut = nullptr;
    QToolButton* ZamknijBut = nullptr;
    QToolButton* ZapiszBut1 = nullptr;
    QToolButton* ZamknijBut1 = nullptr;

    int RodzajPId = 0;
    int RodzajPDId = 0;
    float DocumentTotal = 0;

    bool PrepareNewDocument() override;
    void EnableSecondCategory();
    void DisableSecondCategory();
    // Inserts the one or two lines of the KP in the running action.
    void WriteRows();

  public slots:
    void FormShow() override;
    void AddRodzajPClick();
    void AddRodzajPDClick();
    void EdWartoscPChange();
    void SpeedButton3Click();
    void ZapiszButClick();
    void ZamknijButClick();
    void Usu1Click();

  private:
    void BuildDane();
    void BuildKp();
    bool CheckFields();
    bool ReadValues();
    Outcome SaveNewDocument(int month, int year) override;
    QString Kind() const override { return QStringLiteral("KP"); }
    void WriteDocument() override { WriteRows(); }
    Rows ReadDocument(int nrDok) const override;
    void LoadDocument(const Rows& rows) override;

    double valueP_ = 0;  // EdWartoscP as parsed
    double valuePD_ = 0; // EdWartoscPD as parsed, when not empty
};

extern TAddKp* AddKp;
