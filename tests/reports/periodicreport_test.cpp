// The periodic report: the month's lines spread over the category columns,
// the totals brought forward, the two page sets on paper, and the command.
#include "common/ledgerbuilder.h"
#include "common/pdftext.h"
#include "common/reportcheck.h"
#include "common/testdb.h"
#include "common/testwindow.h"
#include "reports/periodicreport.h"
#include "shell/docview.h"

#include <QAction>
#include <QTest>
#include <QToolButton>

Q_DECLARE_METATYPE(QVector<TestDoc>)

namespace {

using PdfText::Word;

TestDoc Doc(const QString& kind, double amount, int category, int okres, const QString& date) {
    TestDoc d;
    d.kind = kind;
    if (kind == QLatin1String("KW")) {
        d.out = amount;
        d.rodzajk = category;
    } else {
        d.in = amount;
        d.rodzajp = category;
    }
    d.okres = okres;
    d.nrrk = okres;
    d.date = date;
    return d;
}

// Revenue categories P1 (key 2) and P2 (key 3), cost category K1 (key 2);
// 500,00 of funds before document 5, whose line number is 10.
void Prepare(TestDb& t, const QStringList& sql, const QVector<TestDoc>& docs) {
    AddCategories(t, 2, 1);
    t.Run(
        QStringList{QStringLiteral("UPDATE STANP SET WARTOSC=500, LICZNIKSTART=5, LICZNIKPOZ=10")} +
        sql);
    WriteLedger(t, docs);
}

Report Build(int okres, const QDate& selected) {
    Report report;
    if (!DB->RunAction([&] { report = PeriodicReport(LoadPeriodicReport(okres, selected)); }))
        qFatal("Cannot read the periodic report");
    return report;
}

QStringList Csv(const Report& report) {
    QStringList lines;
    for (const QStringList& row : report.table)
        lines << row.join(QLatin1Char(';'));
    return lines;
}

// The first line of the text that starts with `start`.
QString LineStarting(const QString& text, const QString& start) {
    for (const QString& line : text.split(QLatin1Char('\n')))
        if (line.startsWith(start))
            return line;
    return QString();
}

// Words of a page above its footer whose left edge lies between x1 and x2
// (mm from the sheet's edge).
QStringList WordsBetween(const QVector<Word>& words, int page, double x1, double x2) {
    QStringList found;
    for (const Word& w : words)
        if (w.page == page && w.box.left() >= x1 && w.box.left() < x2 && w.box.bottom() < 200)
            found << w.text;
    return found;
}

} // namespace

class PeriodicReportTest : public QObject {
    Q_OBJECT
  private slots:
    void figures_data();
    void figures();
    void slotsOnBothPageSets();
    void tenColumnsOfAKind();
    void longMonthRunsOverPages();
    void commandRefusesWithoutAPeriod();
    void commandShowsTheSelectedPeriod();

  private:
    QString Pdf(const Report& report, const QString& name);
    QTemporaryDir dir_;
};

QString PeriodicReportTest::Pdf(const Report& report, const QString& name) {
    return PdfOf(report, dir_.filePath(name + QStringLiteral(".pdf")));
}

