#include "cli/cli_program.h"

#include "cli/command_support.h"
#include "cli/console.h"
#include "cli/download_command.h"
#include "cli/generate_command.h"
#include "cli/margin_command.h"
#include "cli/optimize_command.h"
#include "cli/verify_command.h"

#include <QCoreApplication>
#include <vector>

namespace {

const QString kProgram = QStringLiteral("quirva-cli");

const std::vector<Command>& commands()
{
    static const std::vector<Command> all { generateCommand(), optimizeCommand(), marginCommand(),
        verifyCommand(), downloadCommand() };
    return all;
}

QString programHelp()
{
    QString text = QStringLiteral("Uso: %1 COMANDO [opções]\n\n"
                                  "Fechamentos do QUIRVA pelo terminal.\n\nComandos:\n")
                       .arg(kProgram);
    for (const Command& command : commands())
        text += QStringLiteral("  %1  %2\n")
                    .arg(command.spec.name.leftJustified(9), wrapped(command.spec.summary, 13));
    text += QStringLiteral("\n\"%1 COMANDO --ajuda\" explica cada comando.\n\n").arg(kProgram)
        + wrapped(QStringLiteral("Saída: 0 feito; 1 conferência falhou, trabalho interrompido ou "
                                 "incompleto; 2 uso ou arquivo inválido, ou arquivo que não pôde "
                                 "ser gravado."))
        + u'\n';
    return text;
}

} // namespace

namespace CliProgram {

int run(const QStringList& arguments)
{
    Console console(arguments.contains(QStringLiteral("--json")));
    if (arguments.isEmpty()) {
        console.message(programHelp());
        return kBadInput;
    }
    const QString& name = arguments.front();
    if (name == u"--ajuda" || name == u"-h" || name == u"--help" || name == u"ajuda") {
        console.result(programHelp());
        return kDone;
    }
    if (name == u"--versao" || name == u"--version") {
        console.result(kProgram + u' ' + QCoreApplication::applicationVersion());
        return kDone;
    }
    for (const Command& command : commands()) {
        if (command.spec.name != name) continue;
        const CommandLine line = CommandLine::parse(command.spec, arguments.mid(1));
        if (line.helpAsked()) {
            console.result(helpText(command.spec, kProgram));
            return kDone;
        }
        if (!line.ok())
            return refuse(console,
                line.error() + QStringLiteral("\nVeja \"%1 %2 --ajuda\".").arg(kProgram, name));
        return command.run(line, console);
    }
    return refuse(console,
        QStringLiteral("Comando desconhecido: %1\nVeja \"%2 --ajuda\".").arg(name, kProgram));
}

} // namespace CliProgram
