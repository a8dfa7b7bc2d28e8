#include "cli/cli_program.h"
#include "cli/stop_signal.h"
#include "engine/base/application_name.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // The window's name, so that both read the same settings and keep the same caches.
    QCoreApplication::setApplicationName(kApplicationName);
    QCoreApplication::setApplicationVersion(QStringLiteral(QUIRVA_VERSION));
    StopSignal::install();
    return CliProgram::run(QCoreApplication::arguments().mid(1));
}
