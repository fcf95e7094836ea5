#pragma once

#include "models/ListModel.h"
#include "store/Results.h"

// Matches, one per row: matchday, home team, its crest, the two scores, the visitor's crest
// and the visitor. The captions are those of an imported results file.
class MatchListModel : public ListModel
{
    Q_OBJECT
public:
    enum Column {
        Journee,
        Domicile,
        CrestDomicile,
        ScoreDomicile,
        ScoreVisiteur,
        CrestVisiteur,
        Visiteur,
        ColumnCount
    };
    using ListModel::ListModel;

    void setItems(std::vector<store::MatchRow> items);
    const std::vector<store::MatchRow>& items() const { return m_items; }

    QStringList captions() const override;
    int teamColumn() const override { return Domicile; }

protected:
    int rows() const override { return int(m_items.size()); }
    QVariant cell(int row, int column, int role) const override;

private:
    std::vector<store::MatchRow> m_items;
};
