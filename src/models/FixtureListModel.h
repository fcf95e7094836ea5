#pragma once

#include "models/ListModel.h"
#include "store/Fixtures.h"

// Fixtures still to play, one per row: matchday, home team and visitor.
class FixtureListModel : public ListModel
{
    Q_OBJECT
public:
    enum Column { Journee, Domicile, Visiteur, ColumnCount };
    using ListModel::ListModel;

    void setItems(std::vector<store::Fixture> items);
    const std::vector<store::Fixture>& items() const { return m_items; }

    QStringList captions() const override;
    int teamColumn() const override { return Domicile; }

protected:
    int rows() const override { return int(m_items.size()); }
    QVariant cell(int row, int column, int role) const override;

private:
    std::vector<store::Fixture> m_items;
};
