#pragma once
#include <QDate>
#include <QLocale>
#include <QString>

// Polish number and date formats, whatever the machine's locale.
namespace Polish {
QLocale Locale();
// 1234.5 -> "1 234,50" (two decimals, decimal comma, thousands grouped).
QString Money(double value);
// "dd.MM.yyyy"
QString Date(const QDate& date);
// The decimal separator typed in amount fields: ','.
QChar DecimalSeparator();
// Reads an amount typed with the decimal comma ("12,5", "1200", "0,005").
// False for anything else (a lone separator, letters, a full stop, blanks).
bool ParseMoney(const QString& text, double* value);
} // namespace Polish
