#pragma once
#include <QChar>
#include <QString>
#include <functional>

class QLineEdit;

// Key filters of the edit fields and the reading of what was typed (or
// pasted past the filters) in amount and number fields.
namespace Input {

// Decides whether a typed character may reach the field.
using KeyHandler = std::function<bool(QLineEdit* sender, QChar key)>;

// Runs every typed character of edit through handler; a refused one is
// dropped with the system beep. Keys that type nothing (arrows, Tab,
// Delete) and shortcuts such as Ctrl+V pass untouched.
void AttachKeyFilter(QLineEdit* edit, KeyHandler handler);

// Amount fields: digits, backspace and one decimal comma; never a full stop.
bool AmountKey(const QLineEdit* edit, QChar key);
// Number fields: digits and backspace.
bool NumberKey(QChar key);

// An amount with the decimal comma and at most two decimals. Otherwise the
// field is refused with a message and false returned.
bool ReadAmount(QLineEdit* edit, double* value);
// A whole number of digits only, within the integer range; otherwise the
// field is refused with a message and false returned.
bool ReadNumber(QLineEdit* edit, int* value);

// An amount as the fields show it: decimal comma, no grouping, no fixed
// decimals (12.5 -> "12,5", 100 -> "100").
QString PlainAmount(double value);

} // namespace Input
