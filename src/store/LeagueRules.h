#pragma once

#include "store/Database.h"

#include <QString>
#include <optional>
#include <vector>

namespace store {

// Points taken away from a team, counted in the general standings from a matchday on.
struct Penalty
{
    qint64 rowid = 0;
    QString equipe;
    int points = 0;  // 1 to 255
    int journee = 1; // from this matchday on
    QString motif;   // 1 to 250 characters
};

// How teams level on points are told apart. Goals: goal difference, then goals scored.
// HeadToHead: first the matches between the level teams only (points, goal difference,
// goals scored), then the overall goal difference and goals scored.
enum class TieBreak { Goals, HeadToHead };

// The values of the "Départage" property: "Buts" and "Confrontations".
QString tieBreakName(TieBreak tieBreak);
std::optional<TieBreak> tieBreakFromName(const QString& name);

inline const QString kPenaltyTable = QStringLiteral("Pénalités");
inline const QString kTieBreakProperty = QStringLiteral("Départage");

// Whether the file has the table of penalties; files made before it have none.
[[nodiscard]] DbError hasPenaltyTable(Database& db, bool& exists);
// Every penalty, by team then matchday; none when the file has no table of penalties.
[[nodiscard]] DbError loadPenalties(Database& db, std::vector<Penalty>& penalties);
// The competition's tie-break; Goals when the file has no such property.
[[nodiscard]] DbError readTieBreak(Database& db, TieBreak& tieBreak);
// Writes the tie-break, adding the property to a file that has none.
[[nodiscard]] DbError writeTieBreak(Database& db, TieBreak tieBreak);

} // namespace store
