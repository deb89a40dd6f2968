// The report layer: pages in millimetres, bands over rows, page numbers,
// and the same pages on paper, in a PDF, as pictures and in the preview.
#include "common/pdftext.h"
#include "reports/bands.h"
#include "reports/export.h"
#include "reports/preview.h"
#include "reports/render.h"

#include <QFile>
#include <QPrinter>
#include <QSqlField>
#include <QTemporaryDir>
#include <QTest>

namespace {

QVector<QSqlRecord> NumberedRows(int count) {
    QVector<QSqlRecord> rows;
    for (int i = 1; i <= count; ++i) {
        QSqlRecord r;
        r.append(QSqlField(QStringLiteral("NRPOZ"), QMetaType(QMetaType::Int)));
        r.setValue(0, i);
        rows << r;
    }
    return rows;
}

// Two page sets over the same rows, like the periodic report: revenues on
// landscape Letter with 10 mm margins, costs with 5 mm margins.
Report TwoPageSets(int rows) {
    Report report;
    report.title = QStringLiteral("Zestawienie");
    const QVector<QSqlRecord> data = NumberedRows(rows);
    for (const QString& set : {QStringLiteral("Przychody"), QStringLiteral("Rozchody")}) {
        BandWriter w(report, PageFormat::LandscapeLetter(set == QLatin1String("Przychody") ? 10 : 5));
        w.SetPageHeader(9,
                        [&](Area& a) { a.Text(3, 0, 60, 5, QStringLiteral("Nagłówek ") + set); });
        w.SetPageFooter(
            4, [](Area& a) { a.Text(241, 0, 30, 4, PageTokens::NOfM(), TextStyle().Size(8)); });
        w.Add(22, [](Area& a) { a.Text(1, 17, 20, 5, QStringLiteral("Kolumny")); });
        w.AddRows(data, 8, [&](Area& a, const QSqlRecord& r, int) {
            a.Text(1, 0, 20, 4, set.left(1) + r.value(0).toString());
        });
        w.Add(12, [](Area& a) { a.Text(13, 0, 40, 4, QStringLiteral("Razem:")); });
    }
    return report;
}

Report Sample() {
    Report report;
    report.title = QStringLiteral("Próba");
    Area a(report.AddPage(PageFormat()));
    a.Text(10, 10, 60, 6, QStringLiteral("Zażółć gęślą jaźń"), TextStyle().Size(12).Bold());
    a.Text(100, 10, 50, 5, QStringLiteral("1 234,50"), TextStyle().Align(Qt::AlignRight));
    a.Line(10, 30, 180, 30, 0.26, Qt::DotLine);
    a.Fill(10, 40, 50, 5, Qt::gray);
    a.Rect(10, 50, 50, 20);
    return report;
}

} // namespace

Q_DECLARE_METATYPE(TextStyle)

class ReportTest : public QObject {
    Q_OBJECT
  private slots:
    void bandsFillPageSetsAndNumberAllPages();
    void pdfAndPrinterPlaceTextAlike();
    void chosenPaperTakesThePageScaled();
    void textBoxes_data();
    void textBoxes();
    void rotatedTextRunsBottomToTop();
    void pngOnePerPageAndCsv();
    void previewOpensAtFullSizeAndExports();

  private:
    QTemporaryDir dir_;
    QString File(const QString& name) const { return dir_.filePath(name); }
};

void ReportTest::bandsFillPageSetsAndNumberAllPages() {
    const Report report = TwoPageSets(60);
    const QString pdf = File(QStringLiteral("sets.pdf"));
    QVERIFY(WritePdf(report, pdf));

    // Each set takes three pages: 60 rows of 8 mm after a 22 mm column head,
    // between a 9 mm page header and a 4 mm footer.
    const QVector<QSizeF> sizes = PdfText::PageSizes(pdf);
    QCOMPARE(sizes.size(), report.pages.size());
    QCOMPARE(sizes.size(), 6);
    for (const QSizeF& s : sizes) {
        QVERIFY2(qAbs(s.width() - 279.4) < 0.5 && qAbs(s.height() - 215.9) < 0.5,
                 qPrintable(QStringLiteral("%1 x %2").arg(s.width()).arg(s.height())));
    }
    QStringList seen;
    for (int page = 0; page < sizes.size(); ++page) {
        const QString text = PdfText::Text(pdf, page);
        const bool revenues = page < 3;
        QVERIFY(text.contains(revenues ? QStringLiteral("Nagłówek Przychody")
                                       : QStringLiteral("Nagłówek Rozchody")));
        QVERIFY2(text.contains(QStringLiteral("%1 z 6").arg(page + 1)), qPrintable(text));
        QCOMPARE(text.contains(QLatin1String("Kolumny")), page == 0 || page == 3);
        QCOMPARE(text.contains(QLatin1String("Razem:")), page == 2 || page == 5);
        for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+"))))
            if (QRegularExpression(QStringLiteral("^[PR]\\d+$")).match(word).hasMatch())
                seen << word;
    }
    QStringList expected;
    for (const QString& set : {QStringLiteral("P"), QStringLiteral("R")})
        for (int i = 1; i <= 60; ++i)
            expected << set + QString::number(i);
    QCOMPARE(seen, expected);

    // Bands stay above the footer and the page header sits at the margin.
    const QVector<PdfText::Word> words = PdfText::Words(pdf);
    for (const PdfText::Word& w : words) {
        const double margin = w.page < 3 ? 10 : 5;
        if (w.text.startsWith(QLatin1Char('P')) || w.text.startsWith(QLatin1Char('R')))
            QVERIFY2(w.box.bottom() < 215.9 - margin - 4, qPrintable(w.text));
    }
    const auto header = PdfText::Find(words, QStringLiteral("Nagłówek"), 4);
    QCOMPARE(header.size(), 1);
    QVERIFY(qAbs(header[0].box.left() - (5 + 3)) < 1);
}

