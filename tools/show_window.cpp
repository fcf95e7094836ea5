// Starts the main window on a competition and shows one navigator item, for screenshots:
//   show_window FILE.dat [ITEM] [WIDTHxHEIGHT]
// ITEM is the navigator item (1 teams, 2 matches, 3 standings, 4 bets, 5 analyses).
//   show_window --about
// shows the empty main window with the about box over it. Not installed.
#include "controls/mLanguage.h"
#include "shell/AppIcon.h"
#include "shell/CompetitionCommands.h"
#include "shell/Registration.h"
#include "shell/frmAbout.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vemo"));
    const QStringList args = QApplication::arguments();
    if (args.size() < 2)
        return 2;
    Windows::setUpLocale();
    mLanguage::InstallQtTranslations();
    QApplication::setWindowIcon(AppIcon::icon());
    Windows::registerAll();
    frmMain window;
    if (args.size() > 3) {
        const QStringList size = args[3].split(QLatin1Char('x'));
        window.resize(size.value(0).toInt(), size.value(1).toInt());
    }
    window.move(0, 0);
    window.show();
    if (args[1] == QLatin1String("--about")) {
        QTimer::singleShot(0, [&] {
            frmAbout about(&window);
            about.exec();
        });
        return app.exec();
    }
    QTimer::singleShot(0, [&] {
        if (Utilities::OpenCompetition(args[1]) && args.size() > 2)
            window.tbSection_ItemClick(1, args[2].toInt());
    });
    return app.exec();
}