void PeriodicReportTest::figures_data() {
    QTest::addColumn<QStringList>("sql");
    QTest::addColumn<QVector<TestDoc>>("docs");
    QTest::addColumn<int>("okres");
    QTest::addColumn<QStringList>("expected"); // the whole table, as the CSV export writes it

    const QString head = QStringLiteral("Nr poz.;Data;Nr;Dokument;Opis;RK;Suma ogółem;"
                                        "Przychody ogółem;P1;P2;Rozchody ogółem;K1;Stan środków");
    const QStringList carryOvers = {
        QStringLiteral("UPDATE PRZYCHODY SET POCZATEKPRZYCH=100 WHERE ID_PRZYCHODY=2"),
        QStringLiteral("UPDATE KOSZTY SET POCZATEKKOSZT=40 WHERE ID_KOSZTY=2")};
    const QVector<TestDoc> threeMonths = {
        Doc("KP", 30, 2, 1, "2008-10-01"), Doc("KW", 10, 2, 1, "2008-10-02"),
        Doc("KP", 7, 3, 2, "2008-11-03"), Doc("KP", 1, 2, 3, "2008-12-01")};
    QTest::newRow("first period opens with the opening balance")
        << carryOvers << threeMonths << 1
        << QStringList{head,
                       "9;;4;BO;Stan początkowy środków;;500,00;;;;;;500,00",
                       "10;01.10.2008;5;KP 5;Dokument 5;RK 1;30,00;30,00;30,00;;;;530,00",
                       "11;02.10.2008;6;KW 6;Dokument 6;RK 1;10,00;;;;10,00;10,00;520,00",
                       "12;;;W miesiącu:;;;;30,00;30,00;0,00;10,00;10,00;",
                       "13;;;Z przeniesienia:;;;;100,00;100,00;0,00;40,00;40,00;",
                       "14;;;Razem:;;;;130,00;130,00;0,00;50,00;50,00;"};
    QTest::newRow("third period brings forward the carry-overs and both earlier periods")
        << carryOvers << threeMonths << 3
        << QStringList{head, "19;01.12.2008;8;KP 8;Dokument 8;RK 3;1,00;1,00;1,00;;;;528,00",
                       "20;;;W miesiącu:;;;;1,00;1,00;0,00;0,00;0,00;",
                       "21;;;Z przeniesienia:;;;;137,00;130,00;7,00;50,00;50,00;",
                       "22;;;Razem:;;;;138,00;131,00;7,00;50,00;50,00;"};

    TestDoc split = Doc("KP", 30, 2, 1, "2008-10-01");
    split.in2 = 20.05;
    split.rodzajp2 = 3;
    QTest::newRow("split receipt is one line")
        << QStringList() << QVector<TestDoc>{split} << 1
        << QStringList{head,
                       "9;;4;BO;Stan początkowy środków;;500,00;;;;;;500,00",
                       "10;01.10.2008;5;KP 5;Dokument 5;RK 1;50,05;50,05;30,00;20,05;;;550,05",
                       "11;;;W miesiącu:;;;;50,05;30,00;20,05;0,00;0,00;",
                       "12;;;Z przeniesienia:;;;;0,00;0,00;0,00;0,00;0,00;",
                       "13;;;Razem:;;;;50,05;30,00;20,05;0,00;0,00;"};

    // P2 retired: its lines count in the revenues alone, its carry-over nowhere.
    QTest::newRow("retired category")
        << QStringList{"UPDATE PRZYCHODY SET US='1', POCZATEKPRZYCH=5 WHERE ID_PRZYCHODY=3"}
        << QVector<TestDoc>{Doc("KP", 7, 3, 1, "2008-10-01"), Doc("KP", 3, 3, 2, "2008-11-01")} << 2
        << QStringList{"Nr poz.;Data;Nr;Dokument;Opis;RK;Suma ogółem;Przychody ogółem;P1;"
                       "Rozchody ogółem;K1;Stan środków",
                       "14;01.11.2008;6;KP 6;Dokument 6;RK 2;3,00;3,00;;;;510,00",
                       "15;;;W miesiącu:;;;;3,00;0,00;0,00;0,00;",
                       "16;;;Z przeniesienia:;;;;7,00;0,00;0,00;0,00;",
                       "17;;;Razem:;;;;10,00;0,00;0,00;0,00;"};

    TestDoc wb = Doc("WB", 200, 2, 1, "2008-10-01");
    wb.out = 50;
    wb.rodzajk = 2;
    QTest::newRow("bank statement has no RK")
        << QStringList() << QVector<TestDoc>{wb} << 1
        << QStringList{head,
                       "9;;4;BO;Stan początkowy środków;;500,00;;;;;;500,00",
                       "10;01.10.2008;5;WB 5;Dokument 5;;250,00;200,00;200,00;;50,00;50,00;650,00",
                       "11;;;W miesiącu:;;;;200,00;200,00;0,00;50,00;50,00;",
                       "12;;;Z przeniesienia:;;;;0,00;0,00;0,00;0,00;0,00;",
                       "13;;;Razem:;;;;200,00;200,00;0,00;50,00;50,00;"};

    QTest::newRow("active key-1 category takes a column and no amount")
        << QStringList{"UPDATE PRZYCHODY SET US='0', POCZATEKPRZYCH=9 WHERE ID_PRZYCHODY=1"}
        << QVector<TestDoc>{Doc("KP", 4, 1, 1, "2008-10-01"), Doc("KW", 10, 2, 1, "2008-10-02")}
        << 1
        << QStringList{"Nr poz.;Data;Nr;Dokument;Opis;RK;Suma ogółem;Przychody ogółem;"
                       "Bez przychodu;P1;P2;Rozchody ogółem;K1;Stan środków",
                       "9;;4;BO;Stan początkowy środków;;500,00;;;;;;;500,00",
                       "10;01.10.2008;5;KP 5;Dokument 5;RK 1;4,00;4,00;;;;;;504,00",
                       "11;02.10.2008;6;KW 6;Dokument 6;RK 1;10,00;;;;;10,00;10,00;494,00",
                       "12;;;W miesiącu:;;;;4,00;0,00;0,00;0,00;10,00;10,00;",
                       "13;;;Z przeniesienia:;;;;0,00;0,00;0,00;0,00;0,00;0,00;",
                       "14;;;Razem:;;;;4,00;0,00;0,00;0,00;10,00;10,00;"};
}

