#include "data/polish.h"

#include <QRegularExpression>

namespace Polish {

QLocale Locale() {
    static const QLocale locale(QLocale::Polish, QLocale::Poland);
    return locale;
}

QString Money(double value) {
    // Thousands are always grouped (Qt's Polish locale leaves 1234 alone),
    // with a no-break space, as Polish regional settings have it.
    QString digits = QString::number(value, 'f', 2);
    const bool negative = digits.startsWith(QLatin1Char('-'));
    if (negative)
        digits.remove(0, 1);
    QString whole = digits.left(digits.size() - 3);
    const QString fraction = digits.right(2);
    for (int i = whole.size() - 3; i > 0; i -= 3)
        whole.insert(i, QChar(0x00A0));
    if (negative && digits != QLatin1String("0.00"))
        whole.prepend(QLatin1Char('-'));
    return whole + QLatin1Char(',') + fraction;
}

QString Date(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QChar DecimalSeparator() { return QLatin1Char(','); }

bool ParseMoney(const QString& text, double* value) {
    static const QRegularExpression pattern(QStringLiteral("^[0-9]+(,[0-9]*)?$|^,[0-9]+$"));
    if (!pattern.match(text).hasMatch())
        return false;
    QString t = text;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    if (t.startsWith(QLatin1Char('.')))
        t.prepend(QLatin1Char('0'));
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (ok && value)
        *value = v;
    return ok;
}

} // namespace Polish
