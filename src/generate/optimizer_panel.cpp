#include "generate/optimizer_panel.h"

#include "app/bet_context.h"
#include "app/dialogs.h"
#include "app/event_pump.h"
#include "app/handler_guard.h"
#include "app/line_view.h"
#include "app/random_source.h"
#include "generate/line_format.h"
#include "generate/optimizer_check.h"
#include "generate/optimizer_draw_space.h"
#include "generate/optimizer_search.h"
#include "generate/parallel_optimizer.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <chrono>
#include <memory>
#include <thread>

void attachOptimizer(BetContext& context)
{
    new OptimizerPanel(context);
}

OptimizerPanel::OptimizerPanel(BetContext& context)
    : QObject(&context.host())
    , context_(context)
{
    setObjectName(QStringLiteral("OptimizerPanel"));
    ButtonOptimize = new QPushButton(QStringLiteral("Otimizar Fechamento"));
    ButtonOptimize->setObjectName(QStringLiteral("ButtonOptimize"));
    ButtonOptimize->setToolTip(QStringLiteral(
        "Procura um fechamento com menos bilhetes que mantenha a garantia (até apertar Parar)."));
    context.addClosingCommand(ButtonOptimize);
    connect(ButtonOptimize, &QPushButton::clicked, this, [this] { ButtonOptimizeClick(); });
}

void OptimizerPanel::ButtonOptimizeClick()
{
    runGuarded(
        &context_.host(), [this] { run(); },
        [this] {
            context_.restoreAfterError();
            ButtonOptimize->setEnabled(true);
        });
}

