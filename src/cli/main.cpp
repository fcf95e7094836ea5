#include "cli/CliCommands.h"
#include "store/SafeSaveFile.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <unistd.h>

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

// An allocation that fails where it cannot be caught (inside the libraries) ends the tool
// with a French message, as one caught at a command's top does; nothing was committed.
[[noreturn]] void onTerminate()
{
    bool memory = false;
    if (const std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::bad_alloc&) {
            memory = true;
        } catch (...) {
        }
    }
    store::SafeSaveFile::removeUnfinished();
    const char* message = memory ? "vemo-cli : mémoire insuffisante.\n"
                                 : "vemo-cli : erreur interne, le programme s'arrête.\n";
    (void)!write(STDERR_FILENO, message, std::strlen(message));
    _exit(memory ? 1 : 134);
}

int main(int argc, char* argv[])
{
    std::set_terminate(onTerminate);
    // Past the file size limit a write fails with a message instead of killing the tool.
    std::signal(SIGXFSZ, SIG_IGN);
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
