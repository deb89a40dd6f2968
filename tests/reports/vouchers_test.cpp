// The printed KP and KW vouchers, read back from their PDF as a treasurer
// would read the sheet.
#include "common/pdftext.h"
#include "common/testdb.h"
#include "data/polish.h"
#include "reports/export.h"
#include "reports/preview.h"
#include "reports/vouchers.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace {

using PdfText::Word;

constexpr double Margin = 10;
constexpr double KpTop = Margin + 5; // upper block of a KP, from the sheet's top
constexpr double KwTop = Margin;

// One ledger line of a KP (kind "KP") or a KW (kind "KW").
struct Line {
    QString kind = QStringLiteral("KP");
    int nrDok = 1;
    QString date = QStringLiteral("2008-10-15");
    double amount = 1234.5;
    QString number = QStringLiteral("7");
    QString person = QStringLiteral("Jan Kowalski");
    QString description = QStringLiteral("Składka na komitet");
    int category = 1;
};

QString Quoted(const QString& text) {
    return text.isNull()
               ? QStringLiteral("NULL")
               : QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QLatin1String("''")) +
                     QLatin1Char('\'');
}

QString Insert(const Line& l) {
    const bool kp = l.kind == QLatin1String("KP");
    return QStringLiteral(
               "INSERT INTO DOKUMENT (DATA,PRZYCHOD,ROZCHOD,NRDOK,NRPOZ,RODZAJP,RODZAJK,RODZAJDOK,"
               "NUMER,OPIS,POZOSTALESR,OKRES,NRRK,KTO,NRKW) VALUES ('%1',%2,%3,%4,%5,%6,%7,'%8',"
               "%9,%10,0,1,3,%11,%12)")
        .arg(l.date)
        .arg(QString::number(kp ? l.amount : 0, 'f', 2))
        .arg(QString::number(kp ? 0 : l.amount, 'f', 2))
        .arg(l.nrDok)
        .arg(l.nrDok + 40)
        .arg(kp ? l.category : 1)
        .arg(kp ? 1 : l.category)
        .arg(l.kind)
        .arg(Quoted(kp ? l.number : QStringLiteral("FV/12/2008")), Quoted(l.description),
             Quoted(l.person), kp ? QStringLiteral("NULL") : Quoted(l.number));
}

// Words separated by any blanks, so "1 234,50" with its no-break space
// and pdftotext's plain blank compare alike.
QStringList Words(const QString& text) {
    return text.split(QRegularExpression(QStringLiteral("[\\s\\x{00A0}]+")), Qt::SkipEmptyParts);
}

// The page number of a one-page report at the foot of the sheet.
QRegularExpression PageOneOfOne() {
    return QRegularExpression(QStringLiteral(" 1 z 1$"));
}

bool IsDots(const QString& text) {
    return !text.isEmpty() && text.count(QLatin1Char('.')) == text.size();
}

} // namespace

class VouchersTest : public QObject {
    Q_OBJECT
  private slots:
    void numberCarriesTheSchoolYear_data();
    void numberCarriesTheSchoolYear();
    void amountInFiguresAndWords_data();
    void amountInFiguresAndWords();
    void copyRepeatsTheOriginal_data();
    void copyRepeatsTheOriginal();
    void elementsStandWhereTheFormHasThem_data();
    void elementsStandWhereTheFormHasThem();
    void longPayerContinuesOnTheSecondLine();
    void splitReceiptPrintsBothLinesAndTheirTotal();
    void previewWaitsUntilClosed();

  private:
    // Renders the voucher of document 1 to PDF; returns the file.
    QString Render(const QString& kind, const QString& name);
    QTemporaryDir dir_;
};

QString VouchersTest::Render(const QString& kind, const QString& name) {
    const Report report = kind == QLatin1String("KP") ? KpVoucher(1) : KwVoucher(1);
    const QString pdf = dir_.filePath(name + QStringLiteral(".pdf"));
    if (!WritePdf(report, pdf))
        qFatal("Cannot write %s", qPrintable(pdf));
    return pdf;
}

