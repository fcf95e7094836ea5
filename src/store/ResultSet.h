#pragma once

#include "store/Competition.h"
#include "store/LeagueRules.h"
#include "store/Results.h"

#include <optional>
#include <span>
#include <vector>

namespace store {

// A result with its teams as places in the competition's team list; -1 for a name that is
// not a team of the list.
struct TeamResult
{
    int journee = 0;
    int home = -1;
    int away = -1;
    int scoreHome = 0;
    int scoreAway = 0;
};

// Points taken from the team at this place of the team list, from a matchday on.
struct TeamPenalty
{
    int team = -1;
    int points = 0;
    int journee = 1;
};

// Every result of a competition, read at once, in matchday order (in file order within a
// matchday), with the team names resolved once against the team list.
class ResultSet
{
public:
    // Reads the whole results table; on failure returns null with error set.
    static std::shared_ptr<const ResultSet> read(Database& db, const std::vector<Team>& teams,
                                                 DbError& error);

    // Every row with its names, made when first asked for.
    const std::vector<MatchRow>& rows() const;
    const std::vector<TeamResult>& teamResults() const { return m_teams; }
    // The penalties of the file, read with the results.
    const std::vector<TeamPenalty>& penalties() const { return m_penalties; }

    // The results of matchdays 1 to upTo (all without a bound): a leading part of the list.
    std::span<const TeamResult> teamResultsUpTo(std::optional<int> upTo) const;
    std::vector<MatchRow> rowsUpTo(std::optional<int> upTo) const;
    std::vector<MatchRow> matchday(int journee) const;
    // The matchdays that have results, ascending.
    std::vector<int> playedMatchdays() const;
    // The matches of the team at teamIndex at home and away, newest matchday first.
    std::vector<MatchRow> teamMatches(int teamIndex) const;

private:
    struct Stored
    {
        qint64 rowid = 0;
        int home = 0, away = 0; // places in m_names
    };

    size_t countUpTo(int journee) const;
    MatchRow rowAt(size_t i) const;
    std::vector<MatchRow> rowsBetween(size_t from, size_t to) const;

    std::vector<QString> m_names; // each name as stored, once
    std::vector<Stored> m_stored; // in the order of m_teams
    std::vector<TeamResult> m_teams;
    mutable std::vector<MatchRow> m_rows;
    mutable bool m_rowsMade = false;
    std::vector<TeamPenalty> m_penalties;
};

// The place of name in teams: spelled exactly first, then as teamKey compares names; -1 when
// none.
class TeamLookup
{
public:
    explicit TeamLookup(const std::vector<Team>& teams);
    explicit TeamLookup(const std::vector<QString>& names);
    int find(const QString& name) const;

private:
    void add(const QString& name, int place);
    QHash<QString, int> m_exact, m_folded;
};

} // namespace store