void PeriodicReportTest::figures() {
    QFETCH(QStringList, sql);
    QFETCH(QVector<TestDoc>, docs);
    QFETCH(int, okres);
    QFETCH(QStringList, expected);
    TestDb t;
    Prepare(t, sql, docs);
    QCOMPARE(Csv(Build(okres, QDate(2008, 10, 1))), expected);
}

void PeriodicReportTest::slotsOnBothPageSets() {
    TestDb t;
    t.Run(
        {QStringLiteral("INSERT INTO PRZYCHODY (NAZWA,POCZATEKPRZYCH,US) VALUES ('Składki',100,0)"),
         QStringLiteral("INSERT INTO PRZYCHODY (NAZWA,POCZATEKPRZYCH,US) VALUES ('Darowizny',0,0)"),
         QStringLiteral("INSERT INTO PRZYCHODY (NAZWA,POCZATEKPRZYCH,US) VALUES ('Kiermasz',0,0)"),
         QStringLiteral("INSERT INTO KOSZTY (NAZWA,POCZATEKKOSZT,US) VALUES ('Nagrody',0,0)"),
         QStringLiteral("INSERT INTO KOSZTY (NAZWA,POCZATEKKOSZT,US) VALUES ('Wycieczki',25,0)"),
         QStringLiteral("UPDATE STANP SET WARTOSC=500, LICZNIKSTART=5, LICZNIKPOZ=38")});
    // The last line is number 40; a cancelled receipt keeps 0 in its category.
    WriteLedger(t, {Doc("KP", 12.5, 2, 1, "2009-02-03"), Doc("KP", 0, 3, 1, "2009-02-04"),
                    Doc("KW", 2, 3, 1, "2009-02-05")});
    const QString pdf = Pdf(Build(1, QDate(2009, 2, 3)), QStringLiteral("slots"));
    const QVector<QSizeF> sizes = PdfText::PageSizes(pdf);
    QCOMPARE(sizes.size(), 2);
    for (const QSizeF& s : sizes)
        QVERIFY(qAbs(s.width() - 279.4) < 0.5 && qAbs(s.height() - 215.9) < 0.5);
    const QVector<Word> words = PdfText::Words(pdf);

    // Revenues, margin 10 mm: slots 1 to 3 bound, 4 to 8 blank in every band.
    const QString revenues = PlainPdfText(pdf, 0);
    QCOMPARE(LineStarting(revenues, QStringLiteral("Raport")),
             QStringLiteral("Raport okresowy za miesiąc: Luty 2009"));
    QVERIFY(revenues.contains(QStringLiteral("\nPrzychody\n")));
    QCOMPARE(LineStarting(revenues, QStringLiteral("37 ")), QStringLiteral("37 4 BO 500,00"));
    QCOMPARE(LineStarting(revenues, QStringLiteral("38 ")),
             QStringLiteral("38 03.02.2009 5 KP 5 RK 1 12,50 12,50 12,50"));
    QCOMPARE(LineStarting(revenues, QStringLiteral("39 ")),
             QStringLiteral("39 04.02.2009 6 KP 6 RK 1 0,00"));
    QCOMPARE(LineStarting(revenues, QStringLiteral("40 ")),
             QStringLiteral("40 05.02.2009 7 KW 7 RK 1 2,00"));
    QCOMPARE(LineStarting(revenues, QStringLiteral("41 ")),
             QStringLiteral("41 W miesiącu: 12,50 12,50 0,00 0,00"));
    QCOMPARE(LineStarting(revenues, QStringLiteral("42 ")),
             QStringLiteral("42 Z przeniesienia: 100,00 100,00 0,00 0,00"));
    QCOMPARE(LineStarting(revenues, QStringLiteral("43 ")),
             QStringLiteral("43 Razem: 112,50 112,50 0,00 0,00"));
    const QStringList names = {"Składki", "Darowizny", "Kiermasz"};
    for (int n = 0; n < names.size(); ++n) {
        const double left = PdfText::Find(words, names[n], 0).first().box.left();
        QVERIFY2(left > 10 + 125 + 17 * n && left < 10 + 142 + 17 * n, qPrintable(names[n]));
    }
    QCOMPARE(WordsBetween(words, 0, 10 + 176, 10 + 261), QStringList());
    QVERIFY(qAbs(PdfText::Find(words, QStringLiteral("Razem:"), 0).first().box.left() - 23) < 1);
    // Titles and dates that start a little right of their column's rule
    // (text keeps half a millimetre from the left of its box).
    auto leftOf = [&](const QString& text, int page, double after) {
        for (const Word& w : PdfText::Find(words, text, page))
            if (w.box.left() > after)
                return w.box.left();
        return -1.0;
    };
    QVERIFY(qAbs(leftOf(QStringLiteral("Data"), 0, 0) - (10 + 12.5)) < 0.4);
    QVERIFY(qAbs(leftOf(QStringLiteral("03.02.2009"), 0, 0) - (10 + 12.5)) < 0.4);
    QVERIFY(qAbs(leftOf(QStringLiteral("Nr"), 0, 10 + 20) - (10 + 31.5)) < 0.4);
    QVERIFY(qAbs(leftOf(QStringLiteral("Stan"), 1, 0) - (5 + 243.5)) < 0.4);

    // Costs, margin 5 mm: revenue slots 9 and 10 blank, cost slots 1 and 2 bound.
    const QString costs = PlainPdfText(pdf, 1);
    QCOMPARE(LineStarting(costs, QStringLiteral("Raport")),
             QStringLiteral("Raport okresowy za miesiąc: Luty 2009"));
    QVERIFY(costs.contains(QStringLiteral("\nRozchody\n")));
    QCOMPARE(LineStarting(costs, QStringLiteral("37 ")), QStringLiteral("37 500,00"));
    QCOMPARE(LineStarting(costs, QStringLiteral("40 ")), QStringLiteral("40 2,00 2,00 510,50"));
    QCOMPARE(LineStarting(costs, QStringLiteral("41 ")), QStringLiteral("41 2,00 0,00 2,00"));
    QCOMPARE(LineStarting(costs, QStringLiteral("42 ")), QStringLiteral("42 25,00 0,00 25,00"));
    QCOMPARE(LineStarting(costs, QStringLiteral("43 ")), QStringLiteral("43 27,00 0,00 27,00"));
    QVERIFY(WordsBetween(words, 1, 5 + 70, 5 + 87).contains(QStringLiteral("Nagrody")));
    QVERIFY(WordsBetween(words, 1, 5 + 87, 5 + 104).contains(QStringLiteral("Wycieczki")));
    QCOMPARE(WordsBetween(words, 1, 5 + 11, 5 + 45), QStringList());
    QCOMPARE(WordsBetween(words, 1, 5 + 104, 5 + 240), QStringList());
    const auto remaining = PdfText::Find(words, QStringLiteral("510,50"), 1);
    QVERIFY(qAbs(remaining.first().box.right() - 270) < 1.5);
    for (int page = 0; page < 2; ++page)
        QVERIFY(PlainPdfText(pdf, page).endsWith(QStringLiteral(" %1 z 2").arg(page + 1)));
}

