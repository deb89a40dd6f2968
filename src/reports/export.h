#pragma once
#include "reports/report.h"

#include <QStringList>

class QPrinter;

// Writes every page into one PDF file. False when the file cannot be written.
bool WritePdf(const Report& report, const QString& path);

// One PNG picture per page at `dpi`. A one-page report is written to `path`
// itself; longer ones to "name_1.png", "name_2.png", … beside it. Returns the
// files written; empty when one could not be written.
QStringList WritePng(const Report& report, const QString& path, int dpi = 150);

// The report's table as CSV: fields separated by ";", quoted only when they
// hold a separator, a quote or a line break; UTF-8 with a byte-order mark so
// that spreadsheets read Polish letters. False without a table or on failure.
bool WriteCsv(const Report& report, const QString& path);

// Prints every page. Normally each sheet takes the page's own paper and
// orientation; with keepPrinterPaper (the user chose them in the page setup)
// each page is scaled to fit the printer's paper instead.
bool PrintReport(const Report& report, QPrinter& printer, bool keepPrinterPaper = false);
