#include "common/reportcheck.h"

#include "common/pdftext.h"
#include "reports/export.h"
#include "reports/preview.h"

#include <QApplication>
#include <QTimer>

int CatchPreviews(const std::function<void()>& command, const QString& pdf) {
    int shown = 0;
    // Polls, so that events the command processes before its preview opens
    // do not use the check up; the timer dies with this function.
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* preview = qobject_cast<ReportPreview*>(QApplication::activeModalWidget());
        if (!preview)
            return;
        ++shown;
        if (!pdf.isEmpty())
            preview->ExportPdf(pdf);
        preview->accept();
    });
    poll.start();
    command();
    return shown;
}

QString PdfOf(const Report& report, const QString& path) {
    if (!WritePdf(report, path))
        qFatal("Cannot write %s", qPrintable(path));
    return path;
}

QString PlainPdfText(const QString& pdf, int page) {
    return PdfText::Text(pdf, page).replace(QChar(0x00A0), QLatin1Char(' '));
}
