#include "reports/cashreport.h"
#include "data/db.h"
#include "reports/bands.h"

namespace {

// Column rules of the table, millimetres from the left margin.
const double Rules[] = {2, 16, 49, 139, 164, 189};
constexpr double Right = 189;
constexpr double TitleHeight = 48;
constexpr double RowHeight = 4;
constexpr double SummaryHeight = 70;
constexpr double FooterHeight = 4;
// An amount's box: its column less a little room before the rule.
constexpr double AmountWidth = 24.5;

const QColor StripGrey(192, 192, 192);

TextStyle Small() {
    return TextStyle().Size(8);
}
TextStyle Normal() {
    return TextStyle().Size(10);
}
TextStyle Title() {
    return TextStyle().Size(12).Bold();
}
TextStyle Amount(bool bold = false) {
    return Small().Bold(bold).Align(Qt::AlignRight | Qt::AlignTop);
}

void ColumnRules(Area& a, double top, double bottom) {
    for (double x : Rules)
        a.VLine(x, top, bottom);
    a.HLine(Rules[0], Right, bottom);
}

void DrawTitle(Area& a, const CashReportData& d) {
    // The stamp's frame, with its label on the top edge.
    a.HLine(2, 75, 3);
    a.Text(76, 0.5, 14, 5, QStringLiteral("Pieczęć"), Normal());
    a.HLine(90, 100, 3);
    a.VLine(2, 3, 37);
    a.VLine(100, 3, 37);
    a.HLine(2, 100, 37);

    a.Text(104, 1, 46, 6, QStringLiteral("Raport Kasowy  RK nr "), Title());
    a.Text(150, 1, Right - 150, 6, d.Number(), Title());
    a.HLine(104, Right, 8);

    a.Rect(104, 11, Right - 104, 7);
    const QString from =
        d.lines.isEmpty() ? QString() : QString::number(d.lines.first().date.day());
    const QString to = d.lines.isEmpty() ? QString() : QString::number(d.lines.last().date.day());
    a.Text(105, 12, 7, 5, QStringLiteral("od:"), Normal());
    a.Text(112, 12, 9, 5, from, Normal());
    a.Text(122, 12, 7, 5, QStringLiteral("do:"), Normal());
    a.Text(129, 12, 9, 5, to, Normal());
    a.Text(145, 12, Right - 145, 5, MonthHeading(d.selected), Normal());

    a.VLine(104, 18, 27);
    a.VLine(134, 18, 27);
    a.HLine(104, 134, 27);
    a.Text(105, 21, 28, 5, QStringLiteral("Kasa"), Normal());

    a.HLine(Rules[0], Right, 42);
    ColumnRules(a, 42, TitleHeight);
    const TextStyle head = Small().Bold();
    a.Text(3, 43, 13, 4, QStringLiteral("Lp."), head);
    a.Text(17, 43, 32, 4, QStringLiteral("Symbol/Nr"), head);
    a.Text(50, 43, 89, 4, QStringLiteral("Treść"), head);
    a.Text(140, 43, 24, 4, QStringLiteral("Przychód"), head);
    a.Text(165, 43, 24, 4, QStringLiteral("Rozchód"), head);
}

void DrawLine(Area& a, const CashLine& line, int index) {
    ColumnRules(a, 0, RowHeight);
    a.Text(3, 0, 13, RowHeight, QString::number(index + 1), Small());
    a.Text(17, 0, 32, RowHeight, line.numer, Small());
    a.Text(50, 0, 89, RowHeight, line.opis, Small());
    a.Text(139, 0, AmountWidth, RowHeight, MoneyText(line.in), Amount());
    a.Text(164, 0, AmountWidth, RowHeight, MoneyText(line.out), Amount());
}

// The turnover, the cash brought in and carried out, and the balance.
void DrawTotals(Area& a, const CashReportData& d) {
    constexpr double left = 110, label = 124;
    a.Rect(left, 0, Right - left, 16);
    a.VLine(139, 0, 16);
    a.VLine(164, 0, 16);
    a.VLine(label, 4, 12);
    a.HLine(left, Right, 4);
    a.HLine(label, Right, 8);
    a.HLine(left, Right, 12);

    a.Text(111, 0, 28, 4, QStringLiteral("Obroty"), Small().Bold());
    a.Text(139, 0, AmountWidth, 4, MoneyText(d.TurnoverIn()), Amount(true));
    a.Text(164, 0, AmountWidth, 4, MoneyText(d.TurnoverOut()), Amount(true));
    a.Text(111, 4, 13, 8, QStringLiteral("Stan\nkasy"),
           Small().Align(Qt::AlignLeft | Qt::AlignVCenter));
    a.Text(125, 4, 14, 4, QStringLiteral("poprzedni"), Small());
    a.Text(139, 4, AmountWidth, 4, MoneyText(d.BroughtIn()), Amount());
    a.Text(125, 8, 14, 4, QStringLiteral("obecny"), Small());
    a.Text(164, 8, AmountWidth, 4, MoneyText(d.CarriedOut()), Amount());
    a.Text(111, 12, 28, 4, QStringLiteral("Suma:"), Small());
    a.Text(139, 12, AmountWidth, 4, MoneyText(d.Balance()), Amount());
    a.Text(164, 12, AmountWidth, 4, MoneyText(d.Balance()), Amount());
}

// A box with a title above a grey strip of column titles, divided below it.
void TitledBox(Area& a, double x, double y, double w, double h, const QString& title,
               const QStringList& columns) {
    a.Rect(x, y, w, h);
    a.Text(x, y + 0.5, w, 4, title, Small().Bold().Align(Qt::AlignHCenter | Qt::AlignTop));
    a.Fill(x, y + 5, w, 5, StripGrey, true);
    const double cw = w / columns.size();
    for (int i = 0; i < columns.size(); ++i) {
        a.Text(x + cw * i, y + 5.5, cw, 4, columns[i],
               Small().Align(Qt::AlignHCenter | Qt::AlignTop));
        if (i > 0)
            a.VLine(x + cw * i, y + 5, y + h);
    }
}

void DrawSummary(Area& a, const CashReportData& d) {
    DrawTotals(a, d);

    TitledBox(a, 2, 4, 84, 30, QStringLiteral("PODPISY"),
              {QStringLiteral("Sporządził"), QStringLiteral("Sprawdził")});
    const QString dots(40, QLatin1Char('.'));
    a.Text(4, 27, 38, 4, dots, Small());
    a.Text(46, 27, 38, 4, dots, Small());

    TitledBox(a, 2, 38, 98, 29, QStringLiteral("ZAKSIĘGOWANO"),
              {QStringLiteral("dzień rej."), QStringLiteral("strona"), QStringLiteral("pozycja"),
               QStringLiteral("podpis")});

    a.Rect(104, 40, 25, 23);
    a.Text(104, 40.5, 25, 8, QStringLiteral("Liczba\nzałączników"),
           Small().Align(Qt::AlignHCenter | Qt::AlignTop));
    a.HLine(104, 129, 49);
    a.Text(106, 51, 9, 5, QStringLiteral("KP:"), Normal());
    a.Text(115, 51, 13, 5, QString::number(d.kp), Normal());
    a.Text(106, 57, 9, 5, QStringLiteral("KW:"), Normal());
    a.Text(115, 57, 13, 5, QString::number(d.kw), Normal());
}

QVector<QStringList> Table(const CashReportData& d) {
    QVector<QStringList> table = {{QStringLiteral("Lp."), QStringLiteral("Symbol/Nr"),
                                   QStringLiteral("Treść"), QStringLiteral("Przychód"),
                                   QStringLiteral("Rozchód")}};
    for (int i = 0; i < d.lines.size(); ++i) {
        const CashLine& l = d.lines[i];
        table << QStringList{QString::number(i + 1), l.numer, l.opis, CsvMoney(l.in),
                             CsvMoney(l.out)};
    }
    table << QStringList{QString(), QString(), QStringLiteral("Obroty"), CsvMoney(d.TurnoverIn()),
                         CsvMoney(d.TurnoverOut())}
          << QStringList{QString(), QString(), QStringLiteral("Stan kasy poprzedni"),
                         CsvMoney(d.BroughtIn()), QString()}
          << QStringList{QString(), QString(), QStringLiteral("Stan kasy obecny"), QString(),
                         CsvMoney(d.CarriedOut())}
          << QStringList{QString(), QString(), QStringLiteral("Suma:"), CsvMoney(d.Balance()),
                         CsvMoney(d.Balance())};
    return table;
}

} // namespace

