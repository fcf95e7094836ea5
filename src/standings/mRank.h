#pragma once

#include "standings/RankingKind.h"
#include "standings/cResult.h"
#include "store/Competition.h"
#include "store/Results.h"

#include <QHash>
#include <optional>
#include <stdexcept>
#include <vector>

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
    friend RankingCollection ComputeRanking(const std::vector<store::MatchRow>&, RankingKind,
                                            const std::vector<store::Team>&,
                                            const cResult::Points&);
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

// Ranks every team of teams (in TeamList order) over the given results. Tied teams share
// the place of the first of them (1, 2, 2, 4) and stand in descending order of name.
RankingCollection ComputeRanking(const std::vector<store::MatchRow>& results, RankingKind kind,
                                 const std::vector<store::Team>& teams,
                                 const cResult::Points& points);

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
                                         const cResult::Points& points, const QString& team);
// The same for several teams in that one pass, in the order given: a chart of every team of
// a league costs about what one team costs. A team not in the competition has no history.
std::vector<std::vector<HistoryEntry>> RankingHistories(const std::vector<store::MatchRow>& results,
                                                        RankingKind kind,
                                                        const std::vector<store::Team>& teams,
                                                        const cResult::Points& points,
                                                        const QStringList& chosen);

cResult::Points competitionPoints(const store::Competition& c);
