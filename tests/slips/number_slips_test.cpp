#include "engine/generate/line_store.h"
#include "slips/rel_duplasena.h"
#include "slips/rel_lotofacil.h"
#include "slips/rel_lotomania.h"
#include "slips/rel_megasena.h"
#include "slips/rel_quina.h"
#include "slips/report_engine.h"

#include <QTest>
#include <memory>

namespace {

using Points = QList<QPoint>; // layout units of band 0 (or band n, see BandPoint)

std::unique_ptr<NumberSlip> makeSlip(
    const QString& kind, const LineStore& lines, const PrintSettings& settings)
{
    if (kind == "MS") return std::make_unique<RelMegasena>(lines, settings);
    if (kind == "DS") return std::make_unique<RelDuplasena>(lines, settings);
    if (kind == "QI") return std::make_unique<RelQuina>(lines, settings);
    if (kind == "LF") return std::make_unique<RelLotofacil>(lines, settings);
    return std::make_unique<RelLotomania>(lines, settings);
}

// The pixel at a band's unit position (96 dots per inch: one unit is one pixel).
struct Rendered {
    ReportLayout layout;
    std::vector<QImage> pages;

    explicit Rendered(SlipReport& report)
        : layout(ReportEngine::layout(report))
    {
        for (int p = 0; p < layout.pageCount; ++p)
            pages.push_back(ReportEngine::renderPage(layout, p));
    }
    QPoint origin(int band) const
    {
        const PlacedBand& b = layout.bands[std::size_t(band)];
        return QPoint(qRound(b.leftMm * 96 / 25.4), qRound(b.topMm * 96 / 25.4));
    }
    // The middle of a box whose top-left corner is `topLeft`; boxes are at least 14 x 9.
    bool black(int band, QPoint topLeft) const
    {
        const QPoint p = origin(band) + topLeft + QPoint(5, 4);
        return qGray(pages[std::size_t(layout.bands[std::size_t(band)].page)].pixel(p)) < 64;
    }
    // Whether anything dark is drawn inside a box (labels, dotted lines).
    bool inked(int band, const QRect& box) const
    {
        const QImage& page = pages[std::size_t(layout.bands[std::size_t(band)].page)];
        const QRect r = box.translated(origin(band)).intersected(page.rect());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (qGray(page.pixel(x, y)) < 128) return true;
        return false;
    }
    const ReportLabel* label(int band, const QRect& box) const
    {
        for (const ReportLabel& l : layout.bands[std::size_t(band)].band.labels())
            if (l.rect == box) return &l;
        return nullptr;
    }
};

QString ticket(std::initializer_list<int> numbers)
{
    QString line;
    for (int n : numbers)
        line += QLatin1Char(' ') + QString::asprintf("%02d", n % 100);
    return line;
}

QString run(int from, int count)
{
    QString line;
    for (int n = from; n < from + count; ++n)
        line += QLatin1Char(' ') + QString::asprintf("%02d", n % 100);
    return line;
}

} // namespace

class NumberSlipsTest : public QObject
{
    Q_OBJECT
private slots:
    void marksTheBoxesOfEachBet_data();
    void marksTheBoxesOfEachBet();
    void slipsAndTheirLabels_data();
    void slipsAndTheirLabels();
    void plainPaperCarriesTheWholeImage_data();
    void plainPaperCarriesTheWholeImage();
    void officialSlipPrintsOnlyWhatTheSlipLacks_data();
    void officialSlipPrintsOnlyWhatTheSlipLacks();
    void lotomaniaSplitsTheBetText();
    void numbersOutsideTheGridAreNotMarked();
    void aLaterSlipKeepsNoEarlierMark();
};

