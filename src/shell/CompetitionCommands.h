#pragma once

#include "store/Database.h"

#include <QByteArray>
#include <QString>
#include <memory>

// The routines of the competition commands that speak to the user.
namespace Utilities {

// Makes path the current competition; on failure says why and changes nothing.
bool OpenCompetition(const QString& path);
// Builds a new competition with the wizard and moves it where the user chose; returns its
// path, or an empty text when nothing was created.
QString CreateCompetition();
// True when path is a competition file; the open database is then in slot for the caller.
bool IsCompetitionFile(std::unique_ptr<store::Database>& slot, const QString& path);

// As TryReadFileBytes / TryWriteFileBytes, with the user told of a failure.
QByteArray ReadFileBytes(const QString& path);
bool WriteFileBytes(const QString& path, const QByteArray& bytes);

} // namespace Utilities
