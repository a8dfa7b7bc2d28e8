#include "engine/base/data_folder.h"
#include "engine/net/result_files.h"

#include <QTest>

Q_DECLARE_METATYPE(Modality)

class ResultFilesTest : public QObject
{
    Q_OBJECT
private slots:
    void namesFollowTheModalityCode_data();
    void namesFollowTheModalityCode();
    void drawLinesOfEachModality_data();
    void drawLinesOfEachModality();
    void bodyLosesOnlyItsLineEnd_data();
    void bodyLosesOnlyItsLineEnd();
};

void ResultFilesTest::namesFollowTheModalityCode_data()
{
    QTest::addColumn<Modality>("modality");
    QTest::addColumn<int>("contest");
    QTest::addColumn<QString>("site");
    QTest::addColumn<QString>("cache");
    QTest::addColumn<QString>("address");
    QTest::newRow("mega-sena") << Modality::MegaSena << 1234 << "http://r.lan"
                               << "Quirva_Results/MS_1234.txt"
                               << "http://r.lan/results/MS_1234.txt";
    QTest::newRow("lotomania, site with a path and a slash")
        << Modality::Lotomania << 7 << " http://r.lan/loterias/ "
        << "Quirva_Results/LM_7.txt"
        << "http://r.lan/loterias/results/LM_7.txt";
    QTest::newRow("quina") << Modality::Quina << 10 << "http://r.lan"
                           << "Quirva_Results/QI_10.txt"
                           << "http://r.lan/results/QI_10.txt";
    QTest::newRow("dupla-sena") << Modality::DuplaSena << 1 << "http://r.lan"
                                << "Quirva_Results/DS_1.txt"
                                << "http://r.lan/results/DS_1.txt";
    QTest::newRow("lotofacil") << Modality::Lotofacil << 99 << "http://r.lan"
                               << "Quirva_Results/LF_99.txt"
                               << "http://r.lan/results/LF_99.txt";
}

void ResultFilesTest::namesFollowTheModalityCode()
{
    QFETCH(Modality, modality);
    QFETCH(int, contest);
    QFETCH(QString, site);
    QFETCH(QString, cache);
    QFETCH(QString, address);
    QCOMPARE(ResultFiles::cachePath(modality, contest), DataFolder::path() + u'/' + cache);
    QCOMPARE(ResultFiles::resultAddress(site, modality, contest), address);
}

void ResultFilesTest::drawLinesOfEachModality_data()
{
    QTest::addColumn<Modality>("modality");
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("valid");
    QTest::newRow("mega-sena") << Modality::MegaSena << " 04 08 15 16 23 42" << true;
    QTest::newRow("mega-sena, other separator")
        << Modality::MegaSena << " 04-08-15-16-23-42" << true;
    QTest::newRow("mega-sena, 61") << Modality::MegaSena << " 04 08 15 16 23 61" << false;
    QTest::newRow("mega-sena, 00") << Modality::MegaSena << " 00 08 15 16 23 42" << false;
    QTest::newRow("mega-sena, seven numbers")
        << Modality::MegaSena << " 04 08 15 16 23 42 43" << false;
    QTest::newRow("mega-sena, trimmed") << Modality::MegaSena << "04 08 15 16 23 42" << false;
    QTest::newRow("mega-sena, repeated") << Modality::MegaSena << " 04 04 15 16 23 42" << false;
    QTest::newRow("mega-sena, tab inside") << Modality::MegaSena << " 04\t08 15 16 23 42" << false;
    QTest::newRow("quina") << Modality::Quina << " 11 22 33 44 80" << true;
    QTest::newRow("quina, 81") << Modality::Quina << " 11 22 33 44 81" << false;
    QTest::newRow("lotofacil") << Modality::Lotofacil
                               << " 01 02 03 04 05 06 07 08 09 10 11 12 13 14 25" << true;
    QTest::newRow("lotomania with 00")
        << Modality::Lotomania << " 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18 19 00"
        << true;
    QTest::newRow("dupla-sena, 51") << Modality::DuplaSena << " 01 02 03 04 05 51" << false;
    QTest::newRow("outros has no results") << Modality::Outros << " 01 02 03" << false;
}

void ResultFilesTest::drawLinesOfEachModality()
{
    QFETCH(Modality, modality);
    QFETCH(QString, line);
    QFETCH(bool, valid);
    QCOMPARE(ResultFiles::isDrawLine(line, modality), valid);
}

void ResultFilesTest::bodyLosesOnlyItsLineEnd_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("draw"); // empty: no result
    QTest::newRow("plain") << QByteArray(" 04 08 15 16 23 42") << " 04 08 15 16 23 42";
    QTest::newRow("CR LF") << QByteArray(" 04 08 15 16 23 42\r\n") << " 04 08 15 16 23 42";
    QTest::newRow("LF and blanks") << QByteArray(" 04 08 15 16 23 42  \n") << " 04 08 15 16 23 42";
    QTest::newRow("erro") << QByteArray("erro") << "";
    QTest::newRow("erro with line end") << QByteArray("erro\r\n") << "";
    QTest::newRow("second line") << QByteArray(" 04 08 15 16 23 42\r\n 04 08 15 16 23 42\r\n")
                                 << "";
    QTest::newRow("NUL inside") << QByteArray(" 04 08 15\0 16 23 42", 19) << "";
}

void ResultFilesTest::bodyLosesOnlyItsLineEnd()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, draw);
    QCOMPARE(ResultFiles::drawFromBody(body, Modality::MegaSena).value_or(QString()), draw);
}

QTEST_MAIN(ResultFilesTest)
#include "result_files_test.moc"
