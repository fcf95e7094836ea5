#pragma once

#include "models/ListModel.h"
#include "ranking/mRank.h"

// A team's ranking history, newest matchday first: Jo, Pl, crest, Equipe, Pts, J, G, N, P,
// B+, B-, Diff, and Pén. when points were taken away at any of its matchdays.
class RankingHistoryModel : public ListModel
{
    Q_OBJECT
public:
    using ListModel::ListModel;

    void setItems(std::vector<HistoryEntry> items, const cResult::Points& points);
    void setTeam(const QString& team);
    const std::vector<HistoryEntry>& items() const { return m_items; }
    const QString& team() const { return m_team; }
    const cResult::Points& points() const { return m_points; }

    QStringList captions() const override;

protected:
    int rows() const override { return int(m_items.size()); }
    QVariant cell(int row, int column, int role) const override;

private:
    QString m_team;
    std::vector<HistoryEntry> m_items;
    cResult::Points m_points;
    bool m_anyDeduction = false;
};
