#pragma once

#include "models/ListModel.h"
#include "ranking/SeasonAnalysis.h"
#include "store/Fixtures.h"

// The cross table, one row per home team: its crest, its name, then one column per visiting
// team in team-list order with the score of their match, "2-1", on the colour of the home
// side's result. An empty cell whose match is on the calendar shows its matchday, "J25", in grey.
class GridModel : public ListModel
{
    Q_OBJECT
public:
    static constexpr int kFirstVisitor = 2; // after the crest and the name of the home team

    static const QColor kWin, kDraw, kDefeat, kDiagonal, kScheduled;

    explicit GridModel(QObject* parent = nullptr);

    // The fixtures give the matchday of the pairings still to play; a file without a calendar
    // has none.
    void setGrid(SeasonGrid grid, const std::vector<store::Fixture>& fixtures = {});
    const SeasonGrid& grid() const { return m_grid; }

    // The teams of a cell, -1 outside the scores.
    int homeOf(const QModelIndex& index) const;
    int visitorOf(const QModelIndex& index) const;
    // Null outside the scores and on the diagonal.
    const GridCell* cellAt(const QModelIndex& index) const;
    // The matchday the cell's match is to be played on, 0 when it is not on the calendar.
    int scheduledAt(const QModelIndex& index) const;
    QModelIndex indexOf(int home, int visitor) const;

    QStringList captions() const override;
    int teamColumn() const override { return 1; }
    QVariant data(const QModelIndex& index, int role) const override;
    // The visiting teams' crests and full names above their columns.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    int rows() const override { return m_grid.size(); }
    QVariant cell(int row, int column, int role) const override;

private:
    SeasonGrid m_grid;
    std::vector<int> m_scheduled; // per cell, home * size + visitor: its fixture's matchday
    QStringList m_captions;       // read for every cell: made once per grid
};
