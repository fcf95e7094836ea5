#pragma once

#include <QString>

namespace mRencontres {

// Matches of a full matchday: teams / 2, one team resting when their number is odd.
int expectedMatches(int teamCount);

// What a matchday holds, for the matches window and match entry: "Journée 12 : 7 matchs
// joués, 3 à jouer." with fixtures, "Journée 12 : 7 matchs joués sur 10." without.
QString matchdayLine(int journee, int played, int toPlay, int teamCount);

} // namespace mRencontres
