// The amount of a voucher in Polish words.
#include "data/db.h"

#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <stdexcept>

class WordsTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void wordTable();
    void amountInWords_data();
    void amountInWords();
    void refusedAmounts_data();
    void refusedAmounts();

  private:
    QTemporaryDir dir_;
    std::unique_ptr<TDB> db_;
};

void WordsTest::initTestCase() {
    db_ = std::make_unique<TDB>(dir_.path());
}

void WordsTest::wordTable() {
    const QStringList& w = db_->NumberWords;
    QCOMPARE(w.size(), 70);
    QCOMPARE(w[0], QString());
    QCOMPARE(w[19], QStringLiteral("dziewiętnaście"));
    QCOMPARE(w[21], QStringLiteral("dziesięć"));
    QCOMPARE(w[25], QStringLiteral("pięćdziesiąt"));
    QCOMPARE(w[39], QStringLiteral("dziewięćset"));
    QCOMPARE(w[40], QStringLiteral("tysięcy"));
    QCOMPARE(w[44], QStringLiteral("tysiące"));
    QCOMPARE(w[51], QStringLiteral("złotych"));
    QCOMPARE(w[52], QStringLiteral("złote"));
    QCOMPARE(w[62], QStringLiteral("grosze"));
    QCOMPARE(w[69], QStringLiteral("groszy"));
}

void WordsTest::amountInWords_data() {
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("words");
    // Two blanks follow "zero złotych" whatever comes after it.
    QTest::newRow("0") << 0.0 << "zero złotych  zero groszy";
    QTest::newRow("0.01") << 0.01 << "zero złotych  jeden grosz";
    QTest::newRow("0.5") << 0.5 << "zero złotych  pięćdziesiąt groszy";
    QTest::newRow("1") << 1.0 << "jeden złoty zero groszy";
    QTest::newRow("1.01") << 1.01 << "jeden złoty jeden grosz";
    QTest::newRow("2.02") << 2.02 << "dwa złote dwa grosze";
    QTest::newRow("5.05") << 5.05 << "pięć złotych pięć groszy";
    QTest::newRow("12.12") << 12.12 << "dwanaście złotych dwanaście groszy";
    QTest::newRow("12.345 cut, not rounded")
        << 12.345 << "dwanaście złotych trzydzieści cztery grosze";
    QTest::newRow("21.22") << 21.22 << "dwadzieścia jeden złotych dwadzieścia dwa grosze";
    QTest::newRow("112") << 112.0 << "sto dwanaście złotych zero groszy";
    QTest::newRow("1001") << 1001.0 << "jeden tysiąc jeden złotych zero groszy";
    QTest::newRow("1002") << 1002.0 << "jeden tysiąc dwa złote zero groszy";
    QTest::newRow("1012.15") << 1012.15 << "jeden tysiąc dwanaście złotych piętnaście groszy";
    QTest::newRow("22222.22") << 22222.22
                              << "dwadzieścia dwa tysiące dwieście dwadzieścia dwa złote "
                                 "dwadzieścia dwa grosze";
    QTest::newRow("112000") << 112000.0 << "sto dwanaście tysięcy złotych zero groszy";
    QTest::newRow("21000") << 21000.0 << "dwadzieścia jeden tysięcy złotych zero groszy";
    QTest::newRow("999999.99")
        << 999999.99
        << "dziewięćset dziewięćdziesiąt dziewięć tysięcy dziewięćset "
           "dziewięćdziesiąt dziewięć złotych dziewięćdziesiąt dziewięć groszy";
    QTest::newRow("1000000") << 1000000.0 << "jeden milion złotych zero groszy";
    QTest::newRow("2000001.02") << 2000001.02 << "dwa miliony jeden złotych dwa grosze";
    QTest::newRow("5001000") << 5001000.0 << "pięć milionów jeden tysiąc złotych zero groszy";
    QTest::newRow("12345678.9") << 12345678.9
                                << "dwanaście milionów trzysta czterdzieści pięć tysięcy sześćset "
                                   "siedemdziesiąt osiem złotych dziewięćdziesiąt groszy";
    QTest::newRow("22000000") << 22000000.0 << "dwadzieścia dwa miliony złotych zero groszy";
    QTest::newRow("101000000") << 101000000.0 << "sto jeden milionów złotych zero groszy";
    QTest::newRow("999999999.99")
        << 999999999.99
        << "dziewięćset dziewięćdziesiąt dziewięć milionów dziewięćset dziewięćdziesiąt dziewięć "
           "tysięcy dziewięćset dziewięćdziesiąt dziewięć złotych dziewięćdziesiąt dziewięć groszy";
    QTest::newRow("3000000000") << 3000000000.0 << "trzy miliardy złotych zero groszy";
}

void WordsTest::amountInWords() {
    QFETCH(double, amount);
    QFETCH(QString, words);
    QCOMPARE(db_->AmountInWords(amount), words);
}

void WordsTest::refusedAmounts_data() {
    QTest::addColumn<double>("amount");
    QTest::newRow("negative") << -5.0;
    QTest::newRow("a billion billions") << 1e18;
}

void WordsTest::refusedAmounts() {
    QFETCH(double, amount);
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, db_->AmountInWords(amount));
}

QTEST_GUILESS_MAIN(WordsTest)
#include "words_test.moc"
