#pragma once

#include <QString>

// The data files that the programs read: the generic crests and the guide. They sit beside
// the executable in the build tree, and in ../share/vemo beside the bin folder once installed.
namespace DataFiles {

// The folder that holds them for a program in programFolder: the installed data folder when
// it exists, otherwise programFolder itself.
QString folder(const QString& programFolder);
// Of this program.
QString folder();
// The file name in that folder.
QString path(const QString& name);
// True when the program runs where it was built: its data files are beside it.
bool besideProgram();

} // namespace DataFiles
