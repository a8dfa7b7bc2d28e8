#include "cli/command_line.h"

namespace {

const OptionSpec* findOption(const CommandSpec& spec, const QString& name, bool shortForm)
{
    for (const OptionSpec& option : spec.options)
        if (shortForm ? (!option.shortName.isNull() && name == option.shortName)
                      : name == option.name)
            return &option;
    // Help is understood in English as well, as every program on the system understands it.
    static const OptionSpec help { QStringLiteral("ajuda"), u'h', {}, {} };
    if (shortForm ? name == u"h" : (name == u"ajuda" || name == u"help")) return &help;
    return nullptr;
}

} // namespace

CommandLine CommandLine::parse(const CommandSpec& spec, const QStringList& arguments)
{
    CommandLine line;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool isOption = !optionsEnded && argument.size() > 1 && argument.startsWith(u'-')
            && !argument.at(1).isDigit();
        if (!optionsEnded && argument == u"--") {
            optionsEnded = true;
            continue;
        }
        if (!isOption) {
            line.positional_ << argument;
            continue;
        }
        const bool shortForm = !argument.startsWith(QStringLiteral("--"));
        QString name = argument.mid(shortForm ? 1 : 2);
        QString value;
        bool inlineValue = false;
        if (const qsizetype equals = name.indexOf(u'='); !shortForm && equals >= 0) {
            value = name.mid(equals + 1);
            name.truncate(equals);
            inlineValue = true;
        }
        const OptionSpec* option = findOption(spec, name, shortForm);
        if (!option) {
            line.error_ = QStringLiteral("Opção desconhecida: %1").arg(argument);
            return line;
        }
        if (option->valueName.isEmpty()) {
            if (inlineValue) {
                line.error_ = QStringLiteral("A opção --%1 não leva valor.").arg(option->name);
                return line;
            }
        } else if (!inlineValue) {
            if (i + 1 >= arguments.size()) {
                line.error_ = QStringLiteral("Falta o valor da opção --%1 (%2).")
                                  .arg(option->name, option->valueName);
                return line;
            }
            value = arguments[++i];
        }
        line.values_[option->name] = value;
    }
    if (line.helpAsked()) return line;
    if (line.positional_.size() < spec.minPositional) {
        line.error_ = QStringLiteral("Faltam argumentos: %1 %2").arg(spec.name, spec.usage);
    } else if (line.positional_.size() > spec.maxPositional) {
        line.error_ = QStringLiteral("Argumento a mais: %1").arg(line.positional_.last());
    }
    return line;
}

QString CommandLine::value(const QString& name, const QString& fallback) const
{
    const auto found = values_.find(name);
    return found == values_.end() ? fallback : found->second;
}

QString wrapped(const QString& text, qsizetype indent)
{
    constexpr qsizetype width = 79;
    QString out, line;
    qsizetype lineStart = indent;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && lineStart + line.size() + 1 + word.size() > width) {
            out += line + u'\n' + QString(indent, u' ');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return out + line;
}

QString helpText(const CommandSpec& spec, const QString& program)
{
    QString text = QStringLiteral("Uso: %1 %2 %3\n\n%4\n\nOpções:\n")
                       .arg(program, spec.name, spec.usage, wrapped(spec.summary));
    std::vector<std::pair<QString, QString>> rows;
    for (const OptionSpec& option : spec.options) {
        QString left = option.shortName.isNull() ? QStringLiteral("    ")
                                                 : QStringLiteral("-%1, ").arg(option.shortName);
        left += QStringLiteral("--") + option.name;
        if (!option.valueName.isEmpty()) left += u' ' + option.valueName;
        rows.emplace_back(left, option.help);
    }
    rows.emplace_back(QStringLiteral("-h, --ajuda"), QStringLiteral("mostra esta ajuda"));
    qsizetype width = 0;
    for (const auto& row : rows)
        width = std::max(width, row.first.size());
    for (const auto& [left, help] : rows)
        text += QStringLiteral("  ") + left.leftJustified(width + 2) + wrapped(help, width + 4)
            + u'\n';
    if (!spec.details.isEmpty()) text += u'\n' + wrapped(spec.details) + u'\n';
    return text;
}
