#include "cli/command_bet.h"

#include "cli/command_files.h"
#include "cli/console.h"
#include "engine/base/conversion.h"
#include "engine/base/random_source.h"
#include "engine/generate/line_format.h"

#include <QRegularExpression>
#include <array>

namespace {

// The parameters the rules may change, with the names the window gives their fields; K first,
// as a closing file's K refused says more than the bet it makes.
struct Parameter {
    QString ParameterFields::*field;
    const char* caption;
};
const std::array<Parameter, 6> parameters { {
    { &ParameterFields::K, "Dezenas marcadas por bilhete" },
    { &ParameterFields::T, "Total de Dezenas a Apostar" },
    { &ParameterFields::F, "Dezenas Fixas" },
    { &ParameterFields::D, "Total de Dezenas Sorteadas" },
    { &ParameterFields::G, "Garantia Pretendida >=" },
    { &ParameterFields::C, "Condição para Acerto" },
} };

std::optional<Modality> modalityNamed(const QString& text)
{
    for (int m = 0; m <= static_cast<int>(Modality::Outros); ++m)
        if (text.compare(modalityCode(Modality(m)), Qt::CaseInsensitive) == 0) return Modality(m);
    return std::nullopt;
}

QString numbersText(const TicketMask& numbers)
{
    QStringList texts;
    numbers.forEach([&](int n) { texts << LineFormat::numberText(n); });
    return texts.join(u' ');
}

} // namespace

std::vector<OptionSpec> CommandBet::options(bool numbers, bool total)
{
    std::vector<OptionSpec> options {
        { QStringLiteral("modalidade"), u'm', QStringLiteral("COD"),
            QStringLiteral("LM Lotomania, LF Lotofácil, MS Mega-Sena, DS Dupla-Sena, QI Quina "
                           "ou OU Outros (obrigatória)") },
        { QStringLiteral("por-bilhete"), u'k', QStringLiteral("K"),
            QStringLiteral("Dezenas marcadas por bilhete") },
        { QStringLiteral("sorteadas"), u'd', QStringLiteral("D"),
            QStringLiteral("Total de Dezenas Sorteadas (Outros)") },
        { QStringLiteral("garantia"), u'g', QStringLiteral("G"),
            QStringLiteral("Garantia Pretendida >=") },
        { QStringLiteral("condicao"), u'c', QStringLiteral("C"),
            QStringLiteral("Condição para Acerto") },
        { QStringLiteral("maior"), u'u', QStringLiteral("U"),
            QStringLiteral("maior dezena da modalidade Outros (2 a 100)") },
    };
    if (total)
        options.push_back({ QStringLiteral("total"), u't', QStringLiteral("T"),
            QStringLiteral("Total de Dezenas a Apostar, sorteadas ao acaso como em "
                           "\"&Sortear Bilhete\"") });
    if (numbers) {
        options.push_back({ QStringLiteral("dezenas"), QChar(), QStringLiteral("LISTA"),
            QStringLiteral("as dezenas da aposta, por exemplo 01,02,03 (00 é 100)") });
        options.push_back({ QStringLiteral("fixas"), QChar(), QStringLiteral("LISTA"),
            QStringLiteral("as dezenas fixas, presentes em todo bilhete") });
    }
    return options;
}

OptionSpec CommandBet::seedOption()
{
    return { QStringLiteral("semente"), QChar(), QStringLiteral("N"),
        QStringLiteral("fixa a semente do gerador aleatório, para repetir uma execução") };
}

OptionSpec CommandBet::separatorOption()
{
    return { QStringLiteral("separador"), QChar(), QStringLiteral("CAR"),
        QStringLiteral("separador entre dezenas nas linhas escritas (padrão: espaço)") };
}

bool CommandBet::fail(const QString& text)
{
    error_ = text;
    return false;
}

bool CommandBet::readValue(const CommandLine& line, const QString& option, QString& field)
{
    if (!line.has(option)) return true;
    int value = 0;
    if (!tryStrToInt(line.value(option), value))
        return fail(QStringLiteral("Valor inválido para --%1: '%2' não é um número inteiro.")
                        .arg(option, line.value(option)));
    field = QString::number(value);
    return true;
}

