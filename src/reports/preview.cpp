#include "reports/preview.h"
#include "data/db.h"
#include "reports/export.h"
#include "reports/render.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const double ZoomSteps[] = {0.25, 0.5, 0.75, 1.0, 1.25, 1.5, 2.0, 3.0, 4.0};

// The folder the last export went to, offered again next time.
QString& LastFolder() {
    static QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder;
}

QString FileStem(const QString& title) {
    QString stem = title.trimmed();
    stem.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]+")), QStringLiteral("_"));
    return stem.isEmpty() ? QStringLiteral("wydruk") : stem;
}

} // namespace

ReportPreview::ReportPreview(Report report, QWidget* parent)
    : QDialog(parent), report_(std::move(report)), printer_(QPrinter::HighResolution) {
    setWindowTitle(report_.title.isEmpty() ? QStringLiteral("Podgląd wydruku")
                                           : QStringLiteral("Podgląd wydruku - ") + report_.title);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildToolBar();
    scroll_ = new QScrollArea(this);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Dark);
    view_ = new QLabel(scroll_);
    view_->setAlignment(Qt::AlignCenter);
    view_->setContentsMargins(12, 12, 12, 12);
    scroll_->setWidget(view_);
    scroll_->setWidgetResizable(true);
    layout->addWidget(scroll_, 1);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        resize(qMin(1000, available.width() * 9 / 10), available.height() * 9 / 10);
    }
    SetPage(0);
    SetZoom(1.0);
}

ReportPreview::~ReportPreview() = default;

void ReportPreview::BuildToolBar() {
    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout()->addWidget(bar);
    // Actions without a caption show their icon alone, with the hint as tip.
    auto add = [&](const QString& text, const QIcon& icon, const QString& hint,
                   void (ReportPreview::*slot)(), const QKeySequence& key = {}) {
        QAction* action = bar->addAction(icon, text);
        action->setToolTip(hint);
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    const QIcon save = QIcon::fromTheme(QStringLiteral("document-save-as"),
                                        style()->standardIcon(QStyle::SP_DialogSaveButton));
    PrintBut = add(QStringLiteral("Drukuj"), QIcon::fromTheme(QStringLiteral("document-print")),
                   QStringLiteral("Drukuj na wybranej drukarce"), &ReportPreview::PrintButClick,
                   QKeySequence::Print);
    PageSetupBut = add(QStringLiteral("Ustawienia strony"),
                       QIcon::fromTheme(QStringLiteral("document-properties")),
                       QStringLiteral("Ustawienia strony"), &ReportPreview::PageSetupButClick);
    bar->addSeparator();
    PdfBut = add(QStringLiteral("PDF"), save, QStringLiteral("Eksport do PDF"),
                 &ReportPreview::PdfButClick);
    PngBut =
        add(QStringLiteral("PNG"), save, QStringLiteral("Eksport do PNG (plik na każdą stronę)"),
            &ReportPreview::PngButClick);
    CsvBut = add(QStringLiteral("CSV"), save, QStringLiteral("Eksport tabeli do CSV"),
                 &ReportPreview::CsvButClick);
    CsvBut->setEnabled(!report_.table.isEmpty());
    bar->addSeparator();
    ZoomOutBut = add(QStringLiteral("\u2212"), QIcon(), QStringLiteral("Pomniejsz"),
                     &ReportPreview::ZoomOutButClick, QKeySequence::ZoomOut);
    ZoomBox = new QComboBox(bar);
    for (double step : ZoomSteps)
        ZoomBox->addItem(QString::number(qRound(step * 100)) + QStringLiteral(" %"), step);
    ZoomBox->addItem(QStringLiteral("Szerokość strony"), -1.0);
    ZoomBox->addItem(QStringLiteral("Cała strona"), -2.0);
    ZoomBox->setToolTip(QStringLiteral("Powiększenie"));
    bar->addWidget(ZoomBox);
    connect(ZoomBox, qOverload<int>(&QComboBox::activated), this, &ReportPreview::ZoomBoxChanged);
    ZoomInBut = add(QStringLiteral("+"), QIcon(), QStringLiteral("Powiększ"),
                    &ReportPreview::ZoomInButClick, QKeySequence::ZoomIn);
    bar->addSeparator();
    FirstBut = add(QString(), style()->standardIcon(QStyle::SP_MediaSkipBackward),
                   QStringLiteral("Pierwsza strona"), &ReportPreview::FirstButClick,
                   Qt::CTRL | Qt::Key_Home);
    PriorBut =
        add(QString(), style()->standardIcon(QStyle::SP_MediaSeekBackward),
            QStringLiteral("Poprzednia strona"), &ReportPreview::PriorButClick, Qt::Key_PageUp);
    PageBox = new QSpinBox(bar);
    PageBox->setRange(1, qMax(1, int(report_.pages.size())));
    PageBox->setToolTip(QStringLiteral("Strona"));
    connect(PageBox, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int value) { SetPage(value - 1); });
    bar->addWidget(PageBox);
    PageCountLabel = new QLabel(QStringLiteral(" z %1 ").arg(report_.pages.size()), bar);
    bar->addWidget(PageCountLabel);
    NextBut =
        add(QString(), style()->standardIcon(QStyle::SP_MediaSeekForward),
            QStringLiteral("Następna strona"), &ReportPreview::NextButClick, Qt::Key_PageDown);
    LastBut = add(QString(), style()->standardIcon(QStyle::SP_MediaSkipForward),
                  QStringLiteral("Ostatnia strona"), &ReportPreview::LastButClick,
                  Qt::CTRL | Qt::Key_End);
    bar->addSeparator();
    QAction* close = bar->addAction(QStringLiteral("Zamknij"));
    close->setToolTip(QStringLiteral("Zamknij podgląd"));
    connect(close, &QAction::triggered, this, &QDialog::accept);
}

