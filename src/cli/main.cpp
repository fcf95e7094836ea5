#include "cli/CliCommands.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdio>
#include <cstring>

namespace {

// The tool speaks French only: the diagnostics of the libraries are not for its users.
void keepSerious(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}

int runTool()
{
    QCoreApplication::setApplicationName(QStringLiteral("vemo-cli"));
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    return Cli::run(args);
}

} // namespace

int main(int argc, char* argv[])
{
    // Painting pages needs fonts, hence a GUI application, but never a display.
    if (argc > 1 && std::strcmp(argv[1], "report") == 0) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(keepSerious);
        QGuiApplication app(argc, argv);
        return runTool();
    }
    QCoreApplication app(argc, argv);
    return runTool();
}