bool CommandBet::readNumbers(const CommandLine& line, const QString& option, TicketMask& into)
{
    const QStringList items = line.value(option).split(
        QRegularExpression(QStringLiteral("[\\s,;]+")), Qt::SkipEmptyParts);
    for (const QString& item : items) {
        int n = 0;
        if (!tryStrToInt(item, n) || n < 0 || n > 100)
            return fail(QStringLiteral("Dezena inválida em --%1: '%2'.").arg(option, item));
        if (n == 0) n = 100; // "00" is 100, as everywhere in the program
        if (into.has(n))
            return fail(QStringLiteral("A dezena %1 aparece duas vezes em --%2.")
                            .arg(LineFormat::numberText(n), option));
        into.add(n);
    }
    return true;
}

bool CommandBet::readOptions(const CommandLine& line)
{
    if (!line.has(QStringLiteral("modalidade")))
        return fail(QStringLiteral("Falta a modalidade: --modalidade LM, LF, MS, DS, QI ou OU."));
    const std::optional<Modality> modality
        = modalityNamed(line.value(QStringLiteral("modalidade")));
    if (!modality)
        return fail(QStringLiteral("Modalidade desconhecida: '%1'. Use LM, LF, MS, DS, QI ou OU.")
                        .arg(line.value(QStringLiteral("modalidade"))));
    modality_ = *modality;

    // The window starts in Lotomania; a modality then writes its own values, Outros none.
    applyModalityDefaults(fields_, Modality::Lotomania);
    applyModalityDefaults(fields_, modality_);
    if (line.has(QStringLiteral("maior"))) {
        if (modality_ != Modality::Outros)
            return fail(QStringLiteral("--maior só vale para a modalidade Outros (OU)."));
        if (!readValue(line, QStringLiteral("maior"), fields_.U)) return false;
        leaveHighestNumber(fields_);
    }
    const std::pair<const char*, QString ParameterFields::*> values[]
        = { { "total", &ParameterFields::T }, { "por-bilhete", &ParameterFields::K },
              { "sorteadas", &ParameterFields::D }, { "garantia", &ParameterFields::G },
              { "condicao", &ParameterFields::C } };
    for (const auto& [option, field] : values)
        if (!readValue(line, QString::fromLatin1(option), fields_.*field)) return false;
    kGiven_ = line.has(QStringLiteral("por-bilhete"));
    totalGiven_ = line.has(QStringLiteral("total"));

    if (line.has(QStringLiteral("dezenas"))) {
        numbers_ = TicketMask {};
        if (!readNumbers(line, QStringLiteral("dezenas"), *numbers_)) return false;
    }
    if (line.has(QStringLiteral("fixas"))
        && !readNumbers(line, QStringLiteral("fixas"), fixedNumbers_))
        return false;
    fields_.F = QString::number(fixedNumbers_.count());

    if (line.has(QStringLiteral("separador"))) {
        const QString text = line.value(QStringLiteral("separador"));
        if (text.size() != 1 || LineFormat::effectiveSeparator(text) != text[0])
            return fail(QStringLiteral("O separador tem que ser um só caractere que não seja "
                                       "dígito, por exemplo \";\"."));
        separator_ = text[0];
    }
    if (line.has(QStringLiteral("semente"))) {
        bool ok = false;
        const qulonglong seed = line.value(QStringLiteral("semente")).toULongLong(&ok);
        if (!ok)
            return fail(QStringLiteral("Semente inválida: '%1'.")
                            .arg(line.value(QStringLiteral("semente"))));
        RandomSource::instance().fixSeed(seed);
    }
    return true;
}

