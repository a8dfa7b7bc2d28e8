#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

// One option a command takes: "--garantia G" (with a value) or "--json" (a switch).
struct OptionSpec {
    QString name; // without the dashes
    QChar shortName; // null when there is none
    QString valueName; // empty for a switch
    QString help;
};

// What a command takes and how its help reads.
struct CommandSpec {
    QString name;
    QString summary; // one line for the program's help
    QString usage; // the arguments after the command's name
    std::vector<OptionSpec> options;
    QString details; // further paragraphs of the help
    int minPositional = 0, maxPositional = 0;
};

// The arguments of one command, checked against its spec: every option known, every value
// given, the right number of file names. Options may come in any order, as "--name value",
// "--name=value" or "-n value"; "--" ends the options.
class CommandLine
{
public:
    static CommandLine parse(const CommandSpec& spec, const QStringList& arguments);

    bool ok() const { return error_.isEmpty(); }
    // Why the arguments were refused, in the user's terms.
    QString error() const { return error_; }
    bool helpAsked() const { return has(QStringLiteral("ajuda")); }

    bool has(const QString& name) const { return values_.count(name) > 0; }
    QString value(const QString& name, const QString& fallback = {}) const;
    const QStringList& positional() const { return positional_; }

private:
    std::map<QString, QString> values_;
    QStringList positional_;
    QString error_;
};

// The help of a command: usage, summary, options with their explanations, details.
QString helpText(const CommandSpec& spec, const QString& program);

// A paragraph broken at blanks into lines of at most 79 characters; the lines after the first
// start with `indent` blanks (the first is the caller's to place).
QString wrapped(const QString& text, qsizetype indent = 0);
