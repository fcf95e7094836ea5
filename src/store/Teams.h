#pragma once

#include "store/Competition.h"
#include "store/Database.h"

#include <QStringList>
#include <vector>

namespace store {

// The row of the team with this name as the file compares names (letter case ignored), or 0.
[[nodiscard]] DbError findTeam(Database& db, const QString& name, qint64& rowid);
// The team of this row with its pictures; found is false when there is no such row.
[[nodiscard]] DbError readTeam(Database& db, qint64 rowid, TeamPictures& team, bool& found);
// Every team's name, sorted as the team list is.
[[nodiscard]] DbError loadTeamNames(Database& db, std::vector<QString>& names);
// Every team with its pictures, in the order they were added.
[[nodiscard]] DbError loadTeamPictures(Database& db, std::vector<TeamPictures>& teams);

// Adds a team; an empty picture stores none.
[[nodiscard]] DbError addTeam(Database& db, const TeamPictures& team);
// Adds the teams in one transaction. A team that the file refuses on its own account (its
// name is already there) is left out and named in refused; any other failure adds none.
[[nodiscard]] DbError addTeams(Database& db, const std::vector<TeamPictures>& teams,
                               QStringList& refused);
// Rewrites the team of this row with fields; when the name changes, its matches and its
// deductions, its fixtures and the names kept for it follow it. All of it or none of it.
[[nodiscard]] DbError updateTeam(Database& db, qint64 rowid, const QString& oldName,
                                 const Fields& fields);
// Removes the team of this row from the team list, with its deductions.
[[nodiscard]] DbError deleteTeam(Database& db, qint64 rowid);

} // namespace store