void NumberSlipsTest::marksTheBoxesOfEachBet_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("teimosinha");
    QTest::addColumn<bool>("mirror");
    QTest::addColumn<Points>("marked");
    QTest::addColumn<Points>("clear");

    QTest::newRow("megasena first ticket, count 6")
        << "MS" << QStringList { ticket({ 1, 2, 3, 4, 5, 6 }) } << "1" << false
        << Points { { 42, 84 }, { 67, 84 }, { 90, 84 }, { 115, 84 }, { 138, 84 }, { 162, 84 },
               { 42, 364 } }
        << Points { { 186, 84 }, { 42, 96 }, { 42, 176 }, { 42, 268 }, { 67, 364 }, { 42, 430 },
               { 90, 430 }, { 138, 430 } };
    QTest::newRow("megasena 60 on each panel")
        << "MS"
        << QStringList { ticket({ 1, 2, 3, 4, 5, 60 }), ticket({ 7, 8, 9, 10, 11, 60 }),
               ticket({ 12, 13, 14, 15, 16, 60 }) }
        << "1" << false << Points { { 260, 144 }, { 260, 236 }, { 260, 328 }, { 260, 176 } }
        << Points { { 235, 144 }, { 260, 132 } };
    QTest::newRow("megasena fifteen numbers, teimosinha 8")
        << "MS" << QStringList { run(1, 15) } << "8" << false
        << Points { { 260, 364 }, { 138, 430 }, { 115, 96 } }
        << Points { { 42, 364 }, { 42, 430 }, { 90, 430 } };
    QTest::newRow("lotomania 100 and 71, mirror, teimosinha 4")
        << "LM" << QStringList { run(51, 50) } << "4" << true
        << Points { { 257, 287 }, { 41, 250 }, { 41, 419 }, { 257, 419 } }
        << Points { { 257, 122 }, { 233, 419 }, { 281, 419 } };
    QTest::newRow("lotomania 10 without mirror")
        << "LM" << QStringList { run(1, 50) } << "1" << false
        << Points { { 257, 122 }, { 41, 195 } } << Points { { 257, 287 }, { 41, 419 } };
    QTest::newRow("lotofacil 01 and 25 down the columns from the right")
        << "LF" << QStringList { run(1, 15), run(11, 15) } << "4" << false
        << Points { { 234, 87 }, { 234, 172 }, { 137, 172 }, { 40, 291 }, { 137, 206 },
               { 88, 366 } }
        << Points { { 40, 172 }, { 234, 206 }, { 39, 366 } };
    QTest::newRow("duplasena ten numbers, 50")
        << "DS" << QStringList { ticket({ 1, 2, 3, 4, 5, 6, 7, 8, 9, 50 }) } << "2" << false
        << Points { { 138, 364 }, { 260, 141 }, { 42, 93 }, { 42, 427 } }
        << Points { { 42, 364 }, { 42, 182 }, { 90, 427 } };
    QTest::newRow("quina seven numbers, teimosinha 12")
        << "QI"
        << QStringList { ticket({ 1, 2, 3, 4, 5, 6, 80 }), ticket({ 71, 2, 3, 4, 5, 6, 7 }) }
        << "12" << false << Points { { 90, 341 }, { 162, 413 }, { 260, 180 }, { 42, 301 } }
        << Points { { 42, 341 }, { 67, 413 }, { 115, 413 }, { 260, 301 } };
    QTest::newRow("quina five numbers, teimosinha 3")
        << "QI" << QStringList { ticket({ 1, 2, 3, 4, 5 }) } << "3" << false
        << Points { { 42, 341 }, { 67, 413 } } << Points { { 67, 341 }, { 42, 217 } };
}

void NumberSlipsTest::marksTheBoxesOfEachBet()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, lines);
    QFETCH(QString, teimosinha);
    QFETCH(bool, mirror);
    QFETCH(Points, marked);
    QFETCH(Points, clear);
    LineStore store;
    store.setLines(lines);
    PrintSettings settings;
    settings.teimosinha = teimosinha;
    settings.mirrorBet = mirror;
    auto slip = makeSlip(kind, store, settings);
    const Rendered pages(*slip);
    for (const QPoint& p : marked)
        QVERIFY2(pages.black(0, p), qPrintable(QString("%1,%2 clear").arg(p.x()).arg(p.y())));
    for (const QPoint& p : clear)
        QVERIFY2(!pages.black(0, p), qPrintable(QString("%1,%2 marked").arg(p.x()).arg(p.y())));
}

