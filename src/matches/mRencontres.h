#pragma once

#include <QString>

namespace mRencontres {

// Matches expected per matchday (teams / 2), in its shortest form with the user's decimal
// separator: "10" for 20 teams, "2,5" for 5 teams in French.
QString expectedMatches(int teamCount);

} // namespace mRencontres
