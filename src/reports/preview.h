#pragma once
#include "reports/report.h"

#include <QDialog>
#include <QPrinter>
#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;

// The report preview: one page at a time, opening at 100 %, with printing,
// page setup, zoom, page navigation and export to PDF, PNG and (for tabular
// reports) CSV. The export and print operations without "…Click" work
// without any dialog, for callers that already know the file or printer.
class ReportPreview : public QDialog {
    Q_OBJECT
  public:
    explicit ReportPreview(Report report, QWidget* parent = nullptr);
    ~ReportPreview() override;

    const Report& report() const { return report_; }
    int CurrentPage() const { return page_; } // from 0
    double Zoom() const { return zoom_; }     // 1.0 = 100 %

    bool ExportPdf(const QString& path);
    QStringList ExportPng(const QString& path);
    bool ExportCsv(const QString& path);
    bool Print(QPrinter& printer);

    QAction* PrintBut = nullptr;
    QAction* PageSetupBut = nullptr;
    QAction* PdfBut = nullptr;
    QAction* PngBut = nullptr;
    QAction* CsvBut = nullptr;
    QAction* FirstBut = nullptr;
    QAction* PriorBut = nullptr;
    QAction* NextBut = nullptr;
    QAction* LastBut = nullptr;
    QAction* ZoomInBut = nullptr;
    QAction* ZoomOutBut = nullptr;
    QComboBox* ZoomBox = nullptr;
    QSpinBox* PageBox = nullptr;
    QLabel* PageCountLabel = nullptr;

  public slots:
    void SetPage(int index);
    void SetZoom(double zoom);
    void PrintButClick();
    void PageSetupButClick();
    void PdfButClick();
    void PngButClick();
    void CsvButClick();
    void FirstButClick() { SetPage(0); }
    void PriorButClick() { SetPage(page_ - 1); }
    void NextButClick() { SetPage(page_ + 1); }
    void LastButClick() { SetPage(report_.pages.size() - 1); }
    void ZoomInButClick();
    void ZoomOutButClick();

  private:
    void BuildToolBar();
    void ShowPage();
    void ZoomBoxChanged(int index);
    // Asks for the file name, then writes it; a failure is reported.
    void ExportWithDialog(const QString& caption, const QString& filter, const QString& suffix,
                          const std::function<bool(const QString&)>& write);
    void PreparePrinter();
    void ReportFailure(const QString& path);

    Report report_;
    QPrinter printer_;
    bool pageSetupChosen_ = false;
    int page_ = 0;
    double zoom_ = 1.0;
    QScrollArea* scroll_ = nullptr;
    QLabel* view_ = nullptr;
};

// Shows the report in a modal preview; returns when the user closes it.
void ShowReport(Report report, QWidget* parent);
