#include "reports/vouchers.h"
#include "data/db.h"
#include "data/polish.h"
#include "reports/preview.h"

#include <QRegularExpression>
#include <cmath>

namespace {

// The upper block of a KP begins 5 mm below the top margin, of a KW at it;
// the copy stands a fixed distance lower.
constexpr double KpTop = 5;
constexpr double KpCopyOffset = 132;
constexpr double KwCopyOffset = 133;
constexpr double RowHeight = 5;
// Height of the footer band at the foot of the printable area.
constexpr double FooterHeight = 4;

// The grey of disabled text on the desktop, behind the signature titles.
const QColor StripGrey(128, 128, 128);

TextStyle Big() {
    return TextStyle().Size(12).Bold();
}
TextStyle Normal() {
    return TextStyle();
}
TextStyle Small() {
    return TextStyle().Size(8);
}
TextStyle Amount() {
    return TextStyle().Align(Qt::AlignRight | Qt::AlignTop);
}

// Draws one block (original or copy) of a voucher.
class VoucherBlock {
  public:
    VoucherBlock(Area area, const VoucherData& data, bool original)
        : a_(area), d_(data), kp_(data.kind == VoucherKind::Kp), original_(original),
          // Every line of the document after the first takes one more row of
          // the table and moves what lies below down.
          shift_(RowHeight * (qMax(1, int(data.lines.size())) - 1)) {}

    void Draw() {
        Header();
        Table();
        Signatures(a_.Shifted(0, shift_));
    }

  private:
    void Header() {
        a_.HLine(2, 189, 2);
        // The KP original leaves the title and the stamp's frame to the copy.
        const bool full = !kp_ || !original_;
        if (full) {
            a_.Text(104, 5, 85, 6,
                    kp_ ? QStringLiteral("Dowód wpłaty - pokwitowanie")
                        : QStringLiteral("Dowód wypłaty - pokwitowanie"),
                    Big());
            a_.HLine(2, 75, 7);
            a_.HLine(90, 100, 7);
            a_.VLine(2, 7, 39);
            a_.VLine(100, 7, 39);
            a_.Text(76, 5, 14, 5, QStringLiteral("Pieczęć"), Normal());
        }
        a_.HLine(2, 100, 39);
        a_.Text(104, 14, kp_ ? 13 : 14, 6,
                kp_ ? QStringLiteral("KP nr ") : QStringLiteral("KW nr "), Big());
        a_.Text(kp_ ? 117 : 118, 14, kp_ ? 72 : 71, 6, d_.number, Big());
        a_.Text(104, 23, 26, 6, original_ ? QStringLiteral("ORYGINAŁ") : QStringLiteral("KOPIA"),
                Big());
        a_.Rect(104, 32, 85, 7);
        a_.Text(105, 33, 10, 5, QStringLiteral("Data:"));
        a_.Text(115, 33, kp_ ? 53 : 56, 5, Polish::Date(d_.date));
        a_.Text(2, 42, 16, 5, kp_ ? QStringLiteral("Od kogo:") : QStringLiteral("Komu:"));
        // What does not fit on the person's line goes on to a smaller one.
        const int first = a_.Text(18, 42, 171, 5, d_.person, Normal().Wrap());
        const int second = a_.Text(18, 48, 171, 5, QString(), Small());
        a_.Flow(first, second);
    }

