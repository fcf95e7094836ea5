#pragma once

#include "forecast/MatchModel.h"

#include <QString>
#include <optional>

namespace store {
class Competition;
}

namespace forecast {

// The previous season named by a competition, for forecasts that windows refresh often: the
// other file is opened once per version of it (its size and time of change), not on every
// refresh. For the thread that owns the competition.
struct PreviousSeasonRead
{
    std::optional<PreviousSeason> season;
    // Why a previous season that is set was left aside, in French; empty otherwise.
    QString problem;
};

PreviousSeasonRead previousSeasonOf(store::Competition& competition);
// Another competition file read as a previous season, each time.
PreviousSeasonRead readPreviousSeason(const QString& path);

// The model of the competition's teams for matchday `matchday`, learned from the results of
// the matchdays before it and from its previous season when one is set and can be read
// (why it could not, in problem).
MatchModel fitCompetition(store::Competition& competition,
                          const std::vector<store::MatchRow>& results, int matchday,
                          QString* problem = nullptr);

} // namespace forecast