void ReportPreview::SetPage(int index) {
    const int last = report_.pages.size() - 1;
    page_ = qBound(0, index, qMax(0, last));
    const QSignalBlocker block(PageBox);
    PageBox->setValue(page_ + 1);
    FirstBut->setEnabled(page_ > 0);
    PriorBut->setEnabled(page_ > 0);
    NextBut->setEnabled(page_ < last);
    LastBut->setEnabled(page_ < last);
    ShowPage();
}

void ReportPreview::SetZoom(double zoom) {
    zoom_ = qBound(ZoomSteps[0], zoom, ZoomSteps[std::size(ZoomSteps) - 1]);
    const QSignalBlocker block(ZoomBox);
    const int exact = ZoomBox->findData(zoom_);
    if (exact >= 0) {
        ZoomBox->setCurrentIndex(exact);
    } else {
        ZoomBox->setCurrentIndex(-1);
        ZoomBox->setPlaceholderText(QString::number(qRound(zoom_ * 100)) + QStringLiteral(" %"));
    }
    ShowPage();
}

void ReportPreview::ZoomBoxChanged(int index) {
    const double value = ZoomBox->itemData(index).toDouble();
    if (value > 0 || report_.pages.isEmpty()) {
        SetZoom(value > 0 ? value : 1.0);
        return;
    }
    // Fit the page's width, or the whole page, into the visible area.
    const QSizeF paper = report_.pages[page_].format.PaperMm() / 25.4 * logicalDpiX();
    const QSize room = scroll_->viewport()->size() - QSize(30, 30);
    const double width = room.width() / paper.width();
    SetZoom(value == -1.0 ? width : qMin(width, room.height() / paper.height()));
}

void ReportPreview::ZoomInButClick() {
    for (double step : ZoomSteps)
        if (step > zoom_ + 1e-6)
            return SetZoom(step);
}

void ReportPreview::ZoomOutButClick() {
    for (int i = std::size(ZoomSteps) - 1; i >= 0; --i)
        if (ZoomSteps[i] < zoom_ - 1e-6)
            return SetZoom(ZoomSteps[i]);
}