void VouchersTest::numberCarriesTheSchoolYear_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("printed");
    QTest::newRow("October") << "KP"
                             << "2008-10-15"
                             << "7"
                             << "7/2008/2009";
    QTest::newRow("March of the same school year") << "KP"
                                                   << "2009-03-15"
                                                   << "7"
                                                   << "7/2008/2009";
    QTest::newRow("September starts the next") << "KP"
                                               << "2009-09-01"
                                               << "7"
                                               << "7/2009/2010";
    QTest::newRow("August ends the year") << "KP"
                                          << "2009-08-31"
                                          << "7"
                                          << "7/2008/2009";
    QTest::newRow("leading zeros dropped") << "KP"
                                           << "2008-10-15"
                                           << "007"
                                           << "7/2008/2009";
    QTest::newRow("not a whole number") << "KP"
                                        << "2008-10-15"
                                        << "7a"
                                        << "7a";
    QTest::newRow("KW number") << "KW"
                               << "2009-01-20"
                               << "12"
                               << "12/2008/2009";
    QTest::newRow("KW number as text") << "KW"
                                       << "2009-01-20"
                                       << "12/B"
                                       << "12/B";
}

void VouchersTest::numberCarriesTheSchoolYear() {
    QFETCH(QString, kind);
    QFETCH(QString, date);
    QFETCH(QString, stored);
    QFETCH(QString, printed);
    TestDb t;
    Line line;
    line.kind = kind;
    line.date = date;
    line.number = stored;
    t.Run({Insert(line)});
    const QString text = PdfText::Text(Render(kind, QStringLiteral("number")));
    const QString expected = kind + QStringLiteral(" nr ") + printed + QLatin1Char('\n');
    QCOMPARE(text.count(expected), 2);
}

void VouchersTest::amountInFiguresAndWords_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("figures");
    QTest::addColumn<QString>("words");
    QTest::newRow("thousands grouped")
        << "KP" << 1234.5 << "1 234,50"
        << "jeden tysiąc dwieście trzydzieści cztery złote pięćdziesiąt groszy";
    QTest::newRow("grosze only") << "KW" << 0.5 << "0,50"
                                 << "zero złotych pięćdziesiąt groszy";
    QTest::newRow("longest words kept whole")
        << "KP" << 999999.99 << "999 999,99"
        << "dziewięćset dziewięćdziesiąt dziewięć tysięcy dziewięćset dziewięćdziesiąt "
           "dziewięć złotych dziewięćdziesiąt dziewięć groszy";
}

void VouchersTest::amountInFiguresAndWords() {
    QFETCH(QString, kind);
    QFETCH(double, amount);
    QFETCH(QString, figures);
    QFETCH(QString, words);
    TestDb t;
    Line line;
    line.kind = kind;
    line.amount = amount;
    t.Run({Insert(line)});
    VoucherData data;
    QVERIFY(LoadVoucher(1, kind == QLatin1String("KP") ? VoucherKind::Kp : VoucherKind::Kw, &data));
    QCOMPARE(Polish::Money(data.total), QString(figures).replace(QLatin1Char(' '), QChar(0xA0)));

    const QString text = PdfText::Text(Render(kind, QStringLiteral("amount")));
    // The line's amount and "Razem", in both blocks.
    QCOMPARE(text.count(QRegularExpression(QStringLiteral("(^| )") +
                                           QRegularExpression::escape(figures) +
                                           QStringLiteral("($|\\n)"))),
             4);
    // "Słownie:" and the words, possibly over two lines, in both blocks.
    const QStringList all = Words(text);
    const QStringList expected = QStringList{QStringLiteral("Słownie:")} + Words(words);
    int found = 0;
    for (int i = 0; i + expected.size() <= all.size(); ++i)
        if (all.mid(i, expected.size()) == expected)
            ++found;
    QCOMPARE(found, 2);
}

