#include "shell/AppHost.h"

#include "shell/frmMain.h"

#include <QHash>
#include <QPointer>

namespace AppHost {

namespace {
QPointer<frmMain> s_main;
WizardFactory s_wizard;
QHash<int, WindowFactory> s_windows;
QPointer<QWidget> s_comparison;
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

void registerWindow(int item, WindowFactory factory)
{
    if (factory)
        s_windows.insert(item, std::move(factory));
    else
        s_windows.remove(item);
}

QWidget* makeWindow(int item)
{
    const auto it = s_windows.constFind(item);
    return it == s_windows.constEnd() ? nullptr : it.value()();
}

QWidget* comparisonWindow()
{
    return s_comparison.data();
}

void setComparisonWindow(QWidget* window)
{
    s_comparison = window;
}

} // namespace AppHost
