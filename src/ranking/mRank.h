#pragma once

#include "ranking/RankingKind.h"
#include "ranking/cResult.h"
#include "store/Competition.h"
#include "store/ResultSet.h"
#include "store/Results.h"

#include <QHash>
#include <optional>
#include <span>
#include <stdexcept>
#include <vector>

// What a competition ranks by: the points of a match and, for the general standings only,
// the tie-break and the penalties (those from matchdays up to the last one ranked count).
struct RankingRules
{
    cResult::Points points;
    store::TieBreak tieBreak = store::TieBreak::Goals;
    std::vector<store::TeamPenalty> penalties; // teams as places in the team list

    RankingRules() = default;
    // Points alone: no penalty, ties told apart by goals.
    RankingRules(const cResult::Points& p) : points(p) {}
};

// The ranked records of every team, reachable by position (1 to N) and by team name.
class RankingCollection
{
public:
    int Count() const { return int(m_items.size()); }
    const cResult& Item(int position) const { return m_items.at(size_t(position - 1)); }
    // Null when the team is not in the competition.
    const cResult* Find(const QString& team) const;
    const std::vector<cResult>& items() const { return m_items; }

private:
    friend RankingCollection ComputeRanking(std::span<const store::TeamResult>, RankingKind,
                                            const std::vector<store::Team>&, const RankingRules&);
    std::vector<cResult> m_items;
    QHash<QString, int> m_byName;
};

// A kind outside 0 to 4.
class BadRankingKind : public std::invalid_argument
{
public:
    explicit BadRankingKind(int kind);
    int kind;
};

// Ranks every team of teams (in TeamList order) over the given results. Teams still level
// after every rule share the place of the first of them (1, 2, 2, 4) and stand in descending
// order of name.
RankingCollection ComputeRanking(const std::vector<store::MatchRow>& results, RankingKind kind,
                                 const std::vector<store::Team>& teams, const RankingRules& rules);
// The same over results whose teams are places in teams, as a ResultSet holds them.
RankingCollection ComputeRanking(std::span<const store::TeamResult> results, RankingKind kind,
                                 const std::vector<store::Team>& teams, const RankingRules& rules);

// The general standings' order alone, as ComputeRanking gives it, for code that ranks many
// seasons: the places in the team list of its teamCount teams, best first, and each team's
// points (deductions taken off) in points.
std::vector<int> GeneralOrder(std::span<const store::TeamResult> results, size_t teamCount,
                              const RankingRules& rules, std::vector<int>& points);

// A team's record and place after one matchday.
struct HistoryEntry
{
    int journee = 0;
    cResult record;
};

// The team's place and counters after every matchday that has results, newest first:
// the same as one ComputeRanking per matchday bound, in a single pass.
std::vector<HistoryEntry> RankingHistory(const std::vector<store::MatchRow>& results,
                                         RankingKind kind, const std::vector<store::Team>& teams,
                                         const RankingRules& rules, const QString& team);
// The same for several teams in that one pass, in the order given: a chart of every team of
// a league costs about what one team costs. A team not in the competition has no history.
std::vector<std::vector<HistoryEntry>> RankingHistories(const std::vector<store::MatchRow>& results,
                                                        RankingKind kind,
                                                        const std::vector<store::Team>& teams,
                                                        const RankingRules& rules,
                                                        const QStringList& chosen);
// The same over results in matchday order whose teams are places in teams, for the teams at
// the places chosen (a place of -1 has no history).
std::vector<std::vector<HistoryEntry>> RankingHistories(std::span<const store::TeamResult> results,
                                                        RankingKind kind,
                                                        const std::vector<store::Team>& teams,
                                                        const RankingRules& rules,
                                                        const std::vector<int>& chosen);

cResult::Points competitionPoints(const store::Competition& c);
// The competition's rules, with the penalties read with these results.
RankingRules competitionRules(const store::Competition& c, const store::ResultSet& results);
