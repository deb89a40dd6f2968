// The amount of a voucher in Polish words ("Słownie:").
#include "data/words.h"
#include "data/db.h"

#include <stdexcept>

namespace {

// Units, tens, hundreds and the rest of a whole number.
struct Split {
    explicit Split(qint64 x)
        : units(int(x % 10)), tens(int(x / 10 % 10)), hundreds(int(x / 100 % 10)),
          thousands(x / 1000) {}
    int units;
    int tens;
    int hundreds;
    qint64 thousands;
};

// Words of a number below 1000 (higher digits are ignored), each word
// followed by one blank.
QString GroupWords(const QStringList& w, qint64 a) {
    const Split s(a);
    QString text;
    if (s.hundreds != 0)
        text += w[30 + s.hundreds] + QLatin1Char(' ');
    if (s.tens >= 2)
        text += w[20 + s.tens] + QLatin1Char(' ');
    const int v = 10 * s.tens + s.units;
    if (v > 0 && v < 20)
        text += w[v] + QLatin1Char(' ');
    else if (v >= 20 && s.units != 0)
        text += w[s.units] + QLatin1Char(' ');
    return text;
}

// Plural form after a count of thousands, millions or milliards: one = 1,
// few = ending in 2-4 (not 12-14), many otherwise.
QString ScaleForm(qint64 n, const QString& one, const QString& few, const QString& many) {
    const qint64 lastTwo = n % 100;
    const qint64 last = n % 10;
    if (n == 1)
        return one;
    if (lastTwo >= 10 && lastTwo <= 20)
        return many;
    return last >= 2 && last <= 4 ? few : many;
}

// A group of three digits with the word of its scale ("dwa miliony ").
QString ScaledGroup(const QStringList& w, qint64 n, const QString& one, const QString& few,
                    const QString& many) {
    if (n == 0)
        return QString();
    return GroupWords(w, n) + ScaleForm(n, one, few, many) + QLatin1Char(' ');
}

// Words of a whole number, each word followed by one blank.
QString NumberWordsOf(const QStringList& w, qint64 n) {
    const Split s(n);
    const qint64 t = s.thousands % 1000;
    const qint64 millions = n / 1000000 % 1000;
    const qint64 milliards = n / 1000000000;
    QString text;
    text += ScaledGroup(w, milliards, QStringLiteral("miliard"), QStringLiteral("miliardy"),
                        QStringLiteral("miliardów"));
    text += ScaledGroup(w, millions, QStringLiteral("milion"), QStringLiteral("miliony"),
                        QStringLiteral("milionów"));
    // The thousands take their form from the word table (row 4).
    text += ScaledGroup(w, t, w[41], w[42], w[40]);
    text += GroupWords(w, 100 * s.hundreds + 10 * s.tens + s.units);
    return text;
}

QString ZlotyForm(const QStringList& w, qint64 x) {
    if (x == 1)
        return QStringLiteral("złoty");
    const qint64 lastTwo = x % 100;
    if (lastTwo >= 10 && lastTwo <= 20)
        return QStringLiteral("złotych");
    return w[50 + int(x % 10)];
}

QString GroszForm(const QStringList& w, int x) {
    if (x == 1)
        return QStringLiteral("grosz");
    if (x >= 10 && x <= 19)
        return QStringLiteral("groszy");
    return w[60 + x % 10];
}

[[noreturn]] void NotAWholeNumber(const QString& text) {
    throw std::invalid_argument(
        QStringLiteral("'%1' nie jest poprawną liczbą całkowitą.").arg(text).toStdString());
}

bool AllDigits(const QString& text) {
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// The amount as the shortest decimal text of at most 15 significant digits,
// with the decimal comma: 150 -> "150", 0.5 -> "0,5", 12.34 -> "12,34".
QString GeneralText(double amount) {
    QString text = QString::number(amount, 'g', 15);
    if (text.contains(QLatin1Char('e')) && amount > 0 && amount < 1)
        text = QStringLiteral("0"); // far below one grosz
    return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace

QStringList PolishNumberWords() {
    return {// units
            "", "jeden", "dwa", "trzy", "cztery", "pięć", "sześć", "siedem", "osiem", "dziewięć",
            // ten to nineteen
            "dziesięć", "jedenaście", "dwanaście", "trzynaście", "czternaście", "piętnaście",
            "szesnaście", "siedemnaście", "osiemnaście", "dziewiętnaście",
            // tens
            "", "dziesięć", "dwadzieścia", "trzydzieści", "czterdzieści", "pięćdziesiąt",
            "sześćdziesiąt", "siedemdziesiąt", "osiemdziesiąt", "dziewięćdziesiąt",
            // hundreds
            "", "sto", "dwieście", "trzysta", "czterysta", "pięćset", "sześćset", "siedemset",
            "osiemset", "dziewięćset",
            // thousand, by last digit
            "tysięcy", "tysiąc", "tysiące", "tysiące", "tysiące", "tysięcy", "tysięcy", "tysięcy",
            "tysięcy", "tysięcy",
            // złoty, by last digit
            "złotych", "złotych", "złote", "złote", "złote", "złotych", "złotych", "złotych",
            "złotych", "złotych",
            // grosz, by last digit
            "groszy", "groszy", "grosze", "grosze", "grosze", "groszy", "groszy", "groszy",
            "groszy", "groszy"};
}

QString TDB::AmountInWords(double amount) const {
    const QString text = GeneralText(amount);
    const int comma = text.indexOf(QLatin1Char(','));
    const QString zlotyDigits = comma < 0 ? text : text.left(comma);
    if (!AllDigits(zlotyDigits) || zlotyDigits.size() > kMaxZlotyDigitsInWords)
        NotAWholeNumber(zlotyDigits);
    // Grosze are read from the text, cut (not rounded) after two digits.
    QString grosze = comma < 0 ? QString() : text.mid(comma + 1, 2);
    if (grosze.size() == 1)
        grosze += QLatin1Char('0');
    if (grosze.isEmpty())
        grosze = QStringLiteral("0");

    const qint64 z = zlotyDigits.toLongLong();
    QString result = z != 0 ? NumberWordsOf(NumberWords, z) + ZlotyForm(NumberWords, z)
                            : QStringLiteral("zero złotych ");
    const int g = grosze.toInt();
    if (g != 0)
        result += QLatin1Char(' ') + NumberWordsOf(NumberWords, g) + GroszForm(NumberWords, g);
    else
        result += QStringLiteral(" zero groszy");
    return result;
}
