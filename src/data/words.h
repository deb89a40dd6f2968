#pragma once
#include <QStringList>

// The 70 words the amount in words is built from, in seven rows of ten:
// units, ten to nineteen, tens, hundreds, and the forms of "tysiąc",
// "złoty" and "grosz" by the last digit.
QStringList PolishNumberWords();

// Amounts are named up to 999 999 999 999 złoty; anything larger (and any
// negative amount) is refused as not a whole number of złoty.
constexpr int kMaxZlotyDigitsInWords = 12;
