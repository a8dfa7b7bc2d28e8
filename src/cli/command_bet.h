#pragma once

#include "cli/command_line.h"
#include "engine/bet/board.h"
#include "engine/bet/modality.h"
#include "engine/bet/parameters.h"
#include "engine/generate/covering_generator.h"
#include "engine/generate/line_store.h"
#include "engine/generate/margin_check.h"
#include "engine/generate/optimizer_search.h"
#include "engine/generate/ticket_mask.h"

#include <QString>
#include <optional>
#include <vector>

class Console;

// The bet and the parameters of a command, read from its options as the window holds them:
// the values of the modality, then those given, normalised by the window's rules (a value the
// rules change is reported). The bet is the numbers given, or the numbers of a closing file
// (as "Abrir Fechamento" puts them on the board), or a random bet like "&Sortear Bilhete".
class CommandBet
{
public:
    // The options that describe a bet; `numbers` adds --dezenas and --fixas, `total` --total.
    static std::vector<OptionSpec> options(bool numbers, bool total);
    // The option that names the separator, for commands that write lines.
    static OptionSpec separatorOption();
    // The option that fixes the random seed, for commands that draw at random.
    static OptionSpec seedOption();

    // Step one: the modality and the values given. False with error() set when one is wrong.
    bool readOptions(const CommandLine& line);
    Modality modality() const { return modality_; }
    QChar separator() const { return separator_; }
    // A closing file read for this bet: the numbers per ticket of its first line stand for K
    // when none was given. False with error() set when it cannot be read or is invalid.
    bool readClosing(const QString& path, LineStore& closing, TicketMask& numbers);

    // Step two: the bet. `closingNumbers`, a closing's numbers, is the bet when none was given;
    // without either the bet is drawn at random. Then the rules run; a bet the rules would
    // change (more or fewer numbers, fixed numbers or numbers per ticket) is refused.
    bool settle(const TicketMask* closingNumbers, Console& console);

    QString error() const { return error_; }

    const ParameterFields& fields() const { return fields_; }
    int T() const { return value(fields_.T); }
    int K() const { return value(fields_.K); }
    int F() const { return value(fields_.F); }
    int D() const { return value(fields_.D); }
    int G() const { return value(fields_.G); }
    int C() const { return value(fields_.C); }
    const Board& board() const { return board_; }
    // The selected numbers in board order (the generators' positions), and the fixed ones.
    std::vector<int> selected() const { return board_.selectedNumbers(); }
    std::vector<int> fixed() const { return board_.fixedNumbers(); }
    QString fixedLine() const { return board_.fixedText(separator_); }
    QString modalityName() const;

    // The settings of the engines for this bet.
    CoveringGenerator::Setup generatorSetup(bool balancedPick) const;
    MarginCheck::Setup marginSetup(bool complete) const;
    ClosingOptimizer::Setup optimizerSetup() const;

private:
    static int value(const QString& field);
    bool fail(const QString& text);
    bool readValue(const CommandLine& line, const QString& option, QString& field);
    bool readNumbers(const CommandLine& line, const QString& option, TicketMask& into);

    Modality modality_ = Modality::MegaSena;
    QChar separator_ = u' ';
    ParameterFields fields_;
    bool kGiven_ = false, totalGiven_ = false;
    std::optional<TicketMask> numbers_; // --dezenas
    TicketMask fixedNumbers_; // --fixas
    Board board_;
    QString error_;
};