void PeriodicReportTest::tenColumnsOfAKind() {
    TestDb t;
    AddCategories(t, 12, 11);
    QVector<TestDoc> docs;
    for (int i = 1; i <= 12; ++i)
        docs << Doc("KP", i, i + 1, 1, "2008-10-01");
    for (int i = 1; i <= 11; ++i)
        docs << Doc("KW", i, i + 1, 1, "2008-10-02");
    WriteLedger(t, docs);
    const Report report = Build(1, QDate(2008, 10, 1));

    // The first ten of each kind have a column; the rest count in the totals.
    const QStringList csv = Csv(report);
    QStringList head = {"Nr poz.", "Data", "Nr",          "Dokument",
                        "Opis",    "RK",   "Suma ogółem", "Przychody ogółem"};
    for (int i = 1; i <= 10; ++i)
        head << QStringLiteral("P%1").arg(i);
    head << QStringLiteral("Rozchody ogółem");
    for (int i = 1; i <= 10; ++i)
        head << QStringLiteral("K%1").arg(i);
    head << QStringLiteral("Stan środków");
    QCOMPARE(csv.first(), head.join(QLatin1Char(';')));
    QCOMPARE(
        LineStarting(csv.join(QLatin1Char('\n')), QStringLiteral("25;")),
        QStringLiteral("25;;;W miesiącu:;;;;78,00;1,00;2,00;3,00;4,00;5,00;6,00;7,00;8,00;"
                       "9,00;10,00;66,00;1,00;2,00;3,00;4,00;5,00;6,00;7,00;8,00;9,00;10,00;"));

    const QString pdf = Pdf(report, QStringLiteral("ten"));
    const QVector<Word> words = PdfText::Words(pdf);
    auto pagesOf = [&](const QString& name) {
        QList<int> pages;
        for (const Word& w : words)
            if (w.text == name)
                pages << w.page;
        return pages;
    };
    int costPage = -1;
    for (const Word& w : words)
        if (w.text == QLatin1String("Rozchody") && costPage < 0)
            costPage = w.page;
    QVERIFY(costPage > 0);
    for (int i = 1; i <= 8; ++i)
        QCOMPARE(pagesOf(QStringLiteral("P%1").arg(i)), QList<int>{0});
    for (int i = 9; i <= 10; ++i)
        QCOMPARE(pagesOf(QStringLiteral("P%1").arg(i)), QList<int>{costPage});
    for (int i = 1; i <= 10; ++i)
        QCOMPARE(pagesOf(QStringLiteral("K%1").arg(i)), QList<int>{costPage});
    for (const char* name : {"P11", "P12", "K11"})
        QCOMPARE(pagesOf(QLatin1String(name)), QList<int>());
    QCOMPARE(LineStarting(PlainPdfText(pdf), QStringLiteral("25 ")),
             QStringLiteral("25 W miesiącu: 78,00 1,00 2,00 3,00 4,00 5,00 6,00 7,00 8,00"));
}

