#pragma once

#include <QString>

class PrevInstance;
class frmMain;

// What a start of the program does once its command line is read (StartOptions).
namespace StartUp {

// Hands the start to a running instance: asks it to come forward, and to open file when one
// is given. True when one answered: this process then ends.
bool handOver(PrevInstance& instance, const QString& file);

// Serves later starts in window: each brings it to the front and opens its file.
void serve(PrevInstance& instance, frmMain& window);

// Opens path as Fichier > Ouvrir does, once the event loop turns and no dialog is open (a
// dialog of the program may be waiting for an answer about the competition now open).
void openWhenIdle(const QString& path);

} // namespace StartUp