void NumberSlipsTest::slipsAndTheirLabels_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<QRect>("betNumbersBox");
    QTest::addColumn<QStringList>("betNumbers"); // one per slip
    QTest::addColumn<QList<QRect>>("betTextBoxes");
    QTest::addColumn<QList<int>>("lastSlipLines"); // line index per bet text label, -1 empty

    const QList<QRect> ms { { 4, 473, 299, 15 }, { 4, 489, 299, 15 }, { 4, 505, 299, 15 } };
    const QList<QRect> ds { { 4, 469, 299, 17 }, { 4, 487, 299, 17 }, { 4, 505, 299, 17 } };
    QTest::newRow("megasena one line") << "MS" << 1 << QRect(20, 30, 283, 15) << QStringList { "1" }
                                       << ms << QList<int> { 0, -1, -1 };
    QTest::newRow("megasena four lines")
        << "MS" << 4 << QRect(20, 30, 283, 15) << QStringList { "1 , 2 e 3", "4" } << ms
        << QList<int> { 3, -1, -1 };
    QTest::newRow("megasena five lines")
        << "MS" << 5 << QRect(20, 30, 283, 15) << QStringList { "1 , 2 e 3", "4 e 5" } << ms
        << QList<int> { 3, 4, -1 };
    QTest::newRow("megasena seven lines")
        << "MS" << 7 << QRect(20, 30, 283, 15) << QStringList { "1 , 2 e 3", "4 , 5 e 6", "7" }
        << ms << QList<int> { 6, -1, -1 };
    QTest::newRow("duplasena five lines")
        << "DS" << 5 << QRect(16, 30, 287, 15) << QStringList { "1 , 2 e 3", "4 e 5" } << ds
        << QList<int> { 3, 4, -1 };
    QTest::newRow("lotofacil three lines")
        << "LF" << 3 << QRect(8, 28, 295, 15) << QStringList { "1 e 2", "3" }
        << QList<QRect> { { 6, 485, 297, 15 }, { 6, 503, 297, 15 } } << QList<int> { 2, -1 };
    QTest::newRow("quina three lines")
        << "QI" << 3 << QRect(20, 30, 283, 15) << QStringList { "1 e 2", "3" }
        << QList<QRect> { { 4, 486, 299, 15 }, { 4, 503, 299, 15 } } << QList<int> { 2, -1 };
    QTest::newRow("lotomania three lines")
        << "LM" << 3 << QRect(12, 30, 291, 19) << QStringList { "1", "2", "3" } << QList<QRect> {}
        << QList<int> {};
}

void NumberSlipsTest::slipsAndTheirLabels()
{
    QFETCH(QString, kind);
    QFETCH(int, lineCount);
    QFETCH(QRect, betNumbersBox);
    QFETCH(QStringList, betNumbers);
    QFETCH(QList<QRect>, betTextBoxes);
    QFETCH(QList<int>, lastSlipLines);
    const int size = kind == "LM" ? 50 : kind == "LF" ? 15 : kind == "QI" ? 5 : 6;
    QStringList lines;
    for (int i = 0; i < lineCount; ++i)
        lines << run(i + 1, size);
    LineStore store;
    store.setLines(lines);
    PrintSettings settings;
    settings.identification = "JOGO DO ESCRITORIO";
    auto slip = makeSlip(kind, store, settings);
    const ReportLayout layout = ReportEngine::layout(*slip);
    QCOMPARE(int(layout.bands.size()), betNumbers.size());
    for (int s = 0; s < betNumbers.size(); ++s) {
        const ReportBand& band = layout.bands[std::size_t(s)].band;
        auto find = [&](const QRect& box) -> const ReportLabel* {
            for (const ReportLabel& l : band.labels())
                if (l.rect == box) return &l;
            return nullptr;
        };
        QVERIFY(find(betNumbersBox));
        QCOMPARE(find(betNumbersBox)->caption, betNumbers[s]);
        bool identified = false, product = false;
        for (const ReportLabel& l : band.labels()) {
            identified |= l.caption == "JOGO DO ESCRITORIO";
            product |= l.caption == "Gerado pelo QUIRVA";
        }
        QVERIFY(identified && product);
    }
    const ReportBand& last = layout.bands.back().band;
    for (int j = 0; j < betTextBoxes.size(); ++j) {
        const ReportLabel* label = nullptr;
        for (const ReportLabel& l : last.labels())
            if (l.rect == betTextBoxes[j]) label = &l;
        QVERIFY(label);
        QCOMPARE(label->caption, lastSlipLines[j] < 0 ? QString() : lines[lastSlipLines[j]]);
    }
}

void NumberSlipsTest::plainPaperCarriesTheWholeImage_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QPoint>("edgeMark");
    QTest::addColumn<QRect>("title");
    QTest::newRow("megasena") << "MS" << QPoint(2, 70) << QRect(156, 7, 148, 19);
    QTest::newRow("lotomania") << "LM" << QPoint(88, 107) << QRect(156, 7, 148, 19);
    QTest::newRow("lotofacil") << "LF" << QPoint(1, 62) << QRect(156, 7, 148, 19);
    QTest::newRow("duplasena") << "DS" << QPoint(163, 74) << QRect(156, 7, 148, 19);
    QTest::newRow("quina") << "QI" << QPoint(2, 414) << QRect(156, 7, 148, 19);
}

