#pragma once

#include <QStringList>

// The command-line tool: exit 0 on success, 1 on refused input, 2 on misuse.
namespace Cli {

enum Exit { Ok = 0, Refused = 1, Misuse = 2 };

int run(const QStringList& args);

} // namespace Cli
