#pragma once

#include "models/ListModel.h"
#include "store/LeagueRules.h"

#include <vector>

// One team's deductions, one per row: Journée, Points, Motif.
class PenaltyListModel : public ListModel
{
    Q_OBJECT
public:
    enum Column { Journee, Points, Motif, ColumnCount };
    using ListModel::ListModel;

    void setItems(std::vector<store::Penalty> items);
    const std::vector<store::Penalty>& items() const { return m_items; }

    QStringList captions() const override;

protected:
    int rows() const override { return int(m_items.size()); }
    QVariant cell(int row, int column, int role) const override;

private:
    std::vector<store::Penalty> m_items;
};
