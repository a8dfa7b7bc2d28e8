#include "engine/base/conversion.h"
#include "engine/bet/parameters.h"

#include <QTest>

Q_DECLARE_METATYPE(Modality)

class ParametersTest : public QObject
{
    Q_OBJECT
private slots:
    void normalises_data();
    void normalises();
    void simulatedDrawSizeStaysBetweenFAndD_data();
    void simulatedDrawSizeStaysBetweenFAndD();
    void nonIntegerStopsAtTheStepThatReadsIt();
    void leavingUFollowsT_data();
    void leavingUFollowsT();
    void typedResultMaskHasOneGroupPerDrawnNumber();
};

namespace {
// T, K, F, D, G, C, U
ParameterFields fields(const QStringList& v)
{
    return { v[0], v[1], v[2], v[3], v[4], v[5], v[6], QStringLiteral("20") };
}
QStringList values(const ParameterFields& f)
{
    return { f.T, f.K, f.F, f.D, f.G, f.C, f.U };
}
} // namespace

void ParametersTest::normalises_data()
{
    QTest::addColumn<Modality>("modality");
    QTest::addColumn<QStringList>("typed"); // T, K, F, D, G, C, U
    QTest::addColumn<QStringList>("expected");
    auto row = [](const char* name, Modality m, QStringList in, QStringList out) {
        QTest::newRow(name) << m << in << out;
    };
    row("lotomania raises T, forces K", Modality::Lotomania,
        { "40", "45", "0", "20", "17", "20", "100" }, { "51", "50", "0", "20", "17", "20", "100" });
    row("lotofacil bounds", Modality::Lotofacil, { "10", "12", "0", "15", "11", "15", "25" },
        { "16", "15", "0", "15", "11", "15", "25" });
    row("lotofacil T above U", Modality::Lotofacil, { "30", "15", "0", "15", "11", "15", "25" },
        { "25", "15", "0", "15", "11", "15", "25" });
    row("megasena caps K", Modality::MegaSena, { "20", "20", "0", "6", "3", "6", "60" },
        { "20", "15", "0", "6", "3", "6", "60" });
    row("megasena raises T", Modality::MegaSena, { "6", "6", "0", "6", "3", "6", "60" },
        { "7", "6", "0", "6", "3", "6", "60" });
    row("quina bounds K", Modality::Quina, { "15", "9", "0", "5", "3", "5", "80" },
        { "15", "7", "0", "5", "3", "5", "80" });
    row("outros T capped at 100", Modality::Outros, { "150", "10", "0", "5", "3", "5", "100" },
        { "100", "10", "0", "5", "3", "5", "100" });
    row("outros T at least 2", Modality::Outros, { "1", "1", "0", "1", "1", "1", "100" },
        { "2", "1", "0", "1", "1", "1", "100" });
    row("K equal to T", Modality::Outros, { "10", "10", "0", "5", "3", "5", "100" },
        { "10", "9", "0", "5", "3", "5", "100" });
    row("K zero", Modality::Outros, { "10", "0", "0", "5", "3", "5", "100" },
        { "10", "1", "0", "5", "3", "5", "100" });
    row("outros D may exceed K not T", Modality::Outros,
        { "10", "3", "0", "12", "11", "12", "100" }, { "10", "3", "0", "10", "10", "10", "100" });
    row("fixed lottery D never above K", Modality::DuplaSena,
        { "20", "6", "0", "9", "3", "6", "50" }, { "20", "6", "0", "6", "3", "6", "50" });
    row("C above D", Modality::Lotomania, { "60", "50", "0", "20", "17", "30", "100" },
        { "60", "50", "0", "20", "17", "20", "100" });
    row("C below G", Modality::Lotomania, { "60", "50", "0", "20", "18", "15", "100" },
        { "60", "50", "0", "20", "18", "18", "100" });
    row("F below C", Modality::Lotomania, { "60", "50", "25", "20", "17", "20", "100" },
        { "60", "50", "19", "20", "17", "20", "100" });
    row("F negative", Modality::Lotomania, { "60", "50", "-3", "20", "17", "20", "100" },
        { "60", "50", "0", "20", "17", "20", "100" });
    row("G negative", Modality::Outros, { "10", "5", "0", "5", "-2", "3", "100" },
        { "10", "5", "0", "5", "0", "3", "100" });
    row("C zero forces F zero", Modality::Outros, { "10", "5", "3", "5", "0", "0", "100" },
        { "10", "5", "0", "5", "0", "0", "100" });
}

void ParametersTest::normalises()
{
    QFETCH(Modality, modality);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, expected);
    ParameterFields f = fields(typed);
    normaliseParameters(f, modality);
    QCOMPARE(values(f), expected);
}

void ParametersTest::simulatedDrawSizeStaysBetweenFAndD_data()
{
    QTest::addColumn<QString>("S");
    QTest::addColumn<QString>("F");
    QTest::addColumn<QString>("D");
    QTest::addColumn<QString>("expected");
    QTest::newRow("above D") << "20"
                             << "0"
                             << "6"
                             << "6";
    QTest::newRow("below F") << "2"
                             << "4"
                             << "6"
                             << "4";
    QTest::newRow("inside") << "5"
                            << "1"
                            << "6"
                            << "5";
}

void ParametersTest::simulatedDrawSizeStaysBetweenFAndD()
{
    QFETCH(QString, S);
    QFETCH(QString, F);
    QFETCH(QString, D);
    QFETCH(QString, expected);
    ParameterFields f { "60", "50", F, D, "3", D, "100", S };
    clampSimulatedDrawSize(f);
    QCOMPARE(f.S, expected);
}

void ParametersTest::nonIntegerStopsAtTheStepThatReadsIt()
{
    // K is rewritten before G is read; the error names G's text and K keeps its new text.
    ParameterFields f { "10", "10", "0", "5", "abc", "5", "100", "5" };
    try {
        normaliseParameters(f, Modality::Outros);
        QFAIL("no conversion error");
    } catch (const ConversionError& e) {
        QCOMPARE(e.message(), QString("'abc' is not a valid integer value"));
    }
    QCOMPARE(f.K, QString("9"));
}

void ParametersTest::leavingUFollowsT_data()
{
    QTest::addColumn<QString>("U");
    QTest::addColumn<QString>("T");
    QTest::addColumn<QString>("expectedU");
    QTest::addColumn<QString>("expectedT");
    QTest::newRow("U above T raises T") << "80"
                                        << "30"
                                        << "80"
                                        << "80";
    QTest::newRow("U below T leaves T to the normalisation") << "30"
                                                             << "60"
                                                             << "30"
                                                             << "60";
    QTest::newRow("U above 100") << "150"
                                 << "60"
                                 << "100"
                                 << "150";
    QTest::newRow("U below 2 is bounded") << "1"
                                          << "60"
                                          << "2"
                                          << "60";
}

void ParametersTest::leavingUFollowsT()
{
    QFETCH(QString, U);
    QFETCH(QString, T);
    QFETCH(QString, expectedU);
    QFETCH(QString, expectedT);
    ParameterFields f { T, "5", "0", "5", "3", "5", U, "5" };
    leaveHighestNumber(f);
    QCOMPARE(f.U, expectedU);
    QCOMPARE(f.T, expectedT);
}

void ParametersTest::typedResultMaskHasOneGroupPerDrawnNumber()
{
    QCOMPARE(typedResultMask(6), QString("99 99 99 99 99 99;1;_"));
    QCOMPARE(typedResultMask(1), QString("99;1;_"));
}

QTEST_APPLESS_MAIN(ParametersTest)
#include "parameters_test.moc"