void VouchersTest::copyRepeatsTheOriginal_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<double>("offset");
    QTest::newRow("KP") << "KP" << 132.0;
    QTest::newRow("KW") << "KW" << 133.0;
}

void VouchersTest::copyRepeatsTheOriginal() {
    QFETCH(QString, kind);
    QFETCH(double, offset);
    TestDb t;
    Line line;
    line.kind = kind;
    t.Run({Insert(line)});
    const QString pdf = Render(kind, QStringLiteral("copy"));
    const QVector<Word> words = PdfText::Words(pdf);
    QCOMPARE(PdfText::PageSizes(pdf).size(), 1);

    const QVector<Word> original = PdfText::Find(words, QStringLiteral("ORYGINAŁ"));
    const QVector<Word> copy = PdfText::Find(words, QStringLiteral("KOPIA"));
    QCOMPARE(original.size(), 1);
    QCOMPARE(copy.size(), 1);
    QVERIFY(qAbs(copy[0].box.top() - original[0].box.top() - offset) < 0.05);

    // Every word of the original stands in the copy too, `offset` lower.
    const double split = original[0].box.top() + offset - 20;
    int compared = 0, dotRows = 0;
    for (const Word& w : words) {
        if (IsDots(w.text) && w.box.width() > 150)
            ++dotRows;
        if (w.box.top() > split || w.text == QStringLiteral("ORYGINAŁ") || IsDots(w.text))
            continue;
        bool twin = false;
        for (const Word& c : words)
            twin = twin || (c.text == w.text && qAbs(c.box.left() - w.box.left()) < 0.05 &&
                            qAbs(c.box.top() - w.box.top() - offset) < 0.05);
        QVERIFY2(twin, qPrintable(w.text));
        ++compared;
    }
    QVERIFY(compared > 30);
    QCOMPARE(dotRows, 1); // the cutting line, once

    // A KP carries the page number at its foot; a KW has no footer.
    const QString text = PdfText::Text(pdf);
    const bool kp = kind == QLatin1String("KP");
    QCOMPARE(text.contains(PageOneOfOne()), kp);
    QVERIFY(!text.contains(QRegularExpression(QStringLiteral("\\d z \\d"))) || kp);
    QCOMPARE(text.contains(QStringLiteral("Orva")), kp);
    // The KP original leaves its title and stamp label to the copy.
    const int titles =
        PdfText::Find(words, kp ? QStringLiteral("wpłaty") : QStringLiteral("wypłaty")).size();
    QCOMPARE(titles, kp ? 1 : 2);
    QCOMPARE(PdfText::Find(words, QStringLiteral("Pieczęć")).size(), kp ? 1 : 2);
}

