#include "slips/rel_loteca.h"

#include "engine/generate/line_store.h"

#include <algorithm>

namespace {
// The top edge marks, left to right, with their component numbers.
struct EdgeMark {
    int number, left, width, height;
};
constexpr EdgeMark topMarks[7] = { { 191, 2, 13, 9 }, { 216, 20, 15, 8 }, { 217, 42, 15, 8 },
    { 218, 91, 15, 8 }, { 43, 139, 15, 8 }, { 44, 163, 15, 8 }, { 45, 188, 15, 8 } };
constexpr int topMarksTop = 88;
} // namespace

RelLoteca::RelLoteca(
    const LineStore& tickets, const QString& identification, const PrintSettings& settings)
    : SlipReport(QStringLiteral("RelLoteca"), 311, 529)
    , tickets_(tickets)
    , identification_(identification)
    , settings_(settings)
{
    shapes_[1000] = &addOutline(310, 528);
    LOTECA = &band().addLabel(QRect(156, 7, 148, 19), QStringLiteral("LOTECA"), 12);
    QRLabel3 = &band().addLabel(QRect(20, 30, 283, 15), QString(), 8, true);
    QRLabel1 = &band().addLabel(QRect(20, 50, 283, 15), QString(), 7);
    QRLabel2 = &band().addLabel(QRect(128, 502, 175, 15), QStringLiteral("Gerado pelo QUIRVA"), 8);
    for (int g = 0; g < 14; ++g) {
        const int top = rowTops[std::size_t(g)];
        for (int c = 0; c < 3; ++c)
            shapes_[std::size_t(3 * g + c + 1)]
                = &band().addShape(QRect(outcomeLefts[std::size_t(c)], top, 16, 9));
        shapes_[std::size_t(60 + g)] = &band().addShape(QRect(doubleLeft, top, 16, 9));
        shapes_[std::size_t(74 + g)] = &band().addShape(QRect(tripleLeft, top, 16, 9));
        shapes_[std::size_t(46 + g)] = &band().addShape(QRect(2, markTops[std::size_t(g)], 13, 9));
    }
    for (const EdgeMark& m : topMarks)
        shapes_[std::size_t(m.number)]
            = &band().addShape(QRect(m.left, topMarksTop, m.width, m.height));
}

ReportShape& RelLoteca::QRShape(int number)
{
    return *shapes_.at(std::size_t(number));
}

void RelLoteca::RelLotecaBeforePrint()
{
    lineCursor = 0;
    if (!settings_.officialSlip) return;
    setUpOfficialSlip(settings_.leftMarginMm, settings_.topMarginMm);
    // Printed on the official slip already; the mark beside match 1 is the one left printing.
    for (int n = 47; n <= 59; ++n)
        QRShape(n).fill = Qt::white;
    for (const EdgeMark& m : topMarks)
        QRShape(m.number).fill = Qt::white;
    QRLabel1->color = Qt::white;
}

void RelLoteca::RelLotecaNeedData(bool& more)
{
    const LineStore& tickets = tickets_;
    const qsizetype rows = tickets.size();
    const QString line = lineCursor < rows ? tickets.line(lineCursor) : QString();
    for (int g = 0; g < 14; ++g) {
        int bets = 0;
        for (int c = 0; c < 3; ++c) {
            const qsizetype at = 4 * g + c;
            const bool bet = at < line.size() && line[at] == u'X';
            QRShape(3 * g + c + 1).fill = bet ? Qt::black : Qt::white;
            bets += bet;
        }
        QRShape(60 + g).fill = bets == 2 ? Qt::black : Qt::white;
        QRShape(74 + g).fill = bets == 3 ? Qt::black : Qt::white;
    }
    QRLabel3->caption = QString::number(lineCursor + 1);
    QRLabel1->caption = identification_;
    if (lineCursor < rows) more = true;
    ++lineCursor;
}

qsizetype RelLoteca::bandCount() const
{
    // One slip a ticket; with none, the first call still prints a blank one.
    return std::max<qsizetype>(1, tickets_.size());
}
