#include "cli/verify_command.h"

#include "cli/command_bet.h"
#include "cli/command_files.h"
#include "cli/console.h"
#include "cli/stop_signal.h"
#include "engine/verify/verification_engine.h"

#include <QJsonArray>
#include <QJsonObject>

namespace {

int run(const CommandLine& line, Console& console)
{
    CommandBet bet;
    if (!bet.readOptions(line)) return refuse(console, bet.error());
    const QString closingPath = line.positional().at(0);
    const QString drawsPath = line.positional().at(1);
    LineStore closing, draws, report;
    TicketMask numbers, drawn;
    if (!bet.readClosing(closingPath, closing, numbers)) return refuse(console, bet.error());
    if (!bet.settle(&numbers, console)) return refuse(console, bet.error());
    QString error;
    if (!CommandFiles::read(drawsPath, bet.D(), draws, drawn, error)) return refuse(console, error);

    VerificationEngine::Setup setup;
    setup.D = bet.D();
    setup.G = bet.G();
    setup.detail = line.has(QStringLiteral("detalhar"));
    setup.selectedLine = bet.board().selectedText(bet.separator());
    setup.selectedCount = QString::number(bet.board().countSelected());
    VerificationEngine engine(closing, draws, report, setup);
    engine.begin();
    // As in the window: a stop comes between draws, and with the detail on it drops the draw
    // under way; the totals are then left out and the summary says how far the run got.
    const int stopsBefore = StopSignal::requests();
    const auto stopAsked = [&] { return StopSignal::requests() > stopsBefore; };
    const qsizetype slice = setup.detail ? 128 : 8192;
    while (engine.drawsLeft() || engine.midDraw()) {
        if (stopAsked() && (!engine.midDraw() || engine.abandonDraw())) break;
        engine.step(slice);
        console.progress(QStringLiteral("conferindo"),
            engine.drawCount() > 0 ? double(engine.drawsChecked()) / double(engine.drawCount())
                                   : 1.0,
            QStringLiteral("%1 sem garantia").arg(engine.failures()));
    }
    console.endProgress();
    engine.beginTotals();
    while (engine.totalsLeft() && !stopAsked())
        engine.writeNextTotal();
    engine.writeSummary();

    QJsonArray lines;
    for (qsizetype i = 0; i < report.size(); ++i) {
        console.result(report.line(i));
        lines.append(report.line(i));
    }
    QJsonArray tally;
    for (int h = 0; h <= setup.D; ++h)
        tally.append(qint64(engine.hitTally()[static_cast<std::size_t>(h)]));
    console.summary(
        { { "comando", "conferir" }, { "fechamento", closingPath }, { "sorteios", drawsPath },
            { "bilhetes", qint64(closing.size()) }, { "resultados", qint64(engine.drawCount()) },
            { "conferidos", qint64(engine.drawsChecked()) },
            { "sem_garantia", qint64(engine.failures()) }, { "acertos", tally },
            { "interrompido", stopAsked() }, { "relatorio", lines } });
    return engine.failures() == 0 && !stopAsked() ? kDone : kIncomplete;
}

} // namespace

Command verifyCommand()
{
    CommandSpec spec;
    spec.name = QStringLiteral("conferir");
    spec.usage = QStringLiteral("FECHAMENTO SORTEIOS [opções]");
    spec.summary = QStringLiteral(
        "Confere um fechamento contra um arquivo de sorteios e escreve o relatório de "
        "\"Simulação e Conferência\" (modo \"Usar Arquivo para Conferir\").");
    spec.minPositional = spec.maxPositional = 2;
    spec.options = CommandBet::options(true, false);
    spec.options.push_back({ QStringLiteral("detalhar"), QChar(), {},
        QStringLiteral("o detalhe bilhete a bilhete, como \"Detalhar Conferência\"") });
    spec.options.push_back(jsonOption());
    spec.details = QStringLiteral(
        "O arquivo de sorteios tem uma linha por sorteio, com as Dezenas Sorteadas da "
        "modalidade (por exemplo o que \"baixar\" grava). Termina com 1 quando algum sorteio "
        "não teve bilhete com a Garantia Pretendida.");
    return { spec, run };
}
