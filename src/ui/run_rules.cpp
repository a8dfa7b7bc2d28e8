#include "ui/run_rules.h"

#include <array>
#include <cstdint>

namespace {

constexpr std::uint32_t bit(Job job)
{
    return std::uint32_t { 1 } << static_cast<int>(job);
}

struct Rule {
    Command command;
    std::uint32_t allowedDuring; // jobs during which the command runs
    const char* refusal; // UTF-8; empty for a silent refusal or a disabled control
};

// Every command is refused during every job but where a rule names the job. Tile clicks stay
// open during "&Gerar", whose run works on the numbers it loaded at its start. The football-pool
// windows' runs leave their simulation open, and the Loteca window its saving (the list is
// written as it stands).
constexpr std::array rules {
    Rule { Command::Generate, 0, "Aperte PARAR para poder gerar um fechamento." },
    Rule { Command::CheckMargin, 0, "Aperte PARAR para poder verificar a margem do fechamento." },
    Rule { Command::Optimize, 0, "Aplicativo processando, aperte Parar antes de otimizar." },
    Rule { Command::Simulate, bit(Job::LotecaGeneration) | bit(Job::LotogolGeneration),
        "Aperte PARAR para poder simular ou conferir." },
    Rule { Command::SaveClosing, bit(Job::LotecaGeneration),
        "Aperte em PARAR para poder salvar um fechamento." },
    Rule { Command::OpenClosing, 0, "Aperte em PARAR para poder abrir um fechamento." },
    Rule { Command::SortClosing, 0, "" },
    Rule { Command::OpenDraws, 0, "Aperte em PARAR para poder abrir." },
    Rule { Command::Download, 0, "Aperte PARAR para poder baixar resultados." },
    Rule { Command::Print, 0, "Aperte PARAR para poder imprimir." },
    Rule { Command::Reduce, 0, "Aperte em PARAR para poder reduzir um fechamento." },
    Rule { Command::ClearBoard, 0, "" },
    Rule { Command::RandomBet, 0, "" },
    Rule { Command::ClickTile, bit(Job::Generation) | bit(Job::Enumeration), "" },
    Rule { Command::MarkChartNumbers, 0, "Aperte PARAR para poder marcar as dezenas no bilhete." },
    Rule { Command::ChangeModality, 0, "" },
    Rule { Command::EditParameters, 0, "" },
    Rule { Command::CloseWindow, 0, "Aplicativo processando, aperte Parar antes de fechar." },
};

constexpr bool inCommandOrder()
{
    for (std::size_t i = 0; i < rules.size(); ++i)
        if (static_cast<std::size_t>(rules[i].command) != i) return false;
    return rules.size() == static_cast<std::size_t>(Command::CloseWindow) + 1;
}
static_assert(inCommandOrder(), "one rule per command, in the order of the enumeration");

const Rule& ruleFor(Command command)
{
    return rules[static_cast<std::size_t>(command)];
}

} // namespace

bool RunRules::allows(Job job, Command command)
{
    return (ruleFor(command).allowedDuring & bit(job)) != 0;
}

QString RunRules::refusal(Command command)
{
    return QString::fromUtf8(ruleFor(command).refusal);
}
