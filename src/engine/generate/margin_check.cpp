#include "engine/generate/margin_check.h"

#include "engine/generate/line_format.h"

namespace {
constexpr int kReportEvery = 5000;
}

MarginCheck::MarginCheck(Setup setup, LineStore& closing, RandomSource& random)
    : setup_(std::move(setup))
    , closing_(closing)
    , random_(random)
    , index_(static_cast<int>(setup_.selected.size()), setup_.C - setup_.F)
{
    for (int f : setup_.fixed)
        fixedMask_.add(f);
    for (int number : setup_.selected) {
        TicketMask m;
        m.add(number);
        positionMask_.push_back(m);
    }
    byMasks_ = !setup_.literalText && closing_.irregularCount() == 0;
    if (byMasks_) {
        masks_.reserve(static_cast<std::size_t>(closing_.size()));
        for (qsizetype i = 0; i < closing_.size(); ++i)
            masks_.push_back(closing_.mask(i));
    }
    if (index_.done())
        state_ = State::Finished;
    else
        refreshPrefix(0);
    if (setup_.literalText) literalLines_ = closing_.lines();
}

void MarginCheck::refreshPrefix(int from)
{
    // prefixMasks_[j]: the fixed numbers and the indices before j; only those after the
    // carried index change.
    const std::vector<int>& positions = index_.positions();
    prefixMasks_.resize(positions.size() + 1);
    if (from == 0) prefixMasks_[0] = fixedMask_;
    for (std::size_t j = static_cast<std::size_t>(from); j + 1 < positions.size(); ++j)
        prefixMasks_[j + 1]
            = prefixMasks_[j] | positionMask_[static_cast<std::size_t>(positions[j])];
    prefixMask_ = positions.empty() ? fixedMask_ : prefixMasks_[positions.size() - 1];
}

QString MarginCheck::drawText(QChar separator) const
{
    std::vector<int> drawn;
    drawn.reserve(index_.positions().size());
    for (int p : index_.positions())
        drawn.push_back(setup_.selected[static_cast<std::size_t>(p)]);
    return setup_.fixedLine + LineFormat::numberLine(drawn, separator);
}

bool MarginCheck::isCovered(const TicketMask& draw, QChar separator)
{
    const int G = setup_.G;
    if (setup_.literalText) {
        const QString text = drawText(separator);
        for (qsizetype i = literalLines_.size() - 1; i >= 0; --i)
            if (LineFormat::CountCommon(literalLines_[i], text) >= G) return true;
        return false;
    }
    if (byMasks_) {
        // Newest ticket first, over the contiguous copy of the masks.
        for (auto it = masks_.rbegin(); it != masks_.rend(); ++it)
            if (common(*it, draw) >= G) return true;
        return false;
    }
    const QString text = drawText(separator);
    for (qsizetype i = closing_.size() - 1; i >= 0; --i)
        if (closing_.hits(i, draw, text) >= G) return true;
    return false;
}

void MarginCheck::feedPending(int number)
{
    if (!pendingMask_.has(number)) {
        pendingMask_.add(number);
        pending_.push_back(number);
    }
}

void MarginCheck::addTicket(QChar separator)
{
    TicketMask ticket;
    for (int i = 0; i < setup_.K; ++i)
        ticket.add(pending_[static_cast<std::size_t>(i)]);
    const QString line = LineFormat::maskLine(ticket, separator);
    closing_.appendBuilt(line, ticket);
    if (byMasks_) masks_.push_back(ticket);
    if (setup_.literalText) literalLines_.push_back(line);
    ++ticketsAdded_;
    pending_.clear();
    pendingMask_ = {};
}

qsizetype MarginCheck::advance(qsizetype maxDraws, QChar separator)
{
    const int n = static_cast<int>(setup_.selected.size());
    // Every number of the bet: the top-up cannot go beyond it.
    const int betSize = n + static_cast<int>(setup_.fixed.size());
    qsizetype examined = 0;
    while (examined < maxDraws && state_ == State::Running) {
        // Only the last index moves between carries.
        const TicketMask draw = index_.positions().empty()
            ? prefixMask_
            : prefixMask_ | positionMask_[static_cast<std::size_t>(index_.positions().back())];
        const bool covered = isCovered(draw, separator);

        if (setup_.complete) {
            if (!covered) {
                if (setup_.lineBound > 0 && closing_.size() >= setup_.lineBound) {
                    state_ = State::LineBound;
                    break;
                }
                for (int f : setup_.fixed)
                    feedPending(f);
                for (int p : index_.positions())
                    feedPending(setup_.selected[static_cast<std::size_t>(p)]);
            }
            if (!pending_.empty()) {
                int c = static_cast<int>(pending_.size());
                while (setup_.K >= c && c < betSize) {
                    const int r = random_.below(n);
                    const int number = setup_.selected[static_cast<std::size_t>(r)];
                    if (!pendingMask_.has(number)) {
                        feedPending(number);
                        ++c;
                    }
                }
            }
            if (static_cast<int>(pending_.size()) >= setup_.K && !pending_.empty()) {
                addTicket(separator);
                covered_ = total_ + 1; // everything so far, this draw included
            } else if (covered) {
                covered_ += 1;
            }
        } else if (covered) {
            covered_ += 1;
        }

        total_ += 1;
        ++drawsSinceReport_;
        ++examined;
        if (index_.next()) {
            if (!index_.done()) refreshPrefix(index_.changedFrom());
            if (drawsSinceReport_ >= kReportEvery) {
                reportDue_ = true;
                drawsSinceReport_ = 0;
            }
        }
        if (index_.done()) state_ = State::Finished;
    }
    return examined;
}

bool MarginCheck::takeReportDue()
{
    const bool due = reportDue_;
    reportDue_ = false;
    return due;
}

QString MarginCheck::report() const
{
    return QString::number(closing_.size()) + QStringLiteral(". Sendo ")
        + QString::number(uncovered(), 'f', 0) + QStringLiteral(" não fechados em ")
        + QString::number(total_, 'f', 0) + QStringLiteral(" sorteios não repetidos.");
}

QString MarginCheck::emptyClosingText()
{
    return QStringLiteral("Gere antes algum fechamento para porder testar a margem.");
}

QString MarginCheck::completionImpossibleText()
{
    return QStringLiteral(
        "Com menos dezenas por bilhete do que a garantia pretendida nenhum bilhete pode cobrir um "
        "sorteio, e o fechamento não pode ser completado. Aumente as dezenas por bilhete ou "
        "diminua a garantia.");
}

qsizetype completeToMarginZero(const std::vector<int>& selected, const std::vector<int>& fixed,
    int K, int G, int C, LineStore& closing, RandomSource& random, QChar separator,
    qsizetype lineBound)
{
    if (!MarginCheck::completionPossible(K, G)) return -1;
    MarginCheck::Setup setup;
    setup.K = K;
    setup.F = static_cast<int>(fixed.size());
    setup.G = G;
    setup.C = C;
    setup.selected = selected;
    setup.fixed = fixed;
    setup.fixedLine = LineFormat::numberLine(fixed, separator);
    if (fixed.empty()) setup.fixedLine.clear();
    setup.complete = true;
    setup.lineBound = lineBound;
    MarginCheck check(std::move(setup), closing, random);
    while (check.state() == MarginCheck::State::Running)
        check.advance(1 << 16, separator);
    return check.state() == MarginCheck::State::LineBound ? -1 : check.ticketsAdded();
}
