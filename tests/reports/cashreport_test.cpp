// The cash report of one RK, read back from its PDF as the treasurer reads
// the sheet, and the command that prints it from the register.
#include "common/ledgerbuilder.h"
#include "common/pdftext.h"
#include "common/reportcheck.h"
#include "common/testdb.h"
#include "common/testwindow.h"
#include "reports/cashreport.h"
#include "shell/docview.h"

#include <QAction>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>

Q_DECLARE_METATYPE(QVector<TestDoc>)

namespace {

TestDoc Doc(const QString& kind, double amount, int nrrk, const QString& date = "2008-10-15") {
    TestDoc d;
    d.kind = kind;
    (kind == QLatin1String("KW") ? d.out : d.in) = amount;
    d.nrrk = nrrk;
    d.date = date;
    return d;
}

// The first line of the text that contains `label`, from the label on.
QString From(const QString& text, const QString& label) {
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const int at = line.indexOf(label);
        if (at >= 0)
            return line.mid(at);
    }
    return QString();
}

} // namespace

class CashReportTest : public QObject {
    Q_OBJECT
  private slots:
    void figures_data();
    void figures();
    void sheetShowsTheRkItsDaysAndLines();
    void longReportRunsOverPages();
    void commandRefused_data();
    void commandRefused();
    void commandShowsTheSelectedRk();

  private:
    QString Render(int nrRk, const QDate& selected, const QString& name);
    QTemporaryDir dir_;
};

QString CashReportTest::Render(int nrRk, const QDate& selected, const QString& name) {
    Report report;
    if (!DB->RunAction([&] { report = CashReport(LoadCashReport(nrRk, selected)); }))
        qFatal("Cannot read the cash report");
    return PdfOf(report, dir_.filePath(name + QStringLiteral(".pdf")));
}

void CashReportTest::figures_data() {
    QTest::addColumn<double>("kasa");
    QTest::addColumn<QVector<TestDoc>>("docs");
    QTest::addColumn<int>("rk");
    QTest::addColumn<QStringList>("expected"); // lines of the summary, from their labels

    const QVector<TestDoc> first = {Doc("KP", 30, 1), Doc("KP", 20, 1), Doc("KW", 45, 1)};
    QTest::newRow("first RK brings in the opening cash")
        << 100.0 << first << 1 << QStringList{"Obroty 50,00 45,00",
                                              "poprzedni 100,00",
                                              "obecny 105,00",
                                              "Suma: 150,00 150,00",
                                              "KP: 2",
                                              "KW: 1"};

    // Bank statements move no cash; later RKs are not brought in.
    const QVector<TestDoc> later = {Doc("KP", 30, 1),  Doc("KW", 10, 1), Doc("WB", 500, 1),
                                    Doc("KP", 5, 2),   Doc("KW", 2, 2),  Doc("WB", 70, 2),
                                    Doc("KP", 1000, 3)};
    QTest::newRow("lower RKs brought in, WB and higher RKs left out")
        << 100.0 << later << 2 << QStringList{"Obroty 5,00 2,00",
                                              "poprzedni 120,00",
                                              "obecny 123,00",
                                              "Suma: 125,00 125,00",
                                              "KP: 1",
                                              "KW: 1"};

    // A lower RK number counts whatever its date.
    const QVector<TestDoc> dated = {Doc("KP", 5, 2, "2008-10-01"), Doc("KP", 40, 1, "2008-10-20")};
    QTest::newRow("lower RK dated later is brought in")
        << 0.0 << dated << 2
        << QStringList{"Obroty 5,00 0,00", "poprzedni 40,00", "obecny 45,00", "KP: 1", "KW: 0"};

    TestDoc split = Doc("KP", 10, 1);
    split.in2 = 15.55;
    split.rodzajp = 2;
    split.rodzajp2 = 3;
    QTest::newRow("split receipt counts twice")
        << 1234.5 << QVector<TestDoc>{split, Doc("KW", 0.05, 1)} << 1
        << QStringList{"Obroty 25,55 0,05",
                       "poprzedni 1 234,50",
                       "obecny 1 260,00",
                       "Suma: 1 260,05 1 260,05",
                       "KP: 2",
                       "KW: 1"};

    QTest::newRow("payments beyond the cash carry out a negative balance")
        << 10.0 << QVector<TestDoc>{Doc("KW", 25, 1)} << 1
        << QStringList{"Obroty 0,00 25,00", "poprzedni 10,00", "obecny -15,00",
                       "Suma: 10,00 10,00"};
}

