#pragma once

#include "shell/ShownView.h"

class QWidget;

// The commands that bring results in and take what a window shows out: import of a CSV
// file, export to CSV, print with a preview, export to PDF. Every failure is told in French.
namespace TransferCommands {

// Asks for a file of results and adds them to the open competition, all or nothing: the
// program's own CSV, or a season's file from a public source (openfootball JSON, football-data
// CSV), which may be imported again as it grows. True when the competition changed.
bool importResults(QWidget* owner);
void exportView(QWidget* owner, const ShownView& view);
void printView(QWidget* owner, const ShownView& view);
void exportPdf(QWidget* owner, const ShownView& view);

// Files of more than this many bytes are imported under a progress dialog.
inline constexpr qint64 kProgressFrom = 64 * 1024;

} // namespace TransferCommands
