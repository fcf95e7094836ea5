#include "shell/Registration.h"

#include "shell/AppHost.h"
#include "teams/frmNouveau.h"

namespace Windows {

void registerAll()
{
    AppHost::setWizardFactory([] { return std::make_unique<frmNouveau>(); });
}

} // namespace Windows