void ReportTest::pdfAndPrinterPlaceTextAlike() {
    const Report report = TwoPageSets(30);
    const QString direct = File(QStringLiteral("direct.pdf"));
    const QString printed = File(QStringLiteral("printed.pdf"));
    QVERIFY(WritePdf(report, direct));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printed);
    QVERIFY(PrintReport(report, printer));

    const QVector<PdfText::Word> a = PdfText::Words(direct);
    const QVector<PdfText::Word> b = PdfText::Words(printed);
    QCOMPARE(b.size(), a.size());
    for (int i = 0; i < a.size(); ++i) {
        QCOMPARE(b[i].text, a[i].text);
        QCOMPARE(b[i].page, a[i].page);
        QVERIFY2(qAbs(a[i].box.left() - b[i].box.left()) < 0.2 &&
                     qAbs(a[i].box.top() - b[i].box.top()) < 0.2,
                 qPrintable(a[i].text));
    }
    QCOMPARE(PdfText::PageSizes(printed), PdfText::PageSizes(direct));
}

void ReportTest::chosenPaperTakesThePageScaled() {
    // After the page setup chose A5, an A4 page is shrunk onto it whole.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = File(QStringLiteral("a5.pdf"));
    printer.setOutputFileName(pdf);
    printer.setPageSize(QPageSize(QPageSize::A5));
    QVERIFY(PrintReport(Sample(), printer, true));
    const QVector<QSizeF> sizes = PdfText::PageSizes(pdf);
    QCOMPARE(sizes.size(), 1);
    QVERIFY(qAbs(sizes[0].width() - 148) < 0.5 && qAbs(sizes[0].height() - 210) < 0.5);
    const double scale = 148.0 / 210;
    const auto word = PdfText::Find(PdfText::Words(pdf), QStringLiteral("Zażółć"));
    QCOMPARE(word.size(), 1);
    QVERIFY2(qAbs(word[0].box.left() - (20 + 0.5) * scale) < 0.5,
             qPrintable(QString::number(word[0].box.left())));
}

void ReportTest::textBoxes_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<TextStyle>("style");
    QTest::addColumn<QSizeF>("size");
    QTest::addColumn<QString>("first");  // text of the box
    QTest::addColumn<QString>("second"); // what flowed on to the next box
    const QString long_ = QStringLiteral("Rada Rodziców przy Szkole Podstawowej numer jeden");
    QTest::newRow("cut at the edge")
        << long_ << TextStyle() << QSizeF(30, 5) << QStringLiteral("Rada Rodziców pr") << QString();
    QTest::newRow("wrapped within the box")
        << long_ << TextStyle().Wrap() << QSizeF(50, 30)
        << QStringLiteral("Rada Rodziców przy Szkole Podstawowej numer jeden") << QString();
    QTest::newRow("rest flows on")
        << long_ << TextStyle().Wrap() << QSizeF(50, 5)
        << QStringLiteral("Rada Rodziców przy Szkole") << QStringLiteral("Podstawowej numer jeden");
    QTest::newRow("line break flows on")
        << QStringLiteral("Jan Kowalski\nul. Długa 5") << TextStyle().Wrap() << QSizeF(150, 5)
        << QStringLiteral("Jan Kowalski") << QStringLiteral("ul. Długa 5");
    QTest::newRow("two lines fit 8 mm")
        << QStringLiteral("Winien\nkasa") << TextStyle().Bold().Wrap() << QSizeF(14, 8)
        << QStringLiteral("Winien kasa") << QString();
}

