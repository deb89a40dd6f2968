#include "reports/periodicreport.h"
#include "data/db.h"
#include "data/polish.h"
#include "reports/bands.h"

#include <QHash>
#include <algorithm>
#include <functional>

namespace {

constexpr double PageHeaderHeight = 9;
constexpr double ColumnHeaderHeight = 22;
constexpr double LineHeight = 8;
constexpr double RowHeight = 4; // a text row of a line, a row of the summary
constexpr double SummaryHeight = 3 * RowHeight;
constexpr double FooterHeight = 4;
constexpr double SlotWidth = 17;
// Category slots on the revenue pages; the rest of the revenue slots stand
// on the cost pages.
constexpr int RevenueSlotsFirstSet = 8;

TextStyle Small() {
    return TextStyle().Size(8);
}

// One column of a page set: its title in the column header, its cell in
// the first text row of every line and its three summary cells.
struct Column {
    double left = 0, right = 0;
    QString title;
    bool heading = false; // a category's name, written bottom to top
    double titleSize = 8;
    // Where the title and the line cell start, when not at the left rule.
    double titleX = -1, cellX = -1;
    std::function<QString(const PeriodicLine&)> cell;
    bool alignRight = false;
    QStringList summary; // "W miesiącu:", "Z przeniesienia:", "Razem:"; or none
};

struct PageSet {
    PageFormat format;
    QString name; // "Przychody", "Rozchody"
    double titleX = 0;
    double monthX = 0;
    QVector<Column> columns;
    // The description's box in the second text row of a line (the rules
    // inside it stop at the first row); none when right <= left.
    double opisLeft = 0, opisRight = 0;
    // Where the summary rows have their labels (no rules inside).
    double labelLeft = 0, labelRight = 0;
};

Column MakeColumn(double left, double right, const QString& title,
                  std::function<QString(const PeriodicLine&)> cell = nullptr) {
    Column c;
    c.left = left;
    c.right = right;
    c.title = title;
    c.cell = std::move(cell);
    return c;
}

QStringList SummaryOf(Cents month, Cents brought) {
    return {MoneyText(month), MoneyText(brought), MoneyText(month + brought)};
}

// "Przychody ogółem" or "Rozchody ogółem".
Column KindTotal(double left, double right, const PeriodicReportData& d, bool revenue) {
    Column c =
        MakeColumn(left, right,
                   revenue ? QStringLiteral("Przychody ogółem") : QStringLiteral("Rozchody ogółem"),
                   [revenue](const PeriodicLine& l) {
                       return MoneyOrBlank(revenue ? l.amounts.in : l.amounts.out);
                   });
    c.alignRight = true;
    const PeriodicAmounts month = d.Month();
    c.summary = revenue ? SummaryOf(month.in, d.brought.in) : SummaryOf(month.out, d.brought.out);
    return c;
}

// Slot n (from 0) of a kind: the n-th active category's column, or an empty
// slot when the kind has fewer categories.
Column Slot(double left, const PeriodicReportData& d, bool revenue, int n) {
    Column c = MakeColumn(left, left + SlotWidth, QString());
    c.heading = true;
    const QVector<PeriodicCategory>& categories = revenue ? d.revenues : d.costs;
    if (n >= categories.size() || n >= CategorySlots)
        return c;
    c.title = categories[n].name;
    c.cell = [revenue, n](const PeriodicLine& l) {
        return MoneyOrBlank(revenue ? l.amounts.revenue[n] : l.amounts.cost[n]);
    };
    c.alignRight = true;
    const PeriodicAmounts month = d.Month();
    c.summary = revenue ? SummaryOf(month.revenue[n], d.brought.revenue[n])
                        : SummaryOf(month.cost[n], d.brought.cost[n]);
    return c;
}

Column LineNumbers(const PeriodicReportData& d) {
    Column c = MakeColumn(1, 11, QStringLiteral("Nr poz."),
                          [](const PeriodicLine& l) { return QString::number(l.nrPoz); });
    const int last = d.LastNrPoz();
    for (int i = 1; i <= 3; ++i)
        c.summary << QString::number(last + i);
    return c;
}

PageSet Revenues(const PeriodicReportData& d) {
    PageSet s;
    s.format = PageFormat::LandscapeLetter(10);
    s.name = QStringLiteral("Przychody");
    s.titleX = 3;
    s.monthX = 43;
    s.columns << LineNumbers(d)
              << MakeColumn(11, 30, QStringLiteral("Data"),
                            [](const PeriodicLine& l) { return Polish::Date(l.date); })
              << MakeColumn(30, 40, QStringLiteral("Nr"),
                            [](const PeriodicLine& l) { return QString::number(l.nrDok); })
              << MakeColumn(40, 67, QStringLiteral("Dokument"),
                            [](const PeriodicLine& l) { return l.number.trimmed(); })
              << MakeColumn(67, 80, QStringLiteral("RK"),
                            [](const PeriodicLine& l) { return l.nrRk.trimmed(); });
    s.columns.last().titleSize = 10;
    s.columns[1].titleX = s.columns[1].cellX = 12;
    s.columns[2].titleX = 31;
    Column total = MakeColumn(80, 100, QStringLiteral("Suma ogółem"),
                              [](const PeriodicLine& l) { return MoneyText(l.total); });
    total.alignRight = true;
    s.columns << total << KindTotal(100, 125, d, true);
    for (int n = 0; n < RevenueSlotsFirstSet; ++n)
        s.columns << Slot(125 + SlotWidth * n, d, true, n);
    s.opisLeft = 40;
    s.opisRight = 100;
    s.labelLeft = 11;
    s.labelRight = 80;
    return s;
}

PageSet Costs(const PeriodicReportData& d) {
    PageSet s;
    s.format = PageFormat::LandscapeLetter(5);
    s.name = QStringLiteral("Rozchody");
    s.titleX = 45;
    s.monthX = 85;
    s.columns << LineNumbers(d);
    for (int n = RevenueSlotsFirstSet; n < CategorySlots; ++n)
        s.columns << Slot(11 + SlotWidth * (n - RevenueSlotsFirstSet), d, true, n);
    s.columns << KindTotal(45, 70, d, false);
    for (int n = 0; n < CategorySlots; ++n)
        s.columns << Slot(70 + SlotWidth * n, d, false, n);
    Column remaining = MakeColumn(240, 265, QStringLiteral("Stan środków"),
                                  [](const PeriodicLine& l) { return MoneyText(l.remaining); });
    remaining.alignRight = true;
    remaining.titleX = 243;
    s.columns << remaining;
    return s;
}

double Left(const PageSet& s) {
    return s.columns.first().left;
}
double Right(const PageSet& s) {
    return s.columns.last().right;
}

// The rules between the columns, from top to bottom, except inside the
// span (spanLeft, spanRight), where they stop at spanTop.
void ColumnRules(Area& a, const PageSet& s, double top, double bottom, double spanLeft = 0,
                 double spanRight = 0, double spanTop = 0) {
    QVector<double> edges = {Left(s)};
    for (const Column& c : s.columns)
        edges << c.right;
    for (double x : edges) {
        const bool inside = x > spanLeft + 0.01 && x < spanRight - 0.01;
        a.VLine(x, top, inside ? spanTop : bottom);
    }
}

void DrawPageHeader(Area& a, const PageSet& s, const QString& month) {
    const TextStyle bold = Small().Bold();
    a.Text(s.titleX, 0, s.monthX - s.titleX, 4.5, QStringLiteral("Raport okresowy za miesiąc:"),
           bold);
    a.Text(s.monthX, 0, 60, 4.5, month, bold);
    a.Text(s.titleX, 4.5, 40, 4.5, s.name, Small().Italic());
}

void DrawColumnHeader(Area& a, const PageSet& s) {
    a.HLine(Left(s), Right(s), 0);
    a.HLine(Left(s), Right(s), ColumnHeaderHeight);
    ColumnRules(a, s, 0, ColumnHeaderHeight);
    for (const Column& c : s.columns) {
        const double w = c.right - c.left;
        if (c.heading) {
            a.Text(c.left, 0, w, ColumnHeaderHeight, c.title,
                   Small().Rotate(90).Wrap().Align(Qt::AlignLeft | Qt::AlignVCenter));
        } else {
            const double x = c.titleX >= 0 ? c.titleX : c.left;
            a.Text(x, 2, c.right - x, ColumnHeaderHeight - 2, c.title,
                   Small().Size(c.titleSize).Wrap().Align(Qt::AlignLeft | Qt::AlignBottom));
        }
    }
}

// Amounts keep a little room before the rule on their right.
double CellWidth(const Column& c) {
    return c.right - c.left - (c.alignRight ? 0.5 : 0);
}

TextStyle CellStyle(const Column& c) {
    return Small().Align((c.alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop);
}

void DrawLine(Area& a, const PageSet& s, const PeriodicLine& line) {
    const bool opis = s.opisRight > s.opisLeft;
    ColumnRules(a, s, 0, LineHeight, s.opisLeft, s.opisRight, RowHeight);
    a.HLine(Left(s), Right(s), LineHeight);
    for (const Column& c : s.columns) {
        if (!c.cell)
            continue;
        const double x = c.cellX >= 0 ? c.cellX : c.left;
        a.Text(x, 0, CellWidth(c) - (x - c.left), RowHeight, c.cell(line), CellStyle(c));
    }
    if (opis)
        a.Text(s.opisLeft, RowHeight, s.opisRight - s.opisLeft, RowHeight, line.opis.trimmed(),
               Small());
}

void DrawSummary(Area& a, const PageSet& s) {
    ColumnRules(a, s, 0, SummaryHeight, s.labelLeft, s.labelRight, 0);
    const QStringList labels = {QStringLiteral("W miesiącu:"), QStringLiteral("Z przeniesienia:"),
                                QStringLiteral("Razem:")};
    for (int row = 0; row < 3; ++row) {
        const double y = RowHeight * row;
        a.HLine(Left(s), Right(s), y + RowHeight);
        if (s.labelRight > s.labelLeft)
            a.Text(s.labelLeft + 2, y, s.labelRight - s.labelLeft - 2, RowHeight, labels[row],
                   Small());
        for (const Column& c : s.columns) {
            if (c.summary.size() != 3)
                continue;
            a.Text(c.left, y, CellWidth(c), RowHeight, c.summary[row], CellStyle(c));
        }
    }
}

void AddPageSet(Report& report, const PageSet& s, const PeriodicReportData& d) {
    BandWriter w(report, s.format);
    const QString month = MonthHeading(d.selected);
    w.SetPageHeader(PageHeaderHeight, [&](Area& a) { DrawPageHeader(a, s, month); });
    w.SetPageFooter(FooterHeight, [](Area& a) { DrawPageFooter(a, 57, 241, 20); });
    w.Add(ColumnHeaderHeight, [&](Area& a) { DrawColumnHeader(a, s); });
    for (const PeriodicLine& line : d.lines)
        w.Add(LineHeight, [&](Area& a) { DrawLine(a, s, line); });
    w.Add(SummaryHeight, [&](Area& a) { DrawSummary(a, s); });
}

QVector<QStringList> Table(const PeriodicReportData& d) {
    const int revenues = qMin(CategorySlots, int(d.revenues.size()));
    const int costs = qMin(CategorySlots, int(d.costs.size()));
    QStringList titles = {QStringLiteral("Nr poz."),     QStringLiteral("Data"),
                          QStringLiteral("Nr"),          QStringLiteral("Dokument"),
                          QStringLiteral("Opis"),        QStringLiteral("RK"),
                          QStringLiteral("Suma ogółem"), QStringLiteral("Przychody ogółem")};
    for (int n = 0; n < revenues; ++n)
        titles << d.revenues[n].name;
    titles << QStringLiteral("Rozchody ogółem");
    for (int n = 0; n < costs; ++n)
        titles << d.costs[n].name;
    titles << QStringLiteral("Stan środków");
    QVector<QStringList> table = {titles};

    auto amounts = [&](const PeriodicAmounts& a, bool blankZero) {
        auto money = [&](Cents v) { return blankZero && v == 0 ? QString() : CsvMoney(v); };
        QStringList fields = {money(a.in)};
        for (int n = 0; n < revenues; ++n)
            fields << money(a.revenue[n]);
        fields << money(a.out);
        for (int n = 0; n < costs; ++n)
            fields << money(a.cost[n]);
        return fields;
    };
    for (const PeriodicLine& l : d.lines) {
        QStringList row = {QString::number(l.nrPoz), Polish::Date(l.date), QString::number(l.nrDok),
                           l.number.trimmed(),       l.opis.trimmed(),     l.nrRk.trimmed(),
                           CsvMoney(l.total)};
        table << row + amounts(l.amounts, true) + QStringList{CsvMoney(l.remaining)};
    }
    const QStringList labels = {QStringLiteral("W miesiącu:"), QStringLiteral("Z przeniesienia:"),
                                QStringLiteral("Razem:")};
    const PeriodicAmounts sums[] = {d.Month(), d.brought, d.Total()};
    for (int i = 0; i < 3; ++i) {
        const QStringList row = {QString::number(d.LastNrPoz() + i + 1),
                                 QString(),
                                 QString(),
                                 labels[i],
                                 QString(),
                                 QString(),
                                 QString()};
        table << row + amounts(sums[i], false) + QStringList{QString()};
    }
    return table;
}

// --- reading the ledger -----------------------------------------------------

QVector<PeriodicCategory> ActiveCategories(const QString& table, const QString& carryOver) {
    QVector<PeriodicCategory> categories;
    const Rows rows = DB->Select(QStringLiteral("SELECT * FROM ") + table +
                                 QStringLiteral(" WHERE US='0' ORDER BY ID_") + table);
    for (const QSqlRecord& r : rows) {
        PeriodicCategory c;
        c.id = r.value(QStringLiteral("ID_") + table).toInt();
        c.name = r.value(QStringLiteral("NAZWA")).toString().trimmed();
        c.carryOver = ToCents(r.value(carryOver));
        categories << c;
    }
    return categories;
}

// The column of category id among the active ones; -1 for "no category"
// (key 1) and for a retired category.
int ColumnOf(const QVector<PeriodicCategory>& categories, int id) {
    if (id <= 1)
        return -1;
    for (int i = 0; i < categories.size(); ++i)
        if (categories[i].id == id)
            return i;
    return -1;
}

// Books a receipt and a payment of the given categories into the amounts.
void Book(PeriodicAmounts& a, const PeriodicReportData& d, int rodzajp, Cents in, int rodzajk,
          Cents out) {
    a.in += in;
    a.out += out;
    if (const int p = ColumnOf(d.revenues, rodzajp); p >= 0)
        a.revenue[p] += in;
    if (const int k = ColumnOf(d.costs, rodzajk); k >= 0)
        a.cost[k] += out;
}

PeriodicLine OpeningLine(const PeriodicReportData& d) {
    const Rows stanp = DB->Select(QStringLiteral("SELECT * FROM STANP"));
    PeriodicLine l;
    l.amounts = PeriodicAmounts(d.revenues.size(), d.costs.size());
    if (stanp.isEmpty())
        return l;
    const QSqlRecord& r = stanp.first();
    l.nrPoz = r.value(QStringLiteral("LICZNIKPOZ")).toInt() - 1;
    l.nrDok = r.value(QStringLiteral("LICZNIKSTART")).toInt() - 1;
    l.number = QStringLiteral("BO");
    l.opis = QStringLiteral("Stan początkowy środków");
    l.total = ToCents(r.value(QStringLiteral("WARTOSC")));
    l.remaining = l.total;
    return l;
}

PeriodicLine LineOf(const QSqlRecord& r, const PeriodicReportData& d) {
    PeriodicLine l;
    l.nrPoz = r.value(QStringLiteral("NRPOZ")).toInt();
    l.date = r.value(QStringLiteral("DATA")).toDate();
    l.nrDok = r.value(QStringLiteral("NRDOK")).toInt();
    l.kind = r.value(QStringLiteral("RODZAJDOK")).toString();
    l.number = l.kind + QLatin1Char(' ') + r.value(QStringLiteral("NUMER")).toString();
    l.opis = r.value(QStringLiteral("OPIS")).toString();
    if (l.kind != QLatin1String("WB"))
        l.nrRk = QStringLiteral("RK ") + r.value(QStringLiteral("NRRK")).toString();
    const double in = r.value(QStringLiteral("PRZYCHOD")).toDouble();
    const double out = r.value(QStringLiteral("ROZCHOD")).toDouble();
    // The line's total as the ledger engine adds amounts: in single
    // precision, rounded to the grosz.
    l.total =
        std::llround(static_cast<double>(TDB::RoundMoney(static_cast<float>(in + out))) * 100);
    l.remaining = ToCents(r.value(QStringLiteral("POZOSTALESR")));
    l.amounts = PeriodicAmounts(d.revenues.size(), d.costs.size());
    Book(l.amounts, d, r.value(QStringLiteral("RODZAJP")).toInt(),
         ToCents(r.value(QStringLiteral("PRZYCHOD"))), r.value(QStringLiteral("RODZAJK")).toInt(),
         ToCents(r.value(QStringLiteral("ROZCHOD"))));
    return l;
}

// The rows of one document that agree in everything the report shows
// become one line.
void Merge(QVector<PeriodicLine>& lines, QHash<QString, int>& index, const PeriodicLine& l) {
    const QString key = QStringList{QString::number(l.nrPoz),
                                    l.date.toString(Qt::ISODate),
                                    QString::number(l.nrDok),
                                    l.kind,
                                    l.number,
                                    l.nrRk,
                                    l.opis}
                            .join(QChar(0x1F));
    const auto found = index.constFind(key);
    if (found == index.constEnd()) {
        index.insert(key, lines.size());
        lines << l;
        return;
    }
    PeriodicLine& m = lines[*found];
    m.total += l.total;
    m.remaining = qMax(m.remaining, l.remaining);
    m.amounts += l.amounts;
}

} // namespace

PeriodicAmounts& PeriodicAmounts::operator+=(const PeriodicAmounts& other) {
    in += other.in;
    out += other.out;
    for (int i = 0; i < revenue.size() && i < other.revenue.size(); ++i)
        revenue[i] += other.revenue[i];
    for (int i = 0; i < cost.size() && i < other.cost.size(); ++i)
        cost[i] += other.cost[i];
    return *this;
}

PeriodicAmounts PeriodicReportData::Month() const {
    PeriodicAmounts sum(revenues.size(), costs.size());
    for (const PeriodicLine& l : lines)
        sum += l.amounts;
    return sum;
}

PeriodicAmounts PeriodicReportData::Total() const {
    PeriodicAmounts sum = Month();
    sum += brought;
    return sum;
}

int PeriodicReportData::LastNrPoz() const {
    int last = 0;
    for (const PeriodicLine& l : lines)
        last = qMax(last, l.nrPoz);
    return last;
}

PeriodicReportData LoadPeriodicReport(int okres, const QDate& selected) {
    PeriodicReportData d;
    d.okres = okres;
    d.selected = selected;
    d.revenues = ActiveCategories(QStringLiteral("PRZYCHODY"), QStringLiteral("POCZATEKPRZYCH"));
    d.costs = ActiveCategories(QStringLiteral("KOSZTY"), QStringLiteral("POCZATEKKOSZT"));

    // Brought forward: every category's carry-over value, then everything
    // booked in the earlier periods.
    d.brought = PeriodicAmounts(d.revenues.size(), d.costs.size());
    for (int i = 0; i < d.revenues.size(); ++i)
        if (d.revenues[i].id > 1)
            Book(d.brought, d, d.revenues[i].id, d.revenues[i].carryOver, 1, 0);
    for (int i = 0; i < d.costs.size(); ++i)
        if (d.costs[i].id > 1)
            Book(d.brought, d, 1, 0, d.costs[i].id, d.costs[i].carryOver);
    const QVariantMap period = {{QStringLiteral("OKRES"), okres}};
    const Rows earlier = DB->Select(
        QStringLiteral("SELECT RODZAJP,RODZAJK,SUM(PRZYCHOD) AS PRZYCHOD,SUM(ROZCHOD) AS ROZCHOD "
                       "FROM DOKUMENT WHERE OKRES<:OKRES GROUP BY RODZAJP,RODZAJK"),
        period);
    for (const QSqlRecord& r : earlier)
        Book(d.brought, d, r.value(0).toInt(), ToCents(r.value(2)), r.value(1).toInt(),
             ToCents(r.value(3)));

    // The month's lines; the first period of the ledger opens with the
    // opening balance.
    QHash<QString, int> index;
    const QVariant first = DB->Scalar(QStringLiteral("SELECT MIN(OKRES) AS NR FROM DOKUMENT"));
    if (!first.isNull() && first.toInt() == okres)
        Merge(d.lines, index, OpeningLine(d));
    const Rows rows = DB->Select(
        QStringLiteral("SELECT * FROM DOKUMENT WHERE OKRES=:OKRES ORDER BY NRPOZ,ID_DOKUMENT"),
        period);
    for (const QSqlRecord& r : rows)
        Merge(d.lines, index, LineOf(r, d));
    std::stable_sort(d.lines.begin(), d.lines.end(),
                     [](const PeriodicLine& a, const PeriodicLine& b) {
                         if (a.nrPoz != b.nrPoz)
                             return a.nrPoz < b.nrPoz;
                         if (a.nrDok != b.nrDok)
                             return a.nrDok < b.nrDok;
                         return a.date < b.date;
                     });
    return d;
}

Report PeriodicReport(const PeriodicReportData& data) {
    Report report;
    report.title = QStringLiteral("Raport okresowy ") + MonthHeading(data.selected);
    AddPageSet(report, Revenues(data), data);
    AddPageSet(report, Costs(data), data);
    report.table = Table(data);
    return report;
}
