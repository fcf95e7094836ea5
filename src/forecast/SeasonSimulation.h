#pragma once

#include "forecast/MatchModel.h"
#include "ranking/mRank.h"
#include "store/Fixtures.h"
#include "store/ResultSet.h"

#include <functional>
#include <span>
#include <vector>

// The end of a season: Monte Carlo simulations of the matches left, ranked exactly as the
// standings rank (points, deductions, tie-break), and the places each team can still reach.
namespace forecast {

// A season as it stands after a matchday: what was played, and what is left to play.
struct SeasonState
{
    std::vector<store::Team> teams; // the team list
    RankingRules rules;
    std::vector<store::TeamResult> played;
    std::vector<store::TeamResult> toPlay; // scores unknown
};

// The season as if after matchday `matchday`: the results up to it are played; the calendar's
// fixtures and the results after it are left to play, or, without a calendar, every ordered
// pairing not played yet (on the last matchday).
SeasonState seasonAfter(const std::vector<store::Team>& teams, const RankingRules& rules,
                        std::span<const store::TeamResult> results,
                        const std::vector<store::Fixture>& fixtures, int matchday,
                        int matchdayCount);

struct TeamOutlook
{
    int team = 0;              // place in the team list
    int points = 0;            // now, deductions in effect now taken off
    double finalPoints = 0.0;  // expected
    std::vector<double> place; // probability of each final place 1 … n
    int best = 0, worst = 0;   // places still possible: never narrower than the truth
};

struct SeasonOutlook
{
    int runs = 0;
    bool cancelled = false;
    std::vector<TeamOutlook> teams; // in today's standings order
};

// The best and the worst final place each team (team-list order) can still reach. When the
// exact answer would cost too much, the bounds are safe: a best place that may be too good, a
// worst that may be too bad, never one that excludes a possible end.
void placeBounds(const SeasonState& state, std::vector<int>& best, std::vector<int>& worst);

// Simulates `runs` seasons from the state, each match drawn from the model's score
// probabilities. The same seed gives the same outlook whatever the number of threads.
// progress (called on the calling thread, in thousandths) returns false to cancel.
SeasonOutlook simulateSeason(const SeasonState& state, const MatchModel& model, int runs,
                             quint64 seed, int threads = 0,
                             const std::function<bool(int)>& progress = {});

} // namespace forecast
