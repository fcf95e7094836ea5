#pragma once

// Makes every window of the program known to the main window's navigator and commands.
namespace Windows {
void registerAll();
// Numbers and dates are written the French way, as the program's texts are.
void setUpLocale();
} // namespace Windows
