#pragma once
#include "reports/report.h"

#include <QDate>
#include <QVariant>

// Pieces the cash report and the periodic report share.

// Amounts of the reports are added up in whole grosze, so that totals are
// exact whatever the number of lines.
using Cents = qint64;
// A money value read from the database (NULL reads as 0).
Cents ToCents(const QVariant& value);
// "1 234,50"
QString MoneyText(Cents value);
// As MoneyText, but nothing for 0: the line cells of the periodic report.
QString MoneyOrBlank(Cents value);
// An amount in the CSV export: "1234,50", which a spreadsheet with Polish
// settings reads as a number.
QString CsvMoney(Cents value);

// The month's name as a heading has it ("Październik"; Qt's Polish names are
// the genitive "października"); empty outside 1..12.
QString MonthName(int month);
// "Październik 2008"
QString MonthHeading(const QDate& date);

// The page footer: the program line from x = lineX, "N z M" in the box
// [numberX, numberX + numberWidth].
void DrawPageFooter(Area& area, double lineX, double numberX, double numberWidth,
                    Qt::Alignment numberAlign = Qt::AlignLeft);
