#include "controls/mLanguage.h"
#include "shell/Registration.h"
#include "shell/frmMain.h"
#include "store/PrevInstance.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vemo"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(VEMO_VERSION_MAJOR)
                                            .arg(VEMO_VERSION_MINOR)
                                            .arg(VEMO_VERSION_PATCH));

    Windows::setUpLocale();
    mLanguage::InstallQtTranslations();

    PrevInstance instance;
    if (instance.ActivatePrevInstance())
        return 0;
    instance.listen();

    Windows::registerAll();
    frmMain window;
    QObject::connect(&instance, &PrevInstance::activationRequested, &window,
                     &frmMain::bringToFront);
    window.show();
    return app.exec();
}
