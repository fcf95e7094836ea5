#pragma once

// Qt's own texts (standard buttons, file dialogs) in the program's language.
namespace mLanguage {

// Installs Qt's French translations on a French system, and on one without a configured
// language (the C locale), where the program uses French formats. Called once at start;
// false when they are not wanted or could not be found.
bool InstallQtTranslations();

} // namespace mLanguage
