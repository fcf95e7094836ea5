#pragma once

#include <QString>
#include <functional>
#include <memory>

class QWidget;
class frmMain;

// The new-competition wizard as CreateCompetition sees it.
class INewCompetitionWizard
{
public:
    virtual ~INewCompetitionWizard() = default;
    // The empty competition file in the temporary folder; the wizard opens it itself.
    virtual void GetDatabase(const QString& workingFile) = 0;
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

} // namespace AppHost
