#pragma once

#include <QString>
#include <functional>
#include <memory>

class QWidget;
class frmMain;
class WorkingWindow;
namespace store {
struct SeasonSource;
}

// The new-competition wizard as CreateCompetition sees it.
class INewCompetitionWizard
{
public:
    virtual ~INewCompetitionWizard() = default;
    // The empty competition file in the temporary folder; the wizard opens it itself.
    virtual void GetDatabase(const QString& workingFile) = 0;
    // Before showModal: the name, season and teams of a season's file to start from; its
    // matches, as the teams end up named, are written with the competition.
    virtual void startFrom(const store::SeasonSource& source) = 0;
    // Shows the wizard modally over owner. Returns the path chosen in its save dialog, or
    // an empty text when the user cancelled (the wizard has then deleted the working file).
    virtual QString showModal(QWidget* owner) = 0;
};

// What the windows of the program reach each other through.
namespace AppHost {

frmMain* mainWindow();
void setMainWindow(frmMain* window);

using WizardFactory = std::function<std::unique_ptr<INewCompetitionWizard>()>;
void setWizardFactory(WizardFactory factory);
std::unique_ptr<INewCompetitionWizard> makeWizard(); // null while none is registered

// The working windows of navigator items 1 to 3 and 5, and the bets window of item 4. An
// item whose window is not registered does nothing.
using WindowFactory = std::function<QWidget*()>;
void registerWindow(int item, WindowFactory factory);
QWidget* makeWindow(int item); // null while none is registered

// The second team window, while it exists.
QWidget* comparisonWindow();
void setComparisonWindow(QWidget* window);

} // namespace AppHost
