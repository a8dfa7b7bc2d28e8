#include "engine/generate/covering_generator.h"

#include "engine/generate/line_format.h"

CoveringGenerator::CoveringGenerator(Setup setup, LineStore& closing, RandomSource& random)
    : setup_(std::move(setup))
    , closing_(closing)
    , random_(random)
{
    n_ = static_cast<int>(setup_.selected.size());
    drawSize_ = qBound(0, setup_.C - setup_.F, n_);
    for (int f : setup_.fixed)
        fixedMask_.add(f);
    clearUseCounts();
}

QString CoveringGenerator::refusal(const Setup& setup, bool freeModality)
{
    if (setup.K < setup.G && freeModality)
        return QStringLiteral(
            "Com menos dezenas por bilhete do que a garantia pretendida nenhum bilhete pode "
            "garantir o acerto. Aumente as dezenas por bilhete ou diminua a garantia.");
    if (setup.C - setup.F > static_cast<int>(setup.selected.size()))
        return QStringLiteral(
            "O bilhete não tem dezenas selecionadas suficientes para a condição de acerto.");
    return {};
}

QString CoveringGenerator::progressText() const
{
    return QString::number(closing_.size()) + QStringLiteral(" fechados em ")
        + QString::number(drawsMade_, 'f', 0) + QStringLiteral(" combinações.");
}

void CoveringGenerator::clearUseCounts()
{
    useCount_.fill(0);
}

bool CoveringGenerator::balancedPickAllows(int position)
{
    bool allowed = true;
    if (setup_.balancedPick) {
        allowed = useCount_[static_cast<std::size_t>(position)] < maxUsesPerNumber_;
        if (allowed) {
            ++useCount_[static_cast<std::size_t>(position)];
            ++picksInCycle_;
        }
        if (picksInCycle_ >= n_) {
            maxUsesPerNumber_ = 1;
            clearUseCounts();
            picksInCycle_ = 0;
        }
    }
    return allowed;
}

QString CoveringGenerator::candidateText(QChar separator) const
{
    std::vector<int> drawn;
    for (int i = 1; i <= n_; ++i)
        if (numberFlags_[static_cast<std::size_t>(i)])
            drawn.push_back(setup_.selected[static_cast<std::size_t>(i - 1)]);
    return setup_.fixedLine + LineFormat::numberLine(drawn, separator);
}

bool CoveringGenerator::step(QChar separator)
{
    numberFlags_.fill(false);
    TicketMask candidate = fixedMask_;
    for (int accepted = 0; accepted < drawSize_;) {
        const int p = random_.below(n_);
        if (!numberFlags_[static_cast<std::size_t>(p + 1)] && balancedPickAllows(p + 1)) {
            numberFlags_[static_cast<std::size_t>(p + 1)] = true;
            candidate.add(setup_.selected[static_cast<std::size_t>(p)]);
            ++accepted;
        }
    }

    bool covered = false;
    const qsizetype lines = closing_.size();
    if (closing_.irregularCount() == 0) {
        for (qsizetype i = 0; i < lines && !covered; ++i)
            covered = common(closing_.mask(i), candidate) >= setup_.G;
    } else {
        const QString text = candidateText(separator);
        for (qsizetype i = 0; i < lines && !covered; ++i)
            covered = closing_.hits(i, candidate, text) >= setup_.G;
    }

    bool added = false;
    if (!covered) {
        // Fixed numbers first, then the drawn ones in board order.
        auto feed = [&](int number) {
            if (!pendingMask_.has(number)) {
                pendingMask_.add(number);
                pending_.push_back(number);
            }
        };
        for (int f : setup_.fixed)
            feed(f);
        for (int i = 1; i <= n_; ++i)
            if (numberFlags_[static_cast<std::size_t>(i)])
                feed(setup_.selected[static_cast<std::size_t>(i - 1)]);
        if (static_cast<int>(pending_.size()) >= setup_.K) {
            TicketMask ticket;
            for (int i = 0; i < setup_.K; ++i)
                ticket.add(pending_[static_cast<std::size_t>(i)]);
            closing_.prependBuilt(LineFormat::maskLine(ticket, separator), ticket);
            pending_.clear();
            pendingMask_ = {};
            added = true;
        }
    } else {
        ++coveredSinceReport_;
    }
    drawsMade_ += 1;
    return added;
}