void CashReportTest::figures() {
    QFETCH(double, kasa);
    QFETCH(QVector<TestDoc>, docs);
    QFETCH(int, rk);
    QFETCH(QStringList, expected);
    TestDb t;
    AddCategories(t, 2, 1);
    t.Run({QStringLiteral("UPDATE STANP SET KASAWARTOSC=%1, WARTOSC=5000").arg(kasa, 0, 'f', 2)});
    WriteLedger(t, docs);
    const QString text = PlainPdfText(Render(rk, QDate(2008, 10, 15), QStringLiteral("figures")));
    for (const QString& line : expected)
        QCOMPARE(From(text, line.section(QLatin1Char(' '), 0, 0)), line);
}

void CashReportTest::sheetShowsTheRkItsDaysAndLines() {
    TestDb t;
    QVector<TestDoc> docs = {Doc("KP", 1, 2, "2008-09-28"), Doc("KP", 1234.5, 3, "2008-09-29"),
                             Doc("WB", 99, 3, "2008-09-30"), Doc("KW", 45, 3, "2008-10-03")};
    WriteLedger(t, docs);
    // A bank statement stays out of the till's report even when it carries an RK.
    t.Run({QStringLiteral("UPDATE DOKUMENT SET NUMER='FV 12/2008', OPIS='  Zakup kwiatów  ' "
                          "WHERE NRDOK=4"),
           QStringLiteral("UPDATE DOKUMENT SET NRRK=3 WHERE NRDOK=3")});
    // Asked from a line of October: the month and school year of that line.
    const QString pdf = Render(3, QDate(2008, 10, 3), QStringLiteral("sheet"));
    const QVector<QSizeF> sizes = PdfText::PageSizes(pdf);
    QCOMPARE(sizes.size(), 1);
    QVERIFY(qAbs(sizes[0].width() - 210) < 0.5 && qAbs(sizes[0].height() - 297) < 0.5);

    const QString text = PlainPdfText(pdf);
    QCOMPARE(From(text, QStringLiteral("Raport")),
             QStringLiteral("Raport Kasowy RK nr 3/2008/2009"));
    // Day numbers from two months; the month of the selected line.
    QCOMPARE(From(text, QStringLiteral("od:")), QStringLiteral("od: 29 do: 3 Październik 2008"));
    QCOMPARE(From(text, QStringLiteral("Lp.")),
             QStringLiteral("Lp. Symbol/Nr Treść Przychód Rozchód"));
    QCOMPARE(From(text, QStringLiteral("1 2 ")), QStringLiteral("1 2 Dokument 2 1 234,50 0,00"));
    QCOMPARE(From(text, QStringLiteral("2 FV")),
             QStringLiteral("2 FV 12/2008 Zakup kwiatów 0,00 45,00"));
    QVERIFY(!text.contains(QStringLiteral("Dokument 3"))); // the WB
    QVERIFY(!text.contains(QStringLiteral("Dokument 1"))); // RK 2
    for (const QString& label :
         {QStringLiteral("Pieczęć"), QStringLiteral("Kasa"), QStringLiteral("PODPISY"),
          QStringLiteral("Sporządził"), QStringLiteral("Sprawdził"), QStringLiteral("ZAKSIĘGOWANO"),
          QStringLiteral("dzień rej."), QStringLiteral("pozycja"), QStringLiteral("załączników")})
        QVERIFY2(text.contains(label), qPrintable(label));
    QVERIFY(text.endsWith(QStringLiteral(" 1 z 1")));
    QVERIFY(text.contains(ReportFooterLine()));

    // The columns stand where the form has them (margin 10 mm).
    const QVector<PdfText::Word> words = PdfText::Words(pdf);
    const QVector<QPair<QString, double>> columns = {
        {"Lp.", 3}, {"Symbol/Nr", 17}, {"Treść", 50}, {"Przychód", 140}, {"Rozchód", 165}};
    for (const auto& [word, x] : columns) {
        const auto found = PdfText::Find(words, word);
        QVERIFY2(!found.isEmpty() && qAbs(found[0].box.left() - 10 - x) < 1.5, qPrintable(word));
    }
    // Amounts end at the right edge of their column.
    const auto amount = PdfText::Find(words, QStringLiteral("45,00"));
    QVERIFY(!amount.isEmpty() && qAbs(amount[0].box.right() - 10 - 189) < 1.5);
}