void VouchersTest::elementsStandWhereTheFormHasThem_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("occurrence"); // from the top
    QTest::addColumn<QPointF>("corner"); // mm from the sheet's corner
    const double kx = Margin;
    QTest::newRow("KP nr") << "KP"
                           << "KP" << 0 << QPointF(kx + 104, KpTop + 14);
    QTest::newRow("KP ORYGINAŁ") << "KP"
                                 << "ORYGINAŁ" << 0 << QPointF(kx + 104, KpTop + 23);
    QTest::newRow("KP KOPIA") << "KP"
                              << "KOPIA" << 0 << QPointF(kx + 104, KpTop + 132 + 23);
    QTest::newRow("KP title") << "KP"
                              << "Dowód" << 0 << QPointF(kx + 104, KpTop + 132 + 5);
    QTest::newRow("KP Pieczęć") << "KP"
                                << "Pieczęć" << 0 << QPointF(kx + 76, KpTop + 132 + 5);
    QTest::newRow("KP date") << "KP"
                             << "15.10.2008" << 0 << QPointF(kx + 115, KpTop + 33);
    QTest::newRow("KP payer") << "KP"
                              << "Jan" << 0 << QPointF(kx + 18, KpTop + 42);
    QTest::newRow("KP Za co") << "KP"
                              << "Za" << 0 << QPointF(kx + 5, KpTop + 64);
    QTest::newRow("KP description") << "KP"
                                    << "Składka" << 0 << QPointF(kx + 5, KpTop + 69);
    QTest::newRow("KP Razem") << "KP"
                              << "Razem" << 0 << QPointF(kx + 125, KpTop + 74);
    QTest::newRow("KP Słownie") << "KP"
                                << "Słownie:" << 0 << QPointF(kx + 2, KpTop + 79);
    QTest::newRow("KP NR") << "KP"
                           << "NR:" << 0 << QPointF(kx + 119, KpTop + 99);
    QTest::newRow("KP Poz.") << "KP"
                             << "Poz." << 1 << QPointF(kx + 119, KpTop + 132 + 108);
    QTest::newRow("KP otrzymałem") << "KP"
                                   << "otrzymałem" << 0 << QPointF(kx + 158, KpTop + 98);
    QTest::newRow("KP footer") << "KP"
                               << "z" << 0 << QPointF(kx + 157 + 2, 297 - Margin - 4);
    QTest::newRow("KW nr") << "KW"
                           << "KW" << 0 << QPointF(kx + 104, KwTop + 14);
    QTest::newRow("KW KOPIA") << "KW"
                              << "KOPIA" << 0 << QPointF(kx + 104, KwTop + 133 + 23);
    QTest::newRow("KW title") << "KW"
                              << "Dowód" << 0 << QPointF(kx + 104, KwTop + 5);
    QTest::newRow("KW Komu") << "KW"
                             << "Komu:" << 1 << QPointF(kx + 2, KwTop + 133 + 42);
    QTest::newRow("KW NR") << "KW"
                           << "NR:" << 0 << QPointF(kx + 106, KwTop + 99);
    QTest::newRow("KW wypłaciłem") << "KW"
                                   << "wypłaciłem" << 0 << QPointF(kx + 136, KwTop + 98);
}

void VouchersTest::elementsStandWhereTheFormHasThem() {
    QFETCH(QString, kind);
    QFETCH(QString, word);
    QFETCH(int, occurrence);
    QFETCH(QPointF, corner);
    TestDb t;
    Line line;
    line.kind = kind;
    t.Run({Insert(line)});
    const QVector<Word> found =
        PdfText::Find(PdfText::Words(Render(kind, QStringLiteral("place"))), word);
    QVERIFY(found.size() > occurrence);
    const QRectF box = found[occurrence].box;
    // The text box's corner, less its padding and the glyph's side bearing.
    QVERIFY2(qAbs(box.left() - corner.x()) < 1 && qAbs(box.top() - corner.y()) < 1,
             qPrintable(QStringLiteral("%1 at %2, %3").arg(word).arg(box.left()).arg(box.top())));
}

void VouchersTest::longPayerContinuesOnTheSecondLine() {
    TestDb t;
    Line line;
    line.person = QStringLiteral(
        "Rada Rodziców Szkoły Podstawowej nr 1 im. Marii Konopnickiej w Warszawie, "
        "ul. Długa 5, wpłata za wycieczkę klasy 3b do Krakowa i Wieliczki w dniach 12-14 maja "
        "oraz za bilety wstępu do muzeów, przewodnika i ubezpieczenie wszystkich uczestników");
    t.Run({Insert(line)});
    const QVector<Word> words =
        PdfText::Words(Render(QStringLiteral("KP"), QStringLiteral("payer")));
    QStringList first, second;
    double firstHeight = 0, secondHeight = 0;
    for (const Word& w : words) {
        if (w.box.left() < Margin + 18 - 0.5 || w.box.top() > KpTop + 60)
            continue;
        if (qAbs(w.box.top() - (KpTop + 42)) < 1) {
            first << w.text;
            firstHeight = w.box.height();
        } else if (qAbs(w.box.top() - (KpTop + 48)) < 1) {
            second << w.text;
            secondHeight = w.box.height();
        }
    }
    const QStringList all = Words(line.person);
    QVERIFY(first.size() > 5);
    QVERIFY(second.size() > 5);
    // The second line goes on where the first stopped, in smaller type, and
    // what fits on neither is cut off.
    QCOMPARE(first, all.mid(0, first.size()));
    QCOMPARE(second.mid(0, second.size() - 1), all.mid(first.size(), second.size() - 1));
    QVERIFY(all.size() > first.size() + second.size());
    QVERIFY(secondHeight < firstHeight * 0.9);
    for (const Word& w : words)
        QVERIFY2(w.box.right() < 210 - Margin + 0.5, qPrintable(w.text));
}