    void Table() {
        const TextStyle head = Normal().Bold().Wrap().Align(Qt::AlignHCenter | Qt::AlignTop);
        a_.Text(144, 55, 14, 8, kp_ ? QStringLiteral("Winien\nkasa") : QStringLiteral("Ma\nkasa"),
                head);
        a_.Text(170, 55, 13, 8, kp_ ? QStringLiteral("Ma\nkonto") : QStringLiteral("Winien\nkonto"),
                head);
        a_.HLine(139, 189, 55);
        for (double x : {139, 164, 189})
            a_.VLine(x, 55, 69);
        a_.Text(5, 64, 16, 5, QStringLiteral("Za co"), Normal().Bold());
        a_.Text(145, 64, 13, 5, QStringLiteral("Złotych"));
        a_.Text(170, 64, 13, 5, QStringLiteral("Numer"));

        const double end = 74 + shift_;
        for (double y = 64; y <= end; y += RowHeight)
            a_.HLine(2, 189, y);
        a_.VLine(2, 64, end);
        a_.VLine(139, 69, end - 1);
        a_.VLine(164, 69, end);
        a_.VLine(189, 69, end);
        for (int i = 0; i < d_.lines.size(); ++i) {
            const double y = 69 + RowHeight * i;
            a_.Text(5, y, 133, 5, d_.lines[i].description);
            a_.Text(140, y, 23, 5, Polish::Money(d_.lines[i].amount), Amount());
        }

        Area t = a_.Shifted(0, shift_);
        t.Text(125, 74, 13, 5, QStringLiteral("Razem"), Normal().Bold());
        t.Text(140, 74, 23, 5, Polish::Money(d_.total), Amount());
        t.VLine(120, 74, 79);
        t.VLine(139, 73, 79);
        t.VLine(164, 74, 79);
        t.HLine(120, 164, 79);
        t.Text(2, 79, 12, 5, QStringLiteral("Słownie:"), Small());
        // Room for a second line, so that long amounts are never cut short.
        t.Text(14, 79, 175, 7.5, d_.words, Small().Wrap());
    }

    void Signatures(Area s) {
        s.Rect(2, 87, 187, 30);
        s.Text(kp_ ? 59 : 68, 87, 35, 4, QStringLiteral("P   O   D   P   I   S   Y"), Small());
        s.Fill(2, 91, 187, 5, StripGrey);
        const QStringList titles = {QStringLiteral("Sporządził"), QStringLiteral("Gł. księgowy"),
                                    QStringLiteral("Zatwierdził"), QStringLiteral("Rap. kasowy"),
                                    QStringLiteral("Kwotę powyższą")};
        const QVector<double> titleX =
            kp_ ? QVector<double>{13, 48, 89, 120, 154} : QVector<double>{13, 45, 80, 107, 147};
        for (int i = 0; i < titles.size(); ++i) {
            const double right = i + 1 < titleX.size() ? titleX[i + 1] : 189;
            s.Text(titleX[i], 92, right - titleX[i], 4, titles[i], Small());
        }
        const QVector<double> separators =
            kp_ ? QVector<double>{39, 78, 117, 144} : QVector<double>{36, 71, 104, 129};
        for (double x : separators)
            s.VLine(x, 91, 117);
        if (!kp_)
            s.VLine(159, 96, 117);

        const double labelX = kp_ ? 119 : 106;
        const double valueX = kp_ ? 127 : 114;
        const double valueW = kp_ ? 16 : 14;
        s.Text(labelX, 99, 8, 5, QStringLiteral("NR:"));
        s.Text(valueX, 99, valueW, 5, d_.nrRk);
        s.Text(labelX, 108, 8, 5, QStringLiteral("Poz."));
        s.Text(valueX, 108, valueW, 5, d_.nrPoz);
        if (kp_) {
            s.Text(158, 98, 16, 5, QStringLiteral("otrzymałem"), Small());
        } else {
            s.Text(136, 98, 16, 5, QStringLiteral("wypłaciłem"), Small());
            s.Text(165, 98, 16, 5, QStringLiteral("otrzymałem"), Small());
        }

        const QString dots(33, QLatin1Char('.'));
        const double lineY = kp_ ? 110 : 111;
        const QVector<QPair<double, double>> lines =
            kp_ ? QVector<QPair<double, double>>{{4, 34}, {41, 34}, {81, 34}}
                : QVector<QPair<double, double>>{{3, 32}, {37, 33}, {72, 31}};
        for (const auto& [x, width] : lines)
            s.Text(x, lineY, width, 5, dots);
        if (original_)
            s.Text(2, kp_ ? 121 : 122, 187, 5, QString(220, QLatin1Char('.')));
    }

    Area a_;
    const VoucherData& d_;
    bool kp_;
    bool original_;
    double shift_;
};

Report VoucherOf(int nrDok, VoucherKind kind) {
    VoucherData data;
    if (!LoadVoucher(nrDok, kind, &data))
        return Report();
    return VoucherReport(data);
}

} // namespace