void PeriodicReportTest::longMonthRunsOverPages() {
    TestDb t;
    AddCategories(t, 2, 1);
    QVector<TestDoc> docs;
    for (int i = 0; i < 50; ++i)
        docs << Doc(i % 5 == 4 ? "KW" : "KP", 1, 2, 1, "2008-10-01");
    docs << Doc("KP", 1, 2, 2, "2008-11-01");
    WriteLedger(t, docs);
    const QString pdf = Pdf(Build(1, QDate(2008, 10, 1)), QStringLiteral("long"));
    const int pages = PdfText::PageSizes(pdf).size();
    QVERIFY(pages >= 4);

    // Each set lists the opening line and the 50 lines once, in order, over
    // its pages; the column header stands on the first page of a set only.
    QStringList revenueRows, costRows;
    int firstCostPage = -1;
    for (int page = 0; page < pages; ++page) {
        const QString text = PlainPdfText(pdf, page);
        const bool costs = text.contains(QStringLiteral("\nRozchody\n"));
        QVERIFY(costs || text.contains(QStringLiteral("\nPrzychody\n")));
        if (costs && firstCostPage < 0)
            firstCostPage = page;
        QVERIFY(text.startsWith(QStringLiteral("Raport okresowy za miesiąc: Październik 2008")));
        QVERIFY2(text.endsWith(QStringLiteral(" %1 z %2").arg(page + 1).arg(pages)),
                 qPrintable(text));
        QCOMPARE(text.contains(QStringLiteral("ogółem")), page == 0 || page == firstCostPage);
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            const QString first = line.section(QLatin1Char(' '), 0, 0);
            bool number = false;
            first.toInt(&number);
            if (number && !line.contains(QStringLiteral(" z ")))
                (costs ? costRows : revenueRows) << first;
        }
    }
    QVERIFY(firstCostPage >= 2 && firstCostPage <= pages - 2);
    QStringList expected;
    for (int nr = 1; nr <= 54; ++nr) // opening line 1, lines 2 to 51, summary 52 to 54
        expected << QString::number(nr);
    QCOMPARE(revenueRows, expected);
    QCOMPARE(costRows, expected);
}

