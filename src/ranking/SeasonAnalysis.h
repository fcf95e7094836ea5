#pragma once

#include "ranking/cResult.h"
#include "ranking/mRank.h"
#include "store/Competition.h"
#include "store/Results.h"

#include <QString>
#include <optional>
#include <vector>

// The season at a glance: who beat whom, and who is in form. Computed over the results of
// matchdays 1 to upTo (all of them when upTo is not given).

// One match of the cross table, or an empty cell.
struct GridCell
{
    bool played = false;
    qint64 rowid = 0; // the match's row, to edit it
    int journee = 0;
    int home = 0; // goals of the row's team, at home
    int away = 0; // goals of the column's team
};

// Rows are home teams, columns visiting teams, both in team-list order.
class SeasonGrid
{
public:
    SeasonGrid(const std::vector<store::MatchRow>& results, const std::vector<store::Team>& teams,
               std::optional<int> upTo = std::nullopt);

    int size() const { return int(m_teams.size()); }
    const QString& team(int i) const { return m_teams[size_t(i)]; }
    // Empty on the diagonal and for a match not played (by matchday upTo).
    const GridCell& cell(int home, int away) const { return m_cells[size_t(home * size() + away)]; }

private:
    std::vector<QString> m_teams;
    std::vector<GridCell> m_cells;
};

// A team's form: its last matches, its runs and its home and away records.
struct TeamForm
{
    QString team;
    QString last;       // "V", "N", "D" of the last matches, oldest first
    int lastPoints = 0; // the points taken in them
    QString currentRun; // "5 matchs sans défaite", "3 défaites de suite"; empty before any match
    int longestWinningRun = 0;
    int homeWon = 0, homeDrawn = 0, homeLost = 0;
    int awayWon = 0, awayDrawn = 0, awayLost = 0;
};

// Every team in the order of the general standings at that matchday, its last `last` matches.
std::vector<TeamForm> SeasonForm(const std::vector<store::MatchRow>& results,
                                 const std::vector<store::Team>& teams, const RankingRules& rules,
                                 std::optional<int> upTo = std::nullopt, int last = 5);

// The current run of a sequence of results, oldest first ("VVNDV"): the longest description
// that holds for the newest matches.
QString currentRun(const QString& results);
