#pragma once

#include "store/Database.h"
#include "store/SeasonSource.h"

#include <QByteArray>
#include <QString>
#include <memory>

// The routines of the competition commands that speak to the user.
namespace Utilities {

// Makes path the current competition; on failure says why and changes nothing.
bool OpenCompetition(const QString& path);
// Builds a new competition with the wizard and moves it where the user chose; returns its
// path, or an empty text when nothing was created.
// From a season's file, the wizard starts with its name, season and teams.
QString CreateCompetition(const store::SeasonSource* source = nullptr);
// Asks for a season's file (open football JSON, football-data CSV) and, when it can make a
// competition, builds one from it with the wizard; a file refused is told and creates nothing.
QString CreateCompetitionFromData();
// True when path is a competition file; the open database is then in slot for the caller.
bool IsCompetitionFile(std::unique_ptr<store::Database>& slot, const QString& path);

// As TryReadFileBytes / TryWriteFileBytes, with the user told of a failure.
QByteArray ReadFileBytes(const QString& path);
bool WriteFileBytes(const QString& path, const QByteArray& bytes);

} // namespace Utilities