void OptimizerPanel::run()
{
    BetContext& w = context_;
    auto refuse = [&](const QString& text) {
        Dialogs::information(&w.host(), text);
        w.lockForRun(false);
        w.testecampos();
    };
    if (!w.mayRun(Command::Optimize)) return;
    const JobState::Scope job(w.jobs, Job::Optimizer);
    w.lockForRun(true);
    const int t = w.T(), k = w.K(), f = w.F(), g = w.G(), c = w.C();
    if (w.closingView().store().empty())
        return refuse(QStringLiteral("Gere antes algum fechamento para poder otimizar."));
    if (t != w.CountSelected() + w.CountFixed() || f != w.CountFixed())
        return refuse(QStringLiteral(
            "As dezenas do bilhete não conferem com o Total de Dezenas a Apostar e as Dezenas "
            "Fixas. Gere ou abra o fechamento para o bilhete atual antes de otimizar."));
    w.LoadSelectedNumbers();

    ClosingOptimizer::Setup setup;
    setup.K = k;
    setup.F = f;
    setup.G = g;
    setup.C = c;
    const int positions = qBound(0, t - f, static_cast<int>(w.selectedNumbers.size()));
    setup.selected.assign(w.selectedNumbers.begin(), w.selectedNumbers.begin() + positions);
    setup.fixed = w.board.fixedNumbers();
    switch (ClosingOptimizer::check(setup)) {
    case ClosingOptimizer::Refusal::TooManyDraws:
        return refuse(QStringLiteral("Para otimizar é preciso examinar todos os sorteios com ")
            + QString::number(c) + QStringLiteral(" dezenas entre as apostadas, e são ")
            + QString::number(OptimizerDrawSpace::count(positions, c - f), 'f', 0)
            + QStringLiteral(", acima do limite de ")
            + QString::number(OptimizerDrawSpace::limit, 'f', 0)
            + QStringLiteral(". Diminua o Total de Dezenas a Apostar ou a Condição para Acerto, "
                             "ou aumente as Dezenas Fixas."));
    case ClosingOptimizer::Refusal::NotEnoughMemory:
        return refuse(QStringLiteral("Para otimizar é preciso guardar a contagem de ")
            + QString::number(OptimizerDrawSpace::count(positions, c - f), 'f', 0)
            + QStringLiteral(" sorteios, cerca de ")
            + QString::number(ClosingOptimizer::memoryNeeded(setup) >> 20)
            + QStringLiteral(" MB, e a memória livre não basta. Feche outros programas, "
                             "diminua o Total de Dezenas a Apostar ou a Condição para Acerto, "
                             "ou aumente as Dezenas Fixas."));
    case ClosingOptimizer::Refusal::TicketTooSmall:
        return refuse(QStringLiteral(
            "Com menos dezenas por bilhete do que a garantia pretendida ou as dezenas fixas "
            "nenhum bilhete pode garantir o acerto; não há o que otimizar."));
    case ClosingOptimizer::Refusal::BetTooSmall:
        return refuse(QStringLiteral(
            "O bilhete não tem dezenas selecionadas suficientes para a condição de acerto."));
    case ClosingOptimizer::Refusal::OnlyFullEnumeration:
        return refuse(QStringLiteral(
            "Com as Dezenas marcadas por bilhete, a Garantia Pretendida e a Condição para Acerto "
            "iguais, cada sorteio precisa de um bilhete só para ele: só a lista de todas as "
            "combinações fecha, e não existe fechamento menor. Não há o que otimizar."));
    case ClosingOptimizer::Refusal::None:
        break;
    }

    const LineStore& store = w.closingView().store();
    std::vector<TicketMask> closing;
    closing.reserve(static_cast<std::size_t>(store.size()));
    for (qsizetype i = 0; i < store.size(); ++i)
        closing.push_back(
            store.regular(i) ? store.mask(i) : LineFormat::analyse(store.line(i)).mask);
    const qsizetype before = store.size();

    RandomSource::instance().reseedFromClock();
    setup.seed = RandomSource::instance().engine()();

    w.showPage(BetContext::Page::Fechamento);
    w.stopFlag = false;
    w.enableCommand(BetContext::RunCommand::Generate, false);
    w.enableCommand(BetContext::RunCommand::CheckMargin, false);
    w.enableCommand(BetContext::RunCommand::CompleteToFull, false);
    ButtonOptimize->setEnabled(false);
    w.enableCommand(BetContext::RunCommand::Stop, true);
    w.setStatus(QStringLiteral("Completando o fechamento..."));
    w.progressBar().setRange(0, 1000);
    w.progressBar().setValue(0);

    // The searches run on worker threads; this thread only shows their progress and passes
    // "Parar" on, so the window keeps answering while every core works.
    auto running = std::make_unique<ParallelOptimizer>(setup, closing);
    ParallelOptimizer& optimizer = *running;
    EventPump pump;
    QElapsedTimer sinceStatus, sinceStart;
    sinceStatus.start();
    sinceStart.start();
    bool searchShown = false;
    auto showProgress = [&] {
        if (!optimizer.hasComplete()) {
            w.progressBar().setValue(static_cast<int>(optimizer.completionProgress() * 1000));
            return;
        }
        w.progressBar().setValue(1000);
        w.setStatus(QStringLiteral("Otimizando: melhor ") + QString::number(optimizer.bestSize())
            + QStringLiteral(" bilhetes (antes ") + QString::number(before)
            + QStringLiteral("), tentando ") + QString::number(optimizer.currentSize())
            + QStringLiteral(" com ") + QString::number(optimizer.uncoveredCount())
            + QStringLiteral(" sorteios não fechados; ")
            + QString::number(sinceStart.elapsed() / 1000)
            + QStringLiteral(" s de busca. Pare quando quiser."));
    };
    while (!optimizer.finished()) {
        optimizer.waitFor(5);
        pump.pump();
        if (!searchShown && optimizer.hasComplete()) {
            searchShown = true;
            showProgress();
        }
        if (sinceStatus.elapsed() >= 250) {
            showProgress();
            sinceStatus.restart();
        }
        if (w.stopFlag) {
            // "Parar" ends the search; the closing found so far, if any, is then checked.
            w.stopFlag = false;
            w.enableCommand(BetContext::RunCommand::Stop, false);
            optimizer.stop();
        }
    }
    if (!optimizer.hasComplete()) {
        Dialogs::information(&w.host(),
            optimizer.failed()
                ? QStringLiteral("Faltou memória para otimizar este fechamento; o fechamento foi "
                                 "mantido como estava.")
                : QStringLiteral("A otimização foi interrompida antes de completar o fechamento; "
                                 "o fechamento foi mantido como estava."));
        return finishRun();
    }

    // The count that decides: the whole space again, on the lottery's numbers, by a path that
    // shares nothing with the search. It runs on every core; "Parar" abandons it, and the
    // closing then stays as it was.
    const std::vector<TicketMask> best = optimizer.bestClosing();
    const std::uint32_t draws = optimizer.drawCount();
    running.reset(); // the search's counts are not needed any more
    const OptimizerCheck::Bet bet { setup.selected, setup.fixed, k, g, c };
    std::int64_t uncovered = -2; // ill-formed
    if (OptimizerCheck::wellFormed(bet, best)) {
        w.enableCommand(BetContext::RunCommand::Stop, true);
        w.setStatus(QStringLiteral("Conferindo o fechamento otimizado..."));
        OptimizerCheck::ParallelCount count(bet, best);
        while (!count.finished()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            pump.pump();
            if (w.stopFlag) count.stop();
            if (sinceStatus.elapsed() >= 100) {
                const int perMille = static_cast<int>(count.progress() * 1000);
                w.progressBar().setValue(perMille);
                w.setStatus(QStringLiteral("Conferindo o fechamento otimizado... ")
                    + QString::number(perMille / 10) + QStringLiteral("%"));
                sinceStatus.restart();
            }
        }
        count.wait();
        uncovered = count.result();
        w.enableCommand(BetContext::RunCommand::Stop, false);
    }
    if (uncovered == -1) {
        Dialogs::information(&w.host(),
            QStringLiteral("A conferência do fechamento otimizado foi interrompida; o fechamento "
                           "foi mantido como estava."));
    } else if (uncovered != 0) {
        Dialogs::information(&w.host(),
            QStringLiteral("A conferência do fechamento otimizado falhou (")
                + QString::number(std::max<std::int64_t>(uncovered, 0))
                + QStringLiteral(" sorteios não fechados); o fechamento foi mantido como estava."));
    } else {
        // Built aside and swapped in, so that the window keeps answering while a large closing
        // is written and never shows half of it.
        const QChar separator = w.separator();
        LineStore built;
        for (std::size_t i = 0; i < best.size(); ++i) {
            built.appendBuilt(LineFormat::maskLine(best[i], separator), best[i]);
            if (i % 4096 == 0) pump.maybePump();
        }
        w.closingView().store().swapLines(built);
        w.closingView().sync();
        w.setResultLabel(QString::number(best.size()) + QStringLiteral(" bilhetes (antes ")
            + QString::number(before) + QStringLiteral("). Sendo 0 não fechados em ")
            + QString::number(draws) + QStringLiteral(" sorteios não repetidos."));
    }
    finishRun();
}

void OptimizerPanel::finishRun()
{
    BetContext& w = context_;
    w.setStatus(QStringLiteral("."));
    w.progressBar().setValue(0);
    w.enableCommand(BetContext::RunCommand::Stop, false);
    w.enableCommand(BetContext::RunCommand::Generate, true);
    w.enableCommand(BetContext::RunCommand::CheckMargin, true);
    w.enableCommand(BetContext::RunCommand::CompleteToFull, true);
    ButtonOptimize->setEnabled(true);
    w.stopFlag = true;
    w.lockForRun(false);
    w.testecampos();
}
