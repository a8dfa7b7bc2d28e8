#include "engine/generate/checked_optimization.h"

#include "engine/generate/line_format.h"
#include "engine/generate/optimizer_draw_space.h"

#include <algorithm>
#include <chrono>
#include <thread>

QString CheckedOptimization::refusal(const ClosingOptimizer::Setup& setup)
{
    const int positions = static_cast<int>(setup.selected.size());
    const QString draws
        = QString::number(OptimizerDrawSpace::count(positions, setup.C - setup.F), 'f', 0);
    switch (ClosingOptimizer::check(setup)) {
    case ClosingOptimizer::Refusal::TooManyDraws:
        return QStringLiteral("Para otimizar é preciso examinar todos os sorteios com ")
            + QString::number(setup.C) + QStringLiteral(" dezenas entre as apostadas, e são ")
            + draws + QStringLiteral(", acima do limite de ")
            + QString::number(OptimizerDrawSpace::limit, 'f', 0)
            + QStringLiteral(". Diminua o Total de Dezenas a Apostar ou a Condição para Acerto, "
                             "ou aumente as Dezenas Fixas.");
    case ClosingOptimizer::Refusal::NotEnoughMemory:
        return QStringLiteral("Para otimizar é preciso guardar a contagem de ") + draws
            + QStringLiteral(" sorteios, cerca de ")
            + QString::number(ClosingOptimizer::memoryNeeded(setup) >> 20)
            + QStringLiteral(" MB, e a memória livre não basta. Feche outros programas, "
                             "diminua o Total de Dezenas a Apostar ou a Condição para Acerto, "
                             "ou aumente as Dezenas Fixas.");
    case ClosingOptimizer::Refusal::TicketTooSmall:
        return QStringLiteral(
            "Com menos dezenas por bilhete do que a garantia pretendida ou as dezenas fixas "
            "nenhum bilhete pode garantir o acerto; não há o que otimizar.");
    case ClosingOptimizer::Refusal::BetTooSmall:
        return QStringLiteral(
            "O bilhete não tem dezenas selecionadas suficientes para a condição de acerto.");
    case ClosingOptimizer::Refusal::OnlyFullEnumeration:
        return QStringLiteral(
            "Com as Dezenas marcadas por bilhete, a Garantia Pretendida e a Condição para Acerto "
            "iguais, cada sorteio precisa de um bilhete só para ele: só a lista de todas as "
            "combinações fecha, e não existe fechamento menor. Não há o que otimizar.");
    case ClosingOptimizer::Refusal::None:
        break;
    }
    return {};
}

QString CheckedOptimization::emptyClosingText()
{
    return QStringLiteral("Gere antes algum fechamento para poder otimizar.");
}

QString CheckedOptimization::boardMismatchText()
{
    return QStringLiteral(
        "As dezenas do bilhete não conferem com o Total de Dezenas a Apostar e as Dezenas "
        "Fixas. Gere ou abra o fechamento para o bilhete atual antes de otimizar.");
}

std::vector<TicketMask> CheckedOptimization::ticketsOf(const LineStore& closing)
{
    std::vector<TicketMask> tickets;
    tickets.reserve(static_cast<std::size_t>(closing.size()));
    for (qsizetype i = 0; i < closing.size(); ++i)
        tickets.push_back(
            closing.regular(i) ? closing.mask(i) : LineFormat::analyse(closing.line(i)).mask);
    return tickets;
}

CheckedOptimization::CheckedOptimization(
    ClosingOptimizer::Setup setup, std::vector<TicketMask> closing, int threads)
    : setup_(std::move(setup))
    , threads_(threads)
    , search_(std::make_unique<ParallelOptimizer>(setup_, std::move(closing), threads))
{
}

CheckedOptimization::~CheckedOptimization() = default;

void CheckedOptimization::poll(int ms)
{
    switch (phase_) {
    case Phase::Searching:
        if (search_->waitFor(ms)) startCount();
        break;
    case Phase::Checking:
        if (!count_->finished()) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        if (count_->finished()) finishCount();
        break;
    case Phase::Finished:
        break;
    }
}

void CheckedOptimization::stop()
{
    if (phase_ == Phase::Searching) search_->stop();
    if (phase_ == Phase::Checking) count_->stop();
}

void CheckedOptimization::startCount()
{
    if (!search_->hasComplete()) {
        outcome_ = search_->failed() ? Outcome::OutOfMemory : Outcome::Incomplete;
        phase_ = Phase::Finished;
        return;
    }
    // The count that decides: the whole space again, on the lottery's numbers, by a path that
    // shares nothing with the search.
    best_ = search_->bestClosing();
    drawCount_ = search_->drawCount();
    search_.reset(); // the search's counts are not needed any more
    const OptimizerCheck::Bet bet { setup_.selected, setup_.fixed, setup_.K, setup_.G, setup_.C };
    if (!OptimizerCheck::wellFormed(bet, best_)) {
        uncovered_ = -2;
        outcome_ = Outcome::CheckFailed;
        phase_ = Phase::Finished;
        return;
    }
    count_ = std::make_unique<OptimizerCheck::ParallelCount>(bet, best_, threads_);
    phase_ = Phase::Checking;
}

void CheckedOptimization::finishCount()
{
    count_->wait();
    uncovered_ = count_->result();
    count_.reset();
    outcome_ = uncovered_ == 0 ? Outcome::Improved
        : uncovered_ == -1     ? Outcome::CheckStopped
                               : Outcome::CheckFailed;
    if (outcome_ != Outcome::Improved) best_.clear();
    phase_ = Phase::Finished;
}

QString CheckedOptimization::outcomeMessage() const
{
    switch (outcome_) {
    case Outcome::OutOfMemory:
        return QStringLiteral("Faltou memória para otimizar este fechamento; o fechamento foi "
                              "mantido como estava.");
    case Outcome::Incomplete:
        return QStringLiteral("A otimização foi interrompida antes de completar o fechamento; "
                              "o fechamento foi mantido como estava.");
    case Outcome::CheckStopped:
        return QStringLiteral("A conferência do fechamento otimizado foi interrompida; o "
                              "fechamento foi mantido como estava.");
    case Outcome::CheckFailed:
        return QStringLiteral("A conferência do fechamento otimizado falhou (")
            + QString::number(std::max<std::int64_t>(uncovered_, 0))
            + QStringLiteral(" sorteios não fechados); o fechamento foi mantido como estava.");
    case Outcome::Running:
    case Outcome::Improved:
        break;
    }
    return {};
}

QString CheckedOptimization::resultText(qsizetype before) const
{
    return QString::number(best_.size()) + QStringLiteral(" bilhetes (antes ")
        + QString::number(before) + QStringLiteral("). Sendo 0 não fechados em ")
        + QString::number(drawCount_) + QStringLiteral(" sorteios não repetidos.");
}

QString CheckedOptimization::searchStatus(qsizetype before, qint64 seconds) const
{
    return QStringLiteral("Otimizando: melhor ") + QString::number(search_->bestSize())
        + QStringLiteral(" bilhetes (antes ") + QString::number(before)
        + QStringLiteral("), tentando ") + QString::number(search_->currentSize())
        + QStringLiteral(" com ") + QString::number(search_->uncoveredCount())
        + QStringLiteral(" sorteios não fechados; ") + QString::number(seconds)
        + QStringLiteral(" s de busca. Pare quando quiser.");
}
