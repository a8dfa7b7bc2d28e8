#include "slips/rel_lotogol.h"

#include "engine/generate/line_store.h"
#include "engine/pools/lotogol_line.h"

#include <algorithm>

namespace {
struct EdgeMark {
    int number, left, width;
};
// The top edge marks, left to right, with their component numbers.
constexpr EdgeMark topMarks[5]
    = { { 192, 2, 12 }, { 216, 19, 15 }, { 217, 67, 15 }, { 218, 115, 15 }, { 54, 163, 15 } };
constexpr int topMarksTop = 93;
const QString valueCaptions[3]
    = { QStringLiteral("R$ 0,50"), QStringLiteral("R$ 1,00"), QStringLiteral("R$ 2,00") };
} // namespace

RelLotogol::RelLotogol(const LineStore& tickets, const QString& identification,
    const QString& betValue, const PrintSettings& settings)
    : SlipReport(QStringLiteral("RelLotogol"), 311, 529)
    , tickets_(tickets)
    , identification_(identification)
    , betValue_(betValue)
    , settings_(settings)
{
    shapes_[1000] = &addOutline(310, 528);
    QRLabel1 = &band().addLabel(QRect(156, 7, 148, 19), QStringLiteral("LOTOGOL"), 12);
    QRLabel3 = &band().addLabel(QRect(20, 30, 283, 15), QString(), 8, true);
    QRLabel6 = &band().addLabel(QRect(20, 46, 283, 15), QString(), 7);
    QRLabel2 = &band().addLabel(QRect(128, 485, 175, 15), QStringLiteral("Gerado pelo QUIRVA"), 8);
    QRLabel4 = &band().addLabel(QRect(20, 506, 283, 15), QString(), 8, true);
    for (int r = 0; r < 10; ++r) {
        for (int k = 0; k < 5; ++k)
            shapes_[std::size_t(5 * r + k + 1)] = &band().addShape(
                QRect(scoreLefts[std::size_t(k)], rowTops[std::size_t(r)], 16, 9));
        shapes_[std::size_t(55 + r)] = &band().addShape(QRect(2, markTops[std::size_t(r)], 12, 8));
    }
    shapes_[65] = &band().addShape(QRect(2, 380, 12, 8));
    for (int v = 0; v < 3; ++v)
        shapes_[std::size_t(51 + v)]
            = &band().addShape(QRect(scoreLefts[std::size_t(v)], valueTop, 16, 9));
    for (const EdgeMark& m : topMarks)
        shapes_[std::size_t(m.number)] = &band().addShape(QRect(m.left, topMarksTop, m.width, 8));
}

ReportShape& RelLotogol::QRShape(int number)
{
    return *shapes_.at(std::size_t(number));
}

void RelLotogol::RelLotogolBeforePrint()
{
    lineCursor = 0;
    if (!settings_.officialSlip) return;
    setUpOfficialSlip(settings_.leftMarginMm, settings_.topMarginMm);
    for (int n = 55; n <= 65; ++n)
        QRShape(n).fill = Qt::white;
    for (const EdgeMark& m : topMarks)
        QRShape(m.number).fill = Qt::white;
    QRLabel1->color = Qt::white;
}

void RelLotogol::RelLotogolNeedData(bool& more)
{
    const LineStore& tickets = tickets_;
    const qsizetype rows = tickets.size();
    const QString line = lineCursor < rows ? tickets.line(lineCursor) : QString();
    for (int r = 0; r < 10; ++r) {
        const qsizetype at = 2 * r;
        for (int k = 0; k < 5; ++k) {
            const bool bet = at < line.size() && line[at] == QChar(lotogolScores[std::size_t(k)]);
            QRShape(5 * r + k + 1).fill = bet ? Qt::black : Qt::white;
        }
    }
    const QString& value = betValue_;
    for (int v = 0; v < 3; ++v)
        QRShape(51 + v).fill = value == valueCaptions[v] ? Qt::black : Qt::white;
    QRLabel3->caption = QString::number(lineCursor + 1);
    QRLabel6->caption = identification_;
    QRLabel4->caption = line;
    if (lineCursor < rows) more = true;
    ++lineCursor;
}

qsizetype RelLotogol::bandCount() const
{
    // One slip a ticket; with none, the first call still prints a blank one.
    return std::max<qsizetype>(1, tickets_.size());
}