void VouchersTest::splitReceiptPrintsBothLinesAndTheirTotal() {
    TestDb t;
    Line first;
    first.amount = 100;
    first.category = 2;
    Line second = first;
    second.amount = 23.45;
    second.category = 3;
    second.person = QString();
    t.Run({QStringLiteral("INSERT INTO PRZYCHODY (NAZWA) VALUES ('Składki')"),
           QStringLiteral("INSERT INTO PRZYCHODY (NAZWA) VALUES ('Wycieczki')"), Insert(first),
           Insert(second)});
    const QString pdf = Render(QStringLiteral("KP"), QStringLiteral("split"));
    QCOMPARE(PdfText::PageSizes(pdf).size(), 1);
    const QString text = PdfText::Text(pdf);

    // Both lines with their categories, the total and its words, the payer
    // of the first line; on the original and on the copy.
    for (const QString& expected :
         {QStringLiteral("Składka na komitet (Składki) 100,00"),
          QStringLiteral("Składka na komitet (Wycieczki) 23,45"), QStringLiteral("Razem 123,45"),
          QStringLiteral("Słownie: sto dwadzieścia trzy złote czterdzieści pięć groszy"),
          QStringLiteral("Od kogo: Jan Kowalski")})
        QVERIFY2(text.count(expected) == 2, qPrintable(expected + QStringLiteral("\n") + text));
    QVERIFY(text.contains(PageOneOfOne()));

    // The rows below the table moved down by one row and still clear the copy.
    const QVector<Word> words = PdfText::Words(pdf);
    const QVector<Word> razem = PdfText::Find(words, QStringLiteral("Razem"));
    QVERIFY(qAbs(razem[0].box.top() - (KpTop + 79)) < 1);
    const QVector<Word> dots = [&] {
        QVector<Word> v;
        for (const Word& w : words)
            if (IsDots(w.text) && w.box.width() > 150)
                v << w;
        return v;
    }();
    QCOMPARE(dots.size(), 1);
    const Word rule = PdfText::Find(words, QStringLiteral("KOPIA"))[0];
    QVERIFY(dots[0].box.bottom() < rule.box.top() - 10);
}

void VouchersTest::previewWaitsUntilClosed() {
    TestDb t;
    t.Run({Insert(Line())});
    QWidget parent;
    int previews = 0;
    QString exported;
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<ReportPreview*>(QApplication::activeModalWidget());
        if (!preview)
            return;
        ++previews;
        QCOMPARE(preview->Zoom(), 1.0);
        exported = dir_.filePath(QStringLiteral("shown.pdf"));
        preview->ExportPdf(exported);
        preview->accept();
    });
    ShowKpVoucher(1, &parent);
    QCOMPARE(previews, 1);
    QVERIFY(PdfText::Text(exported).contains(QLatin1String("KP nr 7/2008/2009")));

    // A document that is not there (its save was rolled back) shows nothing.
    QTimer::singleShot(0, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            ++previews;
            w->close();
        }
    });
    ShowKwVoucher(2, &parent);
    QTest::qWait(10);
    QCOMPARE(previews, 1);
}

QTEST_MAIN(VouchersTest)
#include "vouchers_test.moc"
