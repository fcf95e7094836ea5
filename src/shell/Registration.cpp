#include "shell/Registration.h"

#include "analysis/frmMDIAnalyses.h"
#include "bets/frmParis.h"
#include "matches/frmMDIRencontres.h"
#include "shell/AppHost.h"
#include "standings/frmMDIClassement.h"
#include "teams/frmMDIEquipes.h"
#include "teams/frmNouveau.h"

#include <QLocale>

namespace Windows {

void registerAll()
{
    AppHost::registerWindow(4, [] { return new frmParis; });
    AppHost::registerWindow(2, [] { return new frmMDIRencontres; });
    AppHost::registerWindow(1, [] { return new frmMDIEquipes; });
    AppHost::registerWindow(3, [] { return new frmMDIClassement; });
    AppHost::registerWindow(5, [] { return new frmMDIAnalyses; });
    AppHost::setWizardFactory([] { return std::make_unique<frmNouveau>(); });
}

void setUpLocale()
{
    // The program speaks French: its numbers and dates are written the French way whatever
    // the language of the system.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

} // namespace Windows
