#pragma once

#include <QString>

// The folder of crest and icon files of the open competition, one file per team and picture.
namespace CrestCache {

// Under the program's folder in the build tree; under the user's cache folder when that
// folder is not writable or the program is installed.
QString folder();
// Tests keep their cache apart; an empty path restores the default.
void setFolderOverride(const QString& path);

// Each team's files are named after a hash of its name, so that any name works, even one
// that could not be a file name.
QString crestPath(const QString& team); // hash + "_bla.tmp"
QString iconPath(const QString& team);  // hash + "_ico.tmp"

// Deletes every file of the folder (not the folder itself).
void clear();
// Deletes the files and then the folder; failures are ignored.
void remove();

} // namespace CrestCache
