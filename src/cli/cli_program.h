#pragma once

#include <QStringList>

// The program quirva-cli: the command named by the first argument runs with the others.
namespace CliProgram {

// Runs the command line (without the program's name) and returns the exit status.
int run(const QStringList& arguments);

} // namespace CliProgram
