#include "cli/CliCommands.h"
#include "store/SafeSaveFile.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fcntl.h>
#include <new>
#include <sys/resource.h>
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

void say(const char* message)
{
    (void)!write(STDERR_FILENO, message, std::strlen(message));
}

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
    say(memory ? "vemo-cli : mémoire insuffisante.\n"
               : "vemo-cli : erreur interne, le programme s'arrête.\n");
    _exit(memory ? 1 : 134);
}

long pageSize = 4096;

// Whether the process uses most of the address space its limit allows. Reads only what a
// signal handler may read.
bool nearMemoryLimit()
{
    rlimit limit = {};
    if (::getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return false;
    const int fd = ::open("/proc/self/statm", O_RDONLY);
    if (fd < 0)
        return false;
    char text[64] = {};
    const ssize_t n = ::read(fd, text, sizeof text - 1);
    ::close(fd);
    unsigned long long pages = 0;
    for (ssize_t i = 0; i < n && text[i] >= '0' && text[i] <= '9'; ++i)
        pages = pages * 10 + unsigned(text[i] - '0');
    return pages * (unsigned long long)pageSize >= limit.rlim_cur / 4 * 3;
}

// Some libraries write through the null pointer that an allocation failing at the memory limit
// left them. Near that limit such a crash is told as the lack of memory it is; anywhere else it
// stays the crash it is. Either way no half-written file is left.
[[maybe_unused]] void onCrash(int signal)
{
    store::SafeSaveFile::removeUnfinished();
    if (nearMemoryLimit()) {
        say("vemo-cli : mémoire insuffisante.\n");
        _exit(1);
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

int main(int argc, char* argv[])
{
    std::set_terminate(onTerminate);
    pageSize = ::sysconf(_SC_PAGESIZE);
#if !defined(__SANITIZE_ADDRESS__) // the sanitizer reports crashes itself
    std::signal(SIGSEGV, onCrash);
    std::signal(SIGBUS, onCrash);
#endif
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
