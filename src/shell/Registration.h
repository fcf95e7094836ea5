#pragma once

// Makes every window of the program known to the main window's navigator and commands.
namespace Windows {
void registerAll();
}
