#pragma once

#include "cli/command_line.h"

#include <QString>
#include <functional>
#include <optional>

class Console;

// The program's exit statuses, as its manual page lists them.
enum ExitStatus {
    kDone = 0, // done: written, closes 100 %, every draw guaranteed
    kIncomplete = 1, // a check failed, or the work was stopped or left incomplete
    kBadInput = 2 // bad usage, a bad file or a file that could not be written
};

// One command of the program: what it takes and what it does.
struct Command {
    CommandSpec spec;
    std::function<int(const CommandLine&, Console&)> run;
};

// Says why the input is refused and returns kBadInput.
int refuse(Console& console, const QString& text);

// A time such as "60", "90s", "10m" or "8h", in seconds; nullopt when it is none.
std::optional<double> parseSeconds(const QString& text);
// --threads: a count of worker threads, 0 for one per core; nullopt when it is none.
std::optional<int> parseThreads(const QString& text);

// The options every command that runs long takes.
OptionSpec threadsOption();
OptionSpec jsonOption();
