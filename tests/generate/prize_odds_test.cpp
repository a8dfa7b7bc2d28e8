#include "engine/generate/combination_count.h"
#include "engine/generate/prize_odds.h"

#include <QTest>

class PrizeOddsTest : public QObject
{
    Q_OBJECT
private slots:
    void oddsFieldShows_data();
    void oddsFieldShows();
    void factorialOfNegativeIsZero();
    void progressMaximumFitsOr0_data();
    void progressMaximumFitsOr0();
};

void PrizeOddsTest::oddsFieldShows_data()
{
    QTest::addColumn<int>("T");
    QTest::addColumn<int>("K");
    QTest::addColumn<int>("D");
    QTest::addColumn<int>("G");
    QTest::addColumn<QString>("shown");
    const QString unable = QStringLiteral("Incapaz de Calcular a Probabilidade");
    QTest::newRow("lotomania defaults") << 60 << 50 << 20 << 17 << "3";
    QTest::newRow("lotofacil defaults") << 22 << 15 << 15 << 11 << "3";
    QTest::newRow("megasena defaults") << 12 << 6 << 6 << 3 << "2";
    QTest::newRow("duplasena defaults") << 20 << 6 << 6 << 3 << "5";
    QTest::newRow("quina defaults") << 15 << 5 << 5 << 3 << "6";
    QTest::newRow("megasena six") << 60 << 6 << 6 << 6 << "50063860";
    QTest::newRow("megasena five") << 60 << 6 << 6 << 5 << "154518";
    QTest::newRow("megasena four") << 60 << 6 << 6 << 4 << "2332";
    QTest::newRow("lotofacil fifteen") << 25 << 15 << 15 << 15 << "3268760";
    QTest::newRow("hundred fifty twenty") << 100 << 50 << 20 << 20 << "11372635";
    QTest::newRow("quina five of eighty") << 80 << 5 << 5 << 5 << "24040016";
    QTest::newRow("duplasena six of fifty") << 50 << 6 << 6 << 6 << "15890700";
    QTest::newRow("outros D above K") << 30 << 5 << 6 << 3 << unable;
    QTest::newRow("outros K-G equals T-D") << 10 << 8 << 3 << 1 << "15";
    QTest::newRow("outros K-G exceeds T-D") << 10 << 8 << 3 << 0 << unable;
    QTest::newRow("K not below T") << 10 << 10 << 5 << 5 << unable;
    QTest::newRow("D below G") << 30 << 6 << 3 << 4 << unable;
    QTest::newRow("truncated not rounded 3.87") << 20 << 7 << 6 << 3 << "3";
    // One ticket of 50 out of 100 with all 50 drawn: C(100,50) ~ 1.0089e29, scientific.
    QTest::newRow("scientific above 1e15") << 100 << 50 << 50 << 50 << "1.00891344545564E";
}

void PrizeOddsTest::oddsFieldShows()
{
    QFETCH(int, T);
    QFETCH(int, K);
    QFETCH(int, D);
    QFETCH(int, G);
    QFETCH(QString, shown);
    const QString text = PrizeOdds::text(T, K, D, G);
    if (shown.endsWith(u'E')) // scientific: the 15 significant digits, then the exponent 29
        QVERIFY2(text.startsWith(shown) && text.endsWith(QStringLiteral("29")), qPrintable(text));
    else
        QCOMPARE(text, shown);
}

void PrizeOddsTest::factorialOfNegativeIsZero()
{
    QCOMPARE(PrizeOdds::Factorial(-1), 0.0L);
    QCOMPARE(PrizeOdds::Factorial(0), 1.0L);
    QCOMPARE(PrizeOdds::Factorial(20), 2432902008176640000.0L);
}

void PrizeOddsTest::progressMaximumFitsOr0_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("maximum");
    QTest::newRow("8 choose 6") << 8 << 6 << 28;
    QTest::newRow("7 choose 4") << 7 << 4 << 35;
    QTest::newRow("lotofacil") << 25 << 15 << 3268760;
    QTest::newRow("margin lotofacil") << 22 << 15 << 170544;
    QTest::newRow("megasena 60 choose 6") << 60 << 6 << 50063860;
    QTest::newRow("50 choose 6") << 50 << 6 << 15890700;
    QTest::newRow("lotomania 100 choose 4") << 100 << 4 << 3921225;
    QTest::newRow("beyond 32 bits") << 60 << 20 << 0;
    QTest::newRow("astronomic") << 100 << 50 << 0;
}

void PrizeOddsTest::progressMaximumFitsOr0()
{
    QFETCH(int, n);
    QFETCH(int, k);
    QFETCH(int, maximum);
    QCOMPARE(Combinations::progressMaximum(n, k), maximum);
}

QTEST_GUILESS_MAIN(PrizeOddsTest)
#include "prize_odds_test.moc"
