#include "reports/reportparts.h"
#include "data/polish.h"

#include <cmath>

Cents ToCents(const QVariant& value) {
    return value.isNull() ? 0 : std::llround(value.toDouble() * 100);
}

QString MoneyText(Cents value) {
    return Polish::Money(static_cast<double>(value) / 100);
}

QString MoneyOrBlank(Cents value) {
    return value == 0 ? QString() : MoneyText(value);
}

QString CsvMoney(Cents value) {
    return MoneyText(value).remove(QChar(0x00A0));
}

QString MonthName(int month) {
    static const char* const names[] = {"Styczeń",  "Luty",        "Marzec",   "Kwiecień",
                                        "Maj",      "Czerwiec",    "Lipiec",   "Sierpień",
                                        "Wrzesień", "Październik", "Listopad", "Grudzień"};
    return month >= 1 && month <= 12 ? QString::fromUtf8(names[month - 1]) : QString();
}

QString MonthHeading(const QDate& date) {
    if (!date.isValid())
        return QString();
    return MonthName(date.month()) + QLatin1Char(' ') + QString::number(date.year());
}

void DrawPageFooter(Area& area, double lineX, double numberX, double numberWidth,
                    Qt::Alignment numberAlign) {
    const TextStyle small = TextStyle().Size(8);
    area.Text(lineX, 0, numberX - lineX - 2, 4, ReportFooterLine(), small);
    area.Text(numberX, 0, numberWidth, 4, PageTokens::NOfM(),
              TextStyle(small).Align(numberAlign | Qt::AlignTop));
}
