#include "common/previewcatcher.h"

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
