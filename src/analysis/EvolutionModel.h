#pragma once

#include "models/ListModel.h"

#include <optional>
#include <vector>

// What the evolution chart shows, as a table for the export, the printed page and the copy:
// a row per matchday ("J12", 12 in a file), a column per team drawn, each cell the team's place
// after that matchday (its points when the chart shows them).
class EvolutionModel : public ListModel
{
    Q_OBJECT
public:
    using ListModel::ListModel;

    struct Point
    {
        int journee = 0;
        int value = 0;
    };

    // One line per team, in the order of the chart's legend.
    void setLines(const QStringList& teams, const std::vector<std::vector<Point>>& lines);
    int teamCount() const { return int(m_teams.size()); }

    QStringList captions() const override;

protected:
    int rows() const override { return int(m_days.size()); }
    QVariant cell(int row, int column, int role) const override;

private:
    QStringList m_teams;
    std::vector<int> m_days;
    std::vector<std::optional<int>> m_values; // row by row
};
