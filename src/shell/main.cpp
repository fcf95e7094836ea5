#include "controls/mLanguage.h"
#include "shell/AppIcon.h"
#include "shell/Registration.h"
#include "shell/StartOptions.h"
#include "shell/StartUp.h"
#include "shell/frmMain.h"
#include "store/PrevInstance.h"

#include <QApplication>
#include <QDir>
#include <csignal>
#include <cstdio>

int main(int argc, char* argv[])
{
    // Past the file size limit a write fails and is reported instead of killing the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const StartOptions options = StartOptions::parse(arguments, QDir::currentPath());
    if (options.action != StartOptions::Run) {
        std::fputs(options.text.toUtf8().constData(),
                   options.action == StartOptions::Refuse ? stderr : stdout);
        return options.exitCode();
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vemo"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(VEMO_VERSION_MAJOR)
                                            .arg(VEMO_VERSION_MINOR)
                                            .arg(VEMO_VERSION_PATCH));
    QGuiApplication::setDesktopFileName(QStringLiteral("vemo"));
    QApplication::setWindowIcon(AppIcon::icon());

    Windows::setUpLocale();
    mLanguage::InstallQtTranslations();

    PrevInstance instance;
    if (StartUp::handOver(instance, options.file))
        return 0;
    instance.listen();

    Windows::registerAll();
    frmMain window;
    StartUp::serve(instance, window);
    window.show();
    if (!options.file.isEmpty())
        StartUp::openWhenIdle(options.file);
    return app.exec();
}