Cents CashReportData::TurnoverIn() const {
    Cents sum = 0;
    for (const CashLine& l : lines)
        sum += l.in;
    return sum;
}

Cents CashReportData::TurnoverOut() const {
    Cents sum = 0;
    for (const CashLine& l : lines)
        sum += l.out;
    return sum;
}

QString CashReportData::Number() const {
    return QString::number(nrRk) + QLatin1Char('/') +
           TDB::SchoolYearLabel(selected.month(), selected.year());
}

CashReportData LoadCashReport(int nrRk, const QDate& selected) {
    CashReportData d;
    d.nrRk = nrRk;
    d.selected = selected;
    const QVariantMap rk = {{QStringLiteral("RK"), nrRk}};
    const Rows earlier = DB->Select(
        QStringLiteral("SELECT SUM(PRZYCHOD) AS SUMAP,SUM(ROZCHOD) AS SUMAR FROM DOKUMENT"
                       " WHERE NRRK<:RK and RODZAJDOK<>'WB'"),
        rk);
    d.earlierIn = ToCents(DB->Scalar(QStringLiteral("SELECT KASAWARTOSC FROM STANP"))) +
                  ToCents(earlier.first().value(QStringLiteral("SUMAP")));
    d.earlierOut = ToCents(earlier.first().value(QStringLiteral("SUMAR")));

    // Bank statements carry no RK; should one ever have it, it stays out of
    // the till's report as it stays out of the sums above.
    const Rows rows = DB->Select(QStringLiteral("SELECT * FROM DOKUMENT WHERE NRRK=:RK and "
                                                "RODZAJDOK<>'WB' order by DATA,NRDOK,ID_DOKUMENT"),
                                 rk);
    for (const QSqlRecord& r : rows) {
        CashLine line;
        line.date = r.value(QStringLiteral("DATA")).toDate();
        line.numer = r.value(QStringLiteral("NUMER")).toString();
        line.opis = r.value(QStringLiteral("OPIS")).toString().trimmed();
        line.in = ToCents(r.value(QStringLiteral("PRZYCHOD")));
        line.out = ToCents(r.value(QStringLiteral("ROZCHOD")));
        d.lines << line;
        const QString kind = r.value(QStringLiteral("RODZAJDOK")).toString().trimmed();
        d.kp += kind == QLatin1String("KP");
        d.kw += kind == QLatin1String("KW");
    }
    return d;
}

Report CashReport(const CashReportData& data) {
    Report report;
    report.title = QStringLiteral("Raport kasowy ") + data.Number();
    BandWriter w(report, PageFormat());
    w.SetPageFooter(FooterHeight, [](Area& a) { DrawPageFooter(a, 2, 159, 30, Qt::AlignRight); });
    w.Add(TitleHeight, [&](Area& a) { DrawTitle(a, data); });
    for (int i = 0; i < data.lines.size(); ++i)
        w.Add(RowHeight, [&](Area& a) { DrawLine(a, data.lines[i], i); });
    w.Add(SummaryHeight, [&](Area& a) { DrawSummary(a, data); });
    report.table = Table(data);
    return report;
}
