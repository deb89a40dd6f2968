#include "reports/export.h"
#include "reports/render.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

namespace {

// The whole sheet of `format`, corner at the painter's origin.
void ApplySheet(QPagedPaintDevice& device, const PageFormat& format) {
    device.setPageSize(QPageSize(format.size));
    device.setPageOrientation(format.orientation);
    device.setPageMargins(QMarginsF(), QPageLayout::Millimeter);
}

QString CsvField(QString field) {
    if (field.contains(QLatin1Char(';')) || field.contains(QLatin1Char('"')) ||
        field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'))) {
        field.replace(QLatin1String("\""), QLatin1String("\"\""));
        return QLatin1Char('"') + field + QLatin1Char('"');
    }
    return field;
}

} // namespace

bool WritePdf(const Report& report, const QString& path) {
    if (report.pages.isEmpty())
        return false;
    QPdfWriter writer(path);
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("Orva"));
    writer.setTitle(report.title);
    ApplySheet(writer, report.pages.first().format);
    // The layout is worked out at the writer's own resolution, set above.
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    for (int i = 0; i < report.pages.size(); ++i) {
        if (i > 0) {
            ApplySheet(writer, report.pages[i].format);
            writer.newPage();
        }
        RenderPage(painter, report, i);
    }
    return painter.end();
}

QStringList WritePng(const Report& report, const QString& path, int dpi) {
    QStringList written;
    const QFileInfo info(path);
    const QString stem = info.path() + QLatin1Char('/') + info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("png") : info.suffix();
    for (int i = 0; i < report.pages.size(); ++i) {
        const QString file =
            report.pages.size() == 1
                ? path
                : stem + QLatin1Char('_') + QString::number(i + 1) + QLatin1Char('.') + suffix;
        if (!PageImage(report, i, dpi).save(file, "PNG"))
            return {};
        written << file;
    }
    return written;
}

bool WriteCsv(const Report& report, const QString& path) {
    if (report.table.isEmpty())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QString text;
    for (const QStringList& row : report.table) {
        QStringList fields;
        for (const QString& field : row)
            fields << CsvField(field);
        text += fields.join(QLatin1Char(';')) + QLatin1String("\r\n");
    }
    file.write("\xEF\xBB\xBF");
    file.write(text.toUtf8());
    return file.commit();
}

bool PrintReport(const Report& report, QPrinter& printer, bool keepPrinterPaper) {
    if (report.pages.isEmpty())
        return false;
    printer.setFullPage(true);
    printer.setDocName(report.title);
    // Pages chosen in the print dialog (numbered from 1), or all of them.
    int first = 0, last = report.pages.size() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = qMax(first, printer.fromPage() - 1);
        last = qMin(last, qMax(printer.toPage(), printer.fromPage()) - 1);
    }
    if (first > last)
        return false;
    if (!keepPrinterPaper)
        ApplySheet(printer, report.pages[first].format);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    for (int i = first; i <= last; ++i) {
        const PageFormat& format = report.pages[i].format;
        if (i > first) {
            if (!keepPrinterPaper)
                ApplySheet(printer, format);
            printer.newPage();
        }
        painter.save();
        if (keepPrinterPaper) {
            // Fit the page on the chosen paper, centred, keeping its shape.
            const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
            const QSizeF page = format.PaperMm() / 25.4 * printer.logicalDpiX();
            const double scale = qMin(paper.width() / page.width(), paper.height() / page.height());
            painter.translate((paper.width() - page.width() * scale) / 2,
                              (paper.height() - page.height() * scale) / 2);
            painter.scale(scale, scale);
        }
        RenderPage(painter, report, i);
        painter.restore();
    }
    return painter.end();
}