void ReportPreview::ShowPage() {
    if (report_.pages.isEmpty()) {
        view_->setText(QStringLiteral("Brak stron do wyświetlenia."));
        return;
    }
    // 100 % shows the page in its real size on this screen.
    const double ratio = devicePixelRatioF();
    QImage image = PageImage(report_, page_, qRound(logicalDpiX() * zoom_ * ratio));
    image.setDevicePixelRatio(ratio);
    view_->setPixmap(QPixmap::fromImage(image));
}

bool ReportPreview::ExportPdf(const QString& path) {
    return WritePdf(report_, path);
}

QStringList ReportPreview::ExportPng(const QString& path) {
    return WritePng(report_, path);
}

bool ReportPreview::ExportCsv(const QString& path) {
    return WriteCsv(report_, path);
}

bool ReportPreview::Print(QPrinter& printer) {
    return PrintReport(report_, printer, pageSetupChosen_);
}

void ReportPreview::ReportFailure(const QString& path) {
    if (DB)
        DB->Ui().Show(
            QStringLiteral("Błąd"),
            QStringLiteral("Nie można zapisać pliku %1.").arg(QDir::toNativeSeparators(path)),
            MsgIcon::Error);
}

void ReportPreview::ExportWithDialog(const QString& caption, const QString& filter,
                                     const QString& suffix,
                                     const std::function<bool(const QString&)>& write) {
    const QString proposal = LastFolder() + QLatin1Char('/') + FileStem(report_.title) + suffix;
    QString path = QFileDialog::getSaveFileName(this, caption, proposal, filter);
    if (path.isEmpty())
        return;
    if (!path.endsWith(suffix, Qt::CaseInsensitive))
        path += suffix;
    LastFolder() = QFileInfo(path).absolutePath();
    if (!write(path))
        ReportFailure(path);
}

void ReportPreview::PdfButClick() {
    ExportWithDialog(QStringLiteral("Eksport do PDF"), QStringLiteral("Dokument PDF (*.pdf)"),
                     QStringLiteral(".pdf"),
                     [this](const QString& path) { return ExportPdf(path); });
}

void ReportPreview::PngButClick() {
    ExportWithDialog(QStringLiteral("Eksport do PNG (plik na każdą stronę)"),
                     QStringLiteral("Obraz PNG (*.png)"), QStringLiteral(".png"),
                     [this](const QString& path) { return !ExportPng(path).isEmpty(); });
}

void ReportPreview::CsvButClick() {
    ExportWithDialog(QStringLiteral("Eksport do CSV"), QStringLiteral("Plik CSV (*.csv)"),
                     QStringLiteral(".csv"),
                     [this](const QString& path) { return ExportCsv(path); });
}

void ReportPreview::PreparePrinter() {
    // Until the user chooses otherwise, the paper is the report's own.
    if (pageSetupChosen_ || report_.pages.isEmpty())
        return;
    const PageFormat& format = report_.pages.first().format;
    printer_.setPageSize(QPageSize(format.size));
    printer_.setPageOrientation(format.orientation);
}

void ReportPreview::PrintButClick() {
    if (report_.pages.isEmpty())
        return;
    PreparePrinter();
    QPrintDialog dialog(&printer_, this);
    dialog.setWindowTitle(QStringLiteral("Drukowanie"));
    dialog.setMinMax(1, report_.pages.size());
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!Print(printer_) && DB)
        DB->Ui().Show(QStringLiteral("Błąd"), QStringLiteral("Nie udało się wydrukować raportu."),
                      MsgIcon::Error);
}

void ReportPreview::PageSetupButClick() {
    PreparePrinter();
    QPageSetupDialog dialog(&printer_, this);
    dialog.setWindowTitle(QStringLiteral("Ustawienia strony"));
    if (dialog.exec() == QDialog::Accepted)
        pageSetupChosen_ = true;
}

void ShowReport(Report report, QWidget* parent) {
    ReportPreview preview(std::move(report), parent);
    preview.exec();
}