void PeriodicReportTest::commandRefusesWithoutAPeriod() {
    TestDb t;
    TestWindow w(t);
    QCOMPARE(CatchPreviews([&] { w.main().Raportokresowy1Click(); }), 0);
    QCOMPARE(t.ui().messages.size(), 1);
    QCOMPARE(t.ui().messages[0].caption, QStringLiteral("Błąd"));
    QCOMPARE(t.ui().messages[0].text, QStringLiteral("Brak danych do raportu."));
    QCOMPARE(t.ui().messages[0].icon, MsgIcon::Exclamation);
}

void PeriodicReportTest::commandShowsTheSelectedPeriod() {
    TestDb t;
    Prepare(
        t, {QStringLiteral("INSERT INTO TEMPK (NR,ID,TYP,NAZWA,NAZWAK) VALUES (1,2,'1','X','P1')")},
        {Doc("KP", 30, 2, 1, "2009-01-30"), Doc("KP", 4, 2, 2, "2009-02-03"),
         Doc("KW", 3, 2, 2, "2009-02-04"), Doc("KP", 5, 3, 3, "2009-03-02")});
    TestWindow w(t);
    QVERIFY(w.main().Raportokresowy1->isEnabled());
    QVERIFY(w.main().RaportOkrBut->isEnabled());
    const QString before = LedgerSnapshot(t.db());
    DocView->SetCurrentRow(2);
    const QString pdf = dir_.filePath(QStringLiteral("command.pdf"));
    QCOMPARE(CatchPreviews([&] { w.main().Raportokresowy1Click(); }, pdf), 1);
    QVERIFY(t.ui().messages.isEmpty());

    const QString text = PlainPdfText(pdf, 0);
    QCOMPARE(LineStarting(text, QStringLiteral("Raport")),
             QStringLiteral("Raport okresowy za miesiąc: Luty 2009"));
    QCOMPARE(LineStarting(text, QStringLiteral("14 ")),
             QStringLiteral("14 03.02.2009 6 KP 6 RK 2 4,00 4,00 4,00"));
    QCOMPARE(LineStarting(text, QStringLiteral("15 ")),
             QStringLiteral("15 04.02.2009 7 KW 7 RK 2 3,00"));
    QCOMPARE(LineStarting(text, QStringLiteral("17 ")),
             QStringLiteral("17 Z przeniesienia: 30,00 30,00 0,00"));
    QVERIFY(!text.contains(QStringLiteral("BO")));
    QVERIFY(!text.contains(QStringLiteral("Dokument 8")));

    // Nothing is created, dropped or written in the shared database.
    QCOMPARE(LedgerSnapshot(t.db()), before);
    QCOMPARE(t.Value(QStringLiteral("SELECT COUNT(*) FROM RDB$RELATIONS WHERE "
                                    "RDB$RELATION_NAME IN ('TEMP','TEMPS')"))
                 .toInt(),
             0);
    QCOMPARE(t.Value(QStringLiteral("SELECT NAZWA FROM TEMPK")).toString(), QStringLiteral("X"));
    QCOMPARE(DocView->CurrentRow(), DocView->Qglowna->rowCount() - 1);
}

QTEST_MAIN(PeriodicReportTest)
#include "periodicreport_test.moc"