QString VoucherNumber(const QVariant& stored, const QDate& date) {
    const QString text = stored.toString();
    static const QRegularExpression whole(QStringLiteral("^\\s*[+-]?[0-9]+$"));
    bool ok = false;
    const int number = whole.match(text).hasMatch() ? text.trimmed().toInt(&ok) : 0;
    if (!ok)
        return text;
    return QString::number(number) + QLatin1Char('/') +
           TDB::SchoolYearLabel(date.month(), date.year());
}

bool LoadVoucher(int nrDok, VoucherKind kind, VoucherData* data) {
    // In entry order, so that the line with the payer comes first.
    const Rows rows =
        DB->Select(QStringLiteral("SELECT * FROM DOKUMENT WHERE NRDOK=:WYBOR ORDER BY ID_DOKUMENT"),
                   {{QStringLiteral("WYBOR"), nrDok}});
    if (rows.isEmpty())
        return false;
    const bool kp = kind == VoucherKind::Kp;
    const QSqlRecord& first = rows.first();
    VoucherData d;
    d.kind = kind;
    d.date = first.value(QStringLiteral("DATA")).toDate();
    d.number =
        VoucherNumber(first.value(kp ? QStringLiteral("NUMER") : QStringLiteral("NRKW")), d.date);
    const QString person = first.value(QStringLiteral("KTO")).toString();
    d.person = kp ? person : person.trimmed();
    d.nrRk = first.value(QStringLiteral("NRRK")).toString();
    d.nrPoz = first.value(QStringLiteral("NRPOZ")).toString();
    double sum = 0;
    for (const QSqlRecord& row : rows) {
        VoucherLine line;
        line.amount =
            row.value(kp ? QStringLiteral("PRZYCHOD") : QStringLiteral("ROZCHOD")).toDouble();
        line.description = row.value(QStringLiteral("OPIS")).toString().trimmed();
        if (rows.size() > 1) {
            // The lines of a split receipt share their description; the
            // revenue category tells them apart.
            const QString category =
                DB->Scalar(QStringLiteral("SELECT NAZWA FROM PRZYCHODY WHERE ID_PRZYCHODY=:ID"),
                           {{QStringLiteral("ID"), row.value(QStringLiteral("RODZAJP"))}})
                    .toString()
                    .trimmed();
            if (!category.isEmpty())
                line.description += QStringLiteral(" (") + category + QLatin1Char(')');
        }
        sum += line.amount;
        d.lines << line;
    }
    // The stored amounts have two decimals; the sum is brought back to them.
    d.total = std::round(sum * 100) / 100;
    d.words = DB->AmountInWords(d.total);
    *data = d;
    return true;
}

Report VoucherReport(const VoucherData& data) {
    const bool kp = data.kind == VoucherKind::Kp;
    Report report;
    report.title = (kp ? QStringLiteral("KP ") : QStringLiteral("KW ")) + data.number;
    ReportPage& page = report.AddPage(PageFormat());
    Area sheet(page);
    const double top = kp ? KpTop : 0;
    VoucherBlock(sheet.Shifted(0, top), data, true).Draw();
    VoucherBlock(sheet.Shifted(0, top + (kp ? KpCopyOffset : KwCopyOffset)), data, false).Draw();
    if (kp) {
        const double y = page.format.BodyMm().height() - FooterHeight;
        sheet.Text(6, y, 123, FooterHeight, ReportFooterLine(), Small());
        sheet.Text(157, y, 30, FooterHeight, PageTokens::NOfM(), Small());
    }
    return report;
}

Report KpVoucher(int nrDok) {
    return VoucherOf(nrDok, VoucherKind::Kp);
}

Report KwVoucher(int nrDok) {
    return VoucherOf(nrDok, VoucherKind::Kw);
}

void ShowKpVoucher(int nrDok, QWidget* parent) {
    Report report = KpVoucher(nrDok);
    if (!report.pages.isEmpty())
        ShowReport(std::move(report), parent);
}

void ShowKwVoucher(int nrDok, QWidget* parent) {
    Report report = KwVoucher(nrDok);
    if (!report.pages.isEmpty())
        ShowReport(std::move(report), parent);
}