void ReportTest::textBoxes() {
    QFETCH(QString, text);
    QFETCH(TextStyle, style);
    QFETCH(QSizeF, size);
    QFETCH(QString, first);
    QFETCH(QString, second);
    Report report;
    Area a(report.AddPage(PageFormat()));
    const int from = a.Text(20, 20, size.width(), size.height(), text, style);
    a.Flow(from, a.Text(20, 100, 150, 20, QString(), TextStyle().Size(8)));
    const QString pdf = File(QStringLiteral("box.pdf"));
    QVERIFY(WritePdf(report, pdf));

    QStringList inBox, flowed;
    for (const PdfText::Word& w : PdfText::Words(pdf)) {
        QVERIFY2(w.box.left() >= 30 - 0.01 && w.box.right() <= 30 + size.width() + 0.3,
                 qPrintable(w.text));
        if (w.box.top() < 100)
            inBox << w.text;
        else
            flowed << w.text;
        if (w.box.top() < 100)
            QVERIFY2(w.box.bottom() <= 30 + size.height() + 0.5, qPrintable(w.text));
    }
    // Words cut at the box's edge never reach the page, not even hidden.
    QCOMPARE(inBox.join(QLatin1Char(' ')), first);
    QCOMPARE(flowed.join(QLatin1Char(' ')), second);
}

void ReportTest::rotatedTextRunsBottomToTop() {
    Report report;
    Area a(report.AddPage(PageFormat()));
    a.Text(100, 100, 8, 40, QStringLiteral("Składki"), TextStyle().Rotate(90));
    const QString pdf = File(QStringLiteral("rotated.pdf"));
    QVERIFY(WritePdf(report, pdf));
    const QVector<PdfText::Word> words = PdfText::Words(pdf);
    QCOMPARE(words.size(), 1);
    const QRectF box = words[0].box;
    // A heading standing in a narrow column: tall, starting at its foot.
    QVERIFY(box.height() > 2 * box.width());
    QVERIFY(box.left() > 110 && box.right() < 118);
    QVERIFY2(qAbs(box.bottom() - (150 - 0.5)) < 1, qPrintable(QString::number(box.bottom())));
}

void ReportTest::pngOnePerPageAndCsv() {
    Report report = TwoPageSets(30);
    const QStringList files = WritePng(report, File(QStringLiteral("strony.png")), 50);
    QCOMPARE(files.size(), report.pages.size());
    QVERIFY(files.last().endsWith(QStringLiteral("strony_%1.png").arg(files.size())));
    const QImage page(files.first());
    QCOMPARE(page.size(), QSize(qRound(279.4 / 25.4 * 50), qRound(215.9 / 25.4 * 50)));
    QCOMPARE(WritePng(Sample(), File(QStringLiteral("jedna.png")), 50),
             QStringList{File(QStringLiteral("jedna.png"))});

    QVERIFY(!WriteCsv(report, File(QStringLiteral("brak.csv"))));
    report.table = {
        {QStringLiteral("Lp."), QStringLiteral("Treść"), QStringLiteral("Kwota")},
        {QStringLiteral("1"), QStringLiteral("Składka; wrzesień"), QStringLiteral("1 234,50")},
        {QStringLiteral("2"), QStringLiteral("Druk \"A\""), QStringLiteral("0,00")}};
    QVERIFY(WriteCsv(report, File(QStringLiteral("t.csv"))));
    QFile csv(File(QStringLiteral("t.csv")));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QByteArray bytes = csv.readAll();
    QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(QString::fromUtf8(bytes.mid(3)),
             QStringLiteral("Lp.;Treść;Kwota\r\n1;\"Składka; wrzesień\";1 234,50\r\n"
                            "2;\"Druk \"\"A\"\"\";0,00\r\n"));
}

void ReportTest::previewOpensAtFullSizeAndExports() {
    ReportPreview preview(TwoPageSets(30));
    QCOMPARE(preview.Zoom(), 1.0);
    QCOMPARE(preview.CurrentPage(), 0);
    QVERIFY(!preview.CsvBut->isEnabled());
    QVERIFY(!preview.PriorBut->isEnabled());
    preview.NextButClick();
    QCOMPARE(preview.CurrentPage(), 1);
    preview.LastButClick();
    QCOMPARE(preview.CurrentPage(), preview.report().pages.size() - 1);
    QVERIFY(!preview.NextBut->isEnabled());
    preview.NextButClick();
    QCOMPARE(preview.CurrentPage(), preview.report().pages.size() - 1);
    preview.ZoomInButClick();
    QCOMPARE(preview.Zoom(), 1.25);
    preview.ZoomOutButClick();
    preview.ZoomOutButClick();
    QCOMPARE(preview.Zoom(), 0.75);

    const QString pdf = File(QStringLiteral("preview.pdf"));
    QVERIFY(preview.ExportPdf(pdf));
    QVERIFY(!preview.ExportCsv(File(QStringLiteral("brak.csv"))));
    QCOMPARE(PdfText::PageSizes(pdf).size(), preview.report().pages.size());
    QCOMPARE(preview.ExportPng(File(QStringLiteral("p.png"))).size(),
             preview.report().pages.size());

    Report tabular = Sample();
    tabular.table = {{QStringLiteral("Lp.")}, {QStringLiteral("1")}};
    ReportPreview withTable(tabular);
    QVERIFY(withTable.CsvBut->isEnabled());
    QVERIFY(withTable.ExportCsv(File(QStringLiteral("tabela.csv"))));
}

QTEST_MAIN(ReportTest)
#include "report_test.moc"
