#pragma once
#include "reports/report.h"

#include <QString>
#include <functional>

// Helpers for tests of printed reports.

// Runs a command that may open the modal report preview. Every preview it
// opens is exported to `pdf` (when given) and closed at once. Returns how
// many previews were shown.
int CatchPreviews(const std::function<void()>& command, const QString& pdf = QString());

// Writes the report as a PDF at path and returns the path; ends the test
// program when the file cannot be written.
QString PdfOf(const Report& report, const QString& path);

// The text of a PDF (PdfText::Text) with the no-break spaces of amounts read
// as blanks.
QString PlainPdfText(const QString& pdf, int page = -1);
