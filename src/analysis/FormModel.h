#pragma once

#include "models/ListModel.h"
#include "ranking/SeasonAnalysis.h"

// Every team's form, in the order of the general standings: crest, Equipe, Forme (the
// letters V, N and D of its last matches, oldest first), Pts, Série, Meilleure série,
// Domicile and Extérieur ("5-2-1": won, drawn, lost).
class FormModel : public ListModel
{
    Q_OBJECT
public:
    enum Column {
        Crest,
        Equipe,
        Forme,
        Pts,
        Serie,
        MeilleureSerie,
        Domicile,
        Exterieur,
    };
    using ListModel::ListModel;

    void setItems(std::vector<TeamForm> items);
    const std::vector<TeamForm>& items() const { return m_items; }

    QStringList captions() const override;
    int teamColumn() const override { return Equipe; }

protected:
    int rows() const override { return int(m_items.size()); }
    QVariant cell(int row, int column, int role) const override;

private:
    std::vector<TeamForm> m_items;
};
