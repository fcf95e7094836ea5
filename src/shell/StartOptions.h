#pragma once

#include <QString>
#include <QStringList>

// What one start of the program asks for: its help, its version, or the main window with
// perhaps a competition file to open. Read before any window exists, so that --help and
// --version answer even without a display.
struct StartOptions
{
    enum Action { Run, Help, Version, Refuse };

    Action action = Run;
    // The competition to open, as an absolute path; empty for none.
    QString file;
    // What Help and Version print on the standard output, Refuse on the error output.
    QString text;

    // arguments as main receives them, the program first; a relative file name is taken from
    // currentFolder.
    static StartOptions parse(const QStringList& arguments, const QString& currentFolder);

    int exitCode() const { return action == Refuse ? 2 : 0; }
};
