#include "cli/CliCommands.h"

#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vemo-cli"));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    return Cli::run(args);
}
