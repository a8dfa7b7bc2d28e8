#include "engine/verify/verification_engine.h"

#include "engine/generate/line_format.h"

#include <algorithm>

namespace {
const TicketMask noMask {};
}

VerificationEngine::VerificationEngine(
    const LineStore& closing, const LineStore& draws, LineStore& report, const Setup& setup)
    : closing_(closing)
    , draws_(draws)
    , report_(report)
    , setup_(setup)
{
    setup_.D = std::clamp(setup_.D, 0, 100);
}

void VerificationEngine::add(const QString& text)
{
    // Report lines never take part in a hit count, so their masks are not worked out.
    report_.appendBuilt(text, noMask);
}

void VerificationEngine::begin()
{
    hitTally_.fill(0);
    failures_ = 0;
    nextDraw_ = 0;
    ticket_ = 0;
    nextTotal_ = 0;
    detail_ = setup_.detail;
    report_.clear();

    const qsizetype tickets = closing_.size();
    masks_.resize(static_cast<std::size_t>(tickets));
    regular_.resize(static_cast<std::size_t>(tickets));
    allRegular_ = true;
    for (qsizetype i = 0; i < tickets; ++i) {
        masks_[static_cast<std::size_t>(i)] = closing_.mask(i);
        regular_[static_cast<std::size_t>(i)] = closing_.regular(i);
        allRegular_ = allRegular_ && closing_.regular(i);
    }
    selected_ = LineFormat::analyse(setup_.selectedLine);

    if (detail_)
        add(QStringLiteral("--- Conferência em ") + setup_.selectedCount
            + QStringLiteral(" dezenas: ") + setup_.selectedLine);
}

void VerificationEngine::startDraw()
{
    drawText_ = draws_.line(nextDraw_);
    drawMask_ = draws_.mask(nextDraw_);
    drawRegular_ = draws_.regular(nextDraw_);
    guaranteed_ = false;
    ++nextDraw_;
    if (detail_) {
        tallyBeforeDraw_ = hitTally_;
        reportBeforeDraw_ = report_.size();
        detailBeforeDraw_ = detail_;
        const int betHits = drawRegular_ && selected_.regular
            ? common(drawMask_, selected_.mask)
            : LineFormat::CountCommon(drawText_, setup_.selectedLine);
        add(QString());
        add(QStringLiteral("No ") + QString::number(nextDraw_)
            + QStringLiteral("º resultado o acerto foi de ") + QString::number(betHits)
            + QStringLiteral(" dezena(s)."));
        add(QStringLiteral("--- Conferência de cada bilhete no resultado: ") + drawText_);
    }
}

void VerificationEngine::finishDraw()
{
    if (!guaranteed_) ++failures_;
    ticket_ = 0;
}

bool VerificationEngine::abandonDraw()
{
    if (!midDraw() || !setup_.detail || !detailBeforeDraw_) return false;
    hitTally_ = tallyBeforeDraw_;
    report_.removeLast(report_.size() - reportBeforeDraw_);
    detail_ = detailBeforeDraw_;
    --nextDraw_;
    ticket_ = 0;
    return true;
}

void VerificationEngine::step(qsizetype tickets)
{
    if (!midDraw()) {
        if (!drawsLeft()) return;
        startDraw();
    }
    // The closing cannot change during a run, but a shorter store must never be read past.
    const qsizetype count = std::min<qsizetype>(closing_.size(), std::ssize(masks_));
    const qsizetype end = std::min(count, ticket_ + std::max<qsizetype>(tickets, 1));
    const int G = setup_.G;

    if (!detail_ && drawRegular_ && allRegular_) {
        std::int64_t* tally = hitTally_.data();
        const TicketMask draw = drawMask_;
        bool reached = guaranteed_;
        for (qsizetype i = ticket_; i < end; ++i) {
            const int h = common(masks_[static_cast<std::size_t>(i)], draw);
            ++tally[h];
            reached |= h >= G;
        }
        guaranteed_ = reached;
    } else {
        for (qsizetype i = ticket_; i < end; ++i) {
            const bool fast = drawRegular_ && regular_[static_cast<std::size_t>(i)];
            QString ticketText;
            if (!fast || detail_) ticketText = closing_.line(i);
            const int h = std::min(100,
                fast ? common(masks_[static_cast<std::size_t>(i)], drawMask_)
                     : LineFormat::CountCommon(ticketText, drawText_));
            if (detail_) {
                add(ticketText + QStringLiteral(" -> ") + QString::number(h)
                    + QStringLiteral(" acerto(s)"));
                if (report_.memoryBytes() > setup_.detailByteLimit) {
                    detail_ = false;
                    add(QStringLiteral("--- Detalhe interrompido: o relatório atingiu o limite "
                                       "de memória; os totais seguem completos."));
                }
            }
            ++hitTally_[static_cast<std::size_t>(h)];
            guaranteed_ = guaranteed_ || h >= G;
        }
    }
    ticket_ = end;
    if (ticket_ >= count) finishDraw();
}

void VerificationEngine::beginTotals()
{
    if (detail_) add(QString());
    add(QStringLiteral("--- Conferência do Fechamento: "));
    nextTotal_ = 0;
}

void VerificationEngine::writeNextTotal()
{
    if (!totalsLeft()) return;
    add(QString::number(hitTally_[static_cast<std::size_t>(nextTotal_)])
        + QStringLiteral(" bilhetes com ") + QString::number(nextTotal_)
        + QStringLiteral(" acerto(s)"));
    ++nextTotal_;
}

void VerificationEngine::writeSummary()
{
    const qsizetype n = drawsChecked();
    // A guarantee is only claimed over draws that were checked: a sample that is empty, or a
    // run stopped before its first draw, says only that.
    if (n == 0) {
        if (drawCount() == 0) add(QStringLiteral("Nenhum resultado para conferir."));
    } else if (failures_ == 0) {
        add(QStringLiteral("Garantia de fechamento em todos da amostragem."));
    } else if (failures_ == n) {
        add(QStringLiteral("Amostragem sem garantia."));
    } else {
        add(QStringLiteral("Garantia de fechamento em ") + QString::number(n - failures_)
            + QStringLiteral(" da amostragem."));
        add(QStringLiteral("Sem garantia em ") + QString::number(failures_)
            + QStringLiteral(" da amostragem."));
    }
    if (n < drawCount())
        add(QStringLiteral("--- Conferência interrompida: ") + QString::number(n)
            + QStringLiteral(" de ") + QString::number(drawCount())
            + QStringLiteral(" resultado(s) conferido(s)."));
}
