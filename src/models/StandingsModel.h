#pragma once

#include "models/ListModel.h"
#include "ranking/mRank.h"

// A ranking, one team per row in ranking order: Pl, crest, Equipe, Pts, J, G, N, P, B+, B-,
// Diff, and "Pén." (the points deducted) when a team has a penalty. A team with a penalty has
// "*" after its points, and the points deducted in their tooltip.
class StandingsModel : public ListModel
{
    Q_OBJECT
public:
    using ListModel::ListModel;

    void setItems(RankingCollection items, const cResult::Points& points);
    const RankingCollection& items() const { return m_items; }
    const cResult::Points& points() const { return m_points; }

    QStringList captions() const override;
    int teamColumn() const override { return 2; }

protected:
    int rows() const override { return m_items.Count(); }
    QVariant cell(int row, int column, int role) const override;

private:
    RankingCollection m_items;
    cResult::Points m_points;
    bool m_anyDeduction = false;
};