void CashReportTest::longReportRunsOverPages() {
    TestDb t;
    QVector<TestDoc> docs;
    for (int i = 0; i < 70; ++i)
        docs << Doc(i % 4 == 3 ? "KW" : "KP", 1, 1,
                    QStringLiteral("2008-10-%1").arg(1 + i / 3, 2, 10, QLatin1Char('0')));
    WriteLedger(t, docs);
    const QString pdf = Render(1, QDate(2008, 10, 1), QStringLiteral("long"));
    const int pages = PdfText::PageSizes(pdf).size();
    QCOMPARE(pages, 2);
    QStringList numbers;
    for (int page = 0; page < pages; ++page) {
        const QString text = PlainPdfText(pdf, page);
        QVERIFY(text.endsWith(QStringLiteral(" %1 z %2").arg(page + 1).arg(pages)));
        QCOMPARE(text.contains(QStringLiteral("Raport Kasowy")), page == 0);
        QCOMPARE(text.contains(QStringLiteral("Obroty")), page == pages - 1);
        static const QRegularExpression row(QStringLiteral("(?:^|\\n)(\\d+) \\d+ Dokument "));
        for (auto it = row.globalMatch(text); it.hasNext();)
            numbers << it.next().captured(1);
    }
    QStringList expected;
    for (int i = 1; i <= 70; ++i)
        expected << QString::number(i);
    QCOMPARE(numbers, expected);
    const QString text = PlainPdfText(pdf);
    QCOMPARE(From(text, QStringLiteral("KP:")), QStringLiteral("KP: 53"));
    QCOMPARE(From(text, QStringLiteral("KW:")), QStringLiteral("KW: 17"));
}

void CashReportTest::commandRefused_data() {
    QTest::addColumn<bool>("ledger");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty register") << false << "Musisz wybrać dokument inny niż WB.";
    QTest::newRow("bank statement selected") << true << "Musisz wybrać dokument inny niż WB.";
}

void CashReportTest::commandRefused() {
    QFETCH(bool, ledger);
    QFETCH(QString, message);
    TestDb t;
    if (ledger)
        WriteLedger(t, {Doc("KP", 10, 1), Doc("WB", 5, 1)});
    TestWindow w(t);
    QCOMPARE(CatchPreviews([&] { w.main().Raport1Click(); }), 0);
    QCOMPARE(t.ui().messages.size(), 1);
    QCOMPARE(t.ui().messages[0].caption, QStringLiteral("Błąd"));
    QCOMPARE(t.ui().messages[0].text, message);
    QCOMPARE(t.ui().messages[0].icon, MsgIcon::Exclamation);
}

void CashReportTest::commandShowsTheSelectedRk() {
    TestDb t;
    t.Run({QStringLiteral("UPDATE STANP SET KASAWARTOSC=100")});
    WriteLedger(t, {Doc("KP", 30, 1), Doc("KW", 10, 1, "2008-10-20"), Doc("WB", 5, 1),
                    Doc("KP", 7, 2, "2008-11-02")});
    t.Run({QStringLiteral("INSERT INTO TEMPRK (PRZYCHOD,ROZCHOD) VALUES (999,1)")});
    TestWindow w(t);
    QVERIFY(w.main().Raport1->isEnabled());
    QVERIFY(w.main().RaportKasBut->isEnabled());
    const QString before = LedgerSnapshot(t.db());
    DocView->SetCurrentRow(1);
    const QString pdf = dir_.filePath(QStringLiteral("command.pdf"));
    QCOMPARE(CatchPreviews([&] { w.main().Raport1Click(); }, pdf), 1);
    QVERIFY(t.ui().messages.isEmpty());

    const QString text = PlainPdfText(pdf);
    QCOMPARE(From(text, QStringLiteral("Raport")),
             QStringLiteral("Raport Kasowy RK nr 1/2008/2009"));
    QCOMPARE(From(text, QStringLiteral("od:")), QStringLiteral("od: 15 do: 20 Październik 2008"));
    QCOMPARE(From(text, QStringLiteral("poprzedni")), QStringLiteral("poprzedni 100,00"));
    QCOMPARE(From(text, QStringLiteral("obecny")), QStringLiteral("obecny 120,00"));
    // Another workstation's rows in the shared scratch table change nothing,
    // and the report leaves the database as it was.
    QCOMPARE(LedgerSnapshot(t.db()), before);
    QCOMPARE(t.Value(QStringLiteral("SELECT COUNT(*) FROM TEMPRK")).toInt(), 1);
    QCOMPARE(DocView->CurrentRow(), DocView->Qglowna->rowCount() - 1);
}

QTEST_MAIN(CashReportTest)
#include "cashreport_test.moc"