void NumberSlipsTest::plainPaperCarriesTheWholeImage()
{
    QFETCH(QString, kind);
    QFETCH(QPoint, edgeMark);
    QFETCH(QRect, title);
    const int size = kind == "LM" ? 50 : kind == "LF" ? 15 : kind == "QI" ? 5 : 6;
    QStringList lines;
    for (int i = 0; i < 13; ++i)
        lines << run(1, size);
    LineStore store;
    store.setLines(lines);
    PrintSettings settings;
    settings.leftMarginMm = 10; // ignored on plain paper
    settings.topMarginMm = 50;
    auto slip = makeSlip(kind, store, settings);
    const Rendered pages(*slip);
    const int slips = int((lines.size() + slip->betsPerSlip() - 1) / slip->betsPerSlip());
    QCOMPARE(int(pages.layout.bands.size()), slips);
    QCOMPARE(pages.layout.pageCount, (slips + 3) / 4);
    const PlacedBand& first = pages.layout.bands.front();
    QCOMPARE(first.leftMm, 35.5);
    QCOMPARE(first.topMm, 7.0);
    for (int b = 0; b < slips; ++b) {
        QVERIFY(pages.black(b, edgeMark - QPoint(3, 2)));
        QVERIFY(pages.inked(b, title));
        QVERIFY(pages.inked(b, QRect(0, 200, 1, 100))); // the dotted outline
    }
}

void NumberSlipsTest::officialSlipPrintsOnlyWhatTheSlipLacks_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<Points>("whiteMarks");
    QTest::addColumn<Points>("printedMarks");
    QTest::addColumn<QList<QRect>>("whiteLabels");
    QTest::addColumn<QList<QRect>>("printedLabels");
    const QRect title(156, 7, 148, 19);
    QTest::newRow("megasena keeps the mark at 430")
        << "MS" << Points { { 2, 70 }, { 2, 397 }, { 2, 84 }, { 90, 70 }, { 18, 70 } }
        << Points { { 2, 430 } } << QList<QRect> { title, { 4, 473, 299, 15 }, { 4, 489, 299, 15 } }
        << QList<QRect> { { 20, 30, 283, 15 }, { 20, 46, 283, 15 }, { 128, 457, 175, 15 } };
    QTest::newRow("duplasena keeps the mark at 427")
        << "DS" << Points { { 2, 74 }, { 2, 393 }, { 163, 74 } } << Points { { 2, 427 } }
        << QList<QRect> { title, { 4, 469, 299, 17 }, { 4, 487, 299, 17 } }
        << QList<QRect> { { 16, 30, 287, 15 }, { 16, 46, 287, 15 }, { 128, 450, 175, 15 } };
    QTest::newRow("quina") << "QI" << Points { { 2, 78 }, { 2, 414 }, { 115, 78 } } << Points {}
                           << QList<QRect> { title, { 4, 486, 299, 15 }, { 4, 503, 299, 15 } }
                           << QList<QRect> { { 20, 30, 283, 15 }, { 20, 46, 283, 15 },
                                  { 128, 469, 175, 15 } };
    QTest::newRow("lotofacil hides the identification")
        << "LF" << Points { { 1, 62 }, { 1, 365 }, { 163, 62 } } << Points {}
        << QList<QRect> { title, { 6, 485, 297, 15 }, { 6, 503, 297, 15 }, { 20, 450, 283, 15 } }
        << QList<QRect> { { 8, 28, 295, 15 }, { 176, 468, 127, 15 } };
    QTest::newRow("lotomania") << "LM" << Points { { 1, 107 }, { 1, 419 }, { 161, 107 } }
                               << Points {}
                               << QList<QRect> { title, { 4, 486, 303, 15 }, { 4, 503, 303, 15 } }
                               << QList<QRect> { { 12, 30, 291, 19 }, { 20, 54, 283, 15 },
                                      { 131, 467, 175, 15 } };
}

