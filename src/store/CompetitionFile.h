#pragma once

#include "store/Database.h"

#include <QVariant>

namespace store {

inline constexpr char kPassword[] = "508317 Kavru";
inline constexpr char kAppMarker[] = "Zelto Vemo";
inline constexpr char kFileFilter[] = "Compétitions|*.dat";

// The seven properties every competition file is made with, in their order.
inline constexpr const char* kPropertyNames[] = {"App",       "VersionID", "Championnat", "Saison",
                                                 "PtsWinner", "PtsLooser", "PtsEquality"};

inline QByteArray competitionKey()
{
    return QByteArray(kPassword);
}

// Type codes of the named properties, as the file records them.
enum class PropertyType : int { Byte = 2, Text = 10 };

QString applicationVersion(); // "1.1.0"

// Creates the tables, indexes and the seven properties in a fresh, empty database.
[[nodiscard]] DbError createCompetitionSchema(Database& db);

// Creates a new competition file at path (which must not exist) and closes it.
// On failure nothing is left at path.
[[nodiscard]] DbError createCompetitionFile(const QString& path);

[[nodiscard]] DbError readProperty(Database& db, const QString& name, QVariant& value);
[[nodiscard]] DbError writeProperty(Database& db, const QString& name, const QVariant& value);
[[nodiscard]] DbError createProperty(Database& db, const QString& name, PropertyType type,
                                     const QVariant& value);
// Reads a text property that files made before may lack: empty then.
[[nodiscard]] DbError readOptionalProperty(Database& db, const QString& name, QString& value);
// Writes a text property that files made before may lack, creating it then.
[[nodiscard]] DbError writeOptionalProperty(Database& db, const QString& name,
                                            const QString& value);

enum class CompetitionCheck { Ok, OpenFailed, WrongMarker };

// Opens the file at path and tells whether it carries this program's marker. On Ok and
// WrongMarker the database is left open in db for the caller.
CompetitionCheck checkCompetitionFile(const QString& path, std::unique_ptr<Database>& db,
                                      DbError& error);

} // namespace store