bool CommandBet::settle(const TicketMask* closingNumbers, Console& console)
{
    const int highest = qBound(0, StrToInt(fields_.U), 100);
    std::optional<TicketMask> bet = numbers_;
    if (!bet && closingNumbers) bet = *closingNumbers;
    if (bet) {
        const TicketMask all = *bet | fixedNumbers_;
        TicketMask outside;
        all.forEach([&](int n) {
            if (n > highest) outside.add(n);
        });
        if (!outside.empty())
            return fail(
                QStringLiteral("Dezenas fora da %1 (01 a %2): %3.")
                    .arg(modalityName(), LineFormat::numberText(highest), numbersText(outside)));
        if (totalGiven_ && StrToInt(fields_.T) != all.count())
            return fail(QStringLiteral("--total %1 não confere com as %2 dezenas da aposta.")
                            .arg(fields_.T)
                            .arg(all.count()));
        fields_.T = QString::number(all.count());
    }

    const ParameterFields given = fields_;
    normaliseParameters(fields_, modality_);
    clampSimulatedDrawSize(fields_);
    for (const Parameter& p : parameters) {
        if (given.*p.field == fields_.*p.field) continue;
        const QString caption = QString::fromUtf8(p.caption);
        if (p.field == &ParameterFields::T && bet)
            return fail(QStringLiteral("A aposta tem %1 dezenas, mas pelas regras da %2 o %3 "
                                       "passa a %4.")
                            .arg(given.T, modalityName(), caption, fields_.T));
        if (p.field == &ParameterFields::F)
            return fail(QStringLiteral("Com estes parâmetros a %1 admite no máximo %2 dezenas "
                                       "fixas (menos que a Condição para Acerto); foram dadas %3.")
                            .arg(modalityName(), fields_.F, given.F));
        if (p.field == &ParameterFields::K && closingNumbers)
            return fail(QStringLiteral("O fechamento tem bilhetes de %1 dezenas, mas pelas regras "
                                       "da %2 as %3 são %4.")
                            .arg(given.K, modalityName(), caption, fields_.K));
        console.message(QStringLiteral("Aviso: %1 passou de %2 para %3 pelas regras da %4.")
                            .arg(caption, given.*p.field, fields_.*p.field, modalityName()));
    }

    board_.applyNumberRange(highest);
    fixedNumbers_.forEach([&](int n) { board_.setState(n, Board::State::Fixed); });
    if (bet) {
        bet->forEach([&](int n) {
            if (board_.state(n) == Board::State::Free) board_.setState(n, Board::State::Selected);
        });
        return true;
    }
    RandomSource::instance().reseedFromClock();
    if (!board_.drawRandom(T(), F(), RandomSource::instance()))
        return fail(QStringLiteral(
            "Não há dezenas livres suficientes na modalidade para completar o bilhete."));
    return true;
}

int CommandBet::value(const QString& field)
{
    return StrToInt(field);
}

QString CommandBet::modalityName() const
{
    return QString::fromUtf8(modalityDefaults(modality_).name);
}

namespace {

// The fields every engine's setup has in common, from the bet.
template <typename Setup> Setup setupFor(const CommandBet& bet)
{
    Setup setup;
    setup.K = bet.K();
    setup.F = bet.F();
    setup.G = bet.G();
    setup.C = bet.C();
    setup.selected = bet.selected();
    setup.fixed = bet.fixed();
    return setup;
}

} // namespace

CoveringGenerator::Setup CommandBet::generatorSetup(bool balancedPick) const
{
    auto setup = setupFor<CoveringGenerator::Setup>(*this);
    setup.fixedLine = fixedLine();
    setup.balancedPick = balancedPick;
    return setup;
}

MarginCheck::Setup CommandBet::marginSetup(bool complete) const
{
    auto setup = setupFor<MarginCheck::Setup>(*this);
    setup.fixedLine = fixedLine();
    setup.complete = complete;
    return setup;
}

ClosingOptimizer::Setup CommandBet::optimizerSetup() const
{
    return setupFor<ClosingOptimizer::Setup>(*this);
}

bool CommandBet::readClosing(const QString& path, LineStore& closing, TicketMask& numbers)
{
    if (const int fileK = CommandFiles::numbersPerLine(path); fileK > 0 && !kGiven_)
        fields_.K = QString::number(fileK);
    return CommandFiles::read(path, value(fields_.K), closing, numbers, error_);
}
