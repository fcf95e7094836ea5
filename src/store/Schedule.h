#pragma once

#include <QtGlobal>
#include <utility>
#include <vector>

// The fixtures of a season: every ordered pairing not yet in the file gets a matchday.
namespace store {

struct PlannedMatch
{
    int journee; // 1 .. matchdayCount(teamCount)
    int home;    // indices into the team list
    int away;

    bool operator==(const PlannedMatch&) const = default;
};

struct ScheduleInput
{
    int teamCount = 0; // 2 .. kMaxTeams
    // Results and fixtures already in the file. Those naming no valid pair of teams are ignored;
    // one outside the season's matchdays still counts as its pairing played.
    std::vector<PlannedMatch> taken;
    quint32 seed = 0;
};

struct ScheduleOutcome
{
    // By matchday, then in the order of the circle method.
    std::vector<PlannedMatch> fixtures;
    // Ordered pairings (home, away) that no matchday could take; when there is any, fixtures
    // is empty, since a partial calendar is not to be written.
    std::vector<std::pair<int, int>> unplaced;
};

// A double round robin by the circle method on the teams shuffled by the seed (the same seed
// gives the same calendar). The second half plays the first's pairings with the venues swapped;
// for an even number of teams it opens with the first half's last matchday, since the same order
// would give some team three home or three away matches in a row at the turn. A pairing whose
// matchday is taken by either team goes to the nearest matchday where both are free, in the
// same half if possible; failing that, new fixtures are moved out of its way. This repair is
// a bounded search: it can miss an arrangement that exists. Nothing for fewer than two teams or
// more than kMaxTeams.
ScheduleOutcome generateSchedule(const ScheduleInput& input);

} // namespace store