void NumberSlipsTest::officialSlipPrintsOnlyWhatTheSlipLacks()
{
    QFETCH(QString, kind);
    QFETCH(Points, whiteMarks);
    QFETCH(Points, printedMarks);
    QFETCH(QList<QRect>, whiteLabels);
    QFETCH(QList<QRect>, printedLabels);
    const int size = kind == "LM" ? 50 : kind == "LF" ? 15 : kind == "QI" ? 5 : 6;
    QStringList lines;
    for (int i = 0; i < 7; ++i)
        lines << run(1, size);
    LineStore store;
    store.setLines(lines);
    PrintSettings settings;
    settings.officialSlip = true;
    settings.identification = "JOGO";
    auto slip = makeSlip(kind, store, settings);
    const Rendered pages(*slip);
    const int slips = int((lines.size() + slip->betsPerSlip() - 1) / slip->betsPerSlip());
    QCOMPARE(pages.layout.pageCount, slips); // one slip image per page
    QCOMPARE(pages.layout.page.columns, 1);
    for (int b = 0; b < slips; ++b) {
        const PlacedBand& placed = pages.layout.bands[std::size_t(b)];
        QCOMPARE(placed.page, b);
        QCOMPARE(placed.leftMm, 64.0);
        QCOMPARE(placed.topMm, 0.0);
        QCOMPARE(placed.band.height(), 700);
        for (const QPoint& p : whiteMarks)
            QVERIFY2(!pages.inked(b, QRect(p + QPoint(3, 2), QSize(6, 4))),
                qPrintable(QString("mark %1,%2 printed").arg(p.x()).arg(p.y())));
        for (const QPoint& p : printedMarks)
            QVERIFY(pages.black(b, p - QPoint(3, 2)));
        for (const QRect& r : whiteLabels)
            QVERIFY2(!pages.inked(b, r), qPrintable(QString("label at %1 printed").arg(r.top())));
        for (const QRect& r : printedLabels)
            QVERIFY2(pages.inked(b, r), qPrintable(QString("label at %1 blank").arg(r.top())));
        QVERIFY(!pages.inked(b, QRect(0, 200, 1, 100))); // no outline
        QVERIFY(pages.black(b, slip->numberBox(0, 1).rect.topLeft()));
    }
}

void NumberSlipsTest::lotomaniaSplitsTheBetText()
{
    LineStore store;
    const QString line = run(1, 50).replace(' ', '-').replace(0, 1, " ");
    store.setLines({ line });
    RelLotomania slip(store, PrintSettings {});
    const ReportLayout layout = ReportEngine::layout(slip);
    QCOMPARE(line.size(), 150);
    QString first, second;
    for (const ReportLabel& l : layout.bands[0].band.labels()) {
        if (l.rect == QRect(4, 486, 303, 15)) first = l.caption;
        if (l.rect == QRect(4, 503, 303, 15)) second = l.caption;
    }
    QCOMPARE(first, line.left(75));
    QVERIFY(first.endsWith("25"));
    QCOMPARE(second, line.mid(76));
    QVERIFY(second.startsWith("26"));
}

void NumberSlipsTest::numbersOutsideTheGridAreNotMarked()
{
    // A Lotomania closing printed after switching to Mega-Sena and Quina.
    LineStore store;
    store.setLines({ ticket({ 5, 61, 70, 81, 99, 100 }) });
    RelMegasena mega(store, PrintSettings {});
    const Rendered megaPages(mega);
    QVERIFY(megaPages.black(0, { 138, 84 }));
    int markedBoxes = 0;
    for (int n = 1; n <= 60; ++n)
        markedBoxes += megaPages.black(0, mega.numberBox(0, n).rect.topLeft());
    QCOMPARE(markedBoxes, 1);
    QCOMPARE(megaPages.layout.bands[0].band.labels()[4].caption, store.line(0));

    RelQuina quina(store, PrintSettings {});
    const Rendered quinaPages(quina);
    markedBoxes = 0;
    for (int n = 1; n <= 80; ++n)
        markedBoxes += quinaPages.black(0, quina.numberBox(0, n).rect.topLeft());
    QCOMPARE(markedBoxes, 3); // 05, 61, 70
}

void NumberSlipsTest::aLaterSlipKeepsNoEarlierMark()
{
    LineStore store;
    store.setLines({ ticket({ 1, 2, 3, 4, 5, 6 }), ticket({ 1, 2, 3, 4, 5, 6 }),
        ticket({ 1, 2, 3, 4, 5, 6 }), ticket({ 7, 8, 9, 10, 11, 12 }) });
    RelMegasena slip(store, PrintSettings {});
    const Rendered pages(slip);
    QCOMPARE(int(pages.layout.bands.size()), 2);
    QVERIFY(!pages.black(1, { 42, 84 }));
    QVERIFY(pages.black(1, { 186, 84 }));
    for (int panel = 1; panel < 3; ++panel)
        for (int n = 1; n <= 60; ++n)
            QVERIFY(!pages.black(1, slip.numberBox(panel, n).rect.topLeft()));
}

QTEST_MAIN(NumberSlipsTest)
#include "number_slips_test.moc"
