#include "shell/AppHost.h"

#include "shell/frmMain.h"

#include <QPointer>

namespace AppHost {

namespace {
QPointer<frmMain> s_main;
WizardFactory s_wizard;
} // namespace

frmMain* mainWindow()
{
    return s_main.data();
}

void setMainWindow(frmMain* window)
{
    s_main = window;
}

void setWizardFactory(WizardFactory factory)
{
    s_wizard = std::move(factory);
}

std::unique_ptr<INewCompetitionWizard> makeWizard()
{
    return s_wizard ? s_wizard() : nullptr;
}

} // namespace AppHost
