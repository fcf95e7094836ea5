#pragma once

// Makes every window of the program known to the main window's navigator and commands.
namespace Windows {
void registerAll();
// A machine without a configured language gets the French formats of the program's texts.
void setUpLocale();
} // namespace Windows
