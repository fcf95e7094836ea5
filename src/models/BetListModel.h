#pragma once

#include "models/ListModel.h"
#include "store/Bets.h"

// The bet ledger, one bet per row: Date, Description (wrapped), Mise, Statut (a picture),
// Gain.
class BetListModel : public ListModel
{
    Q_OBJECT
public:
    enum Column { Date, Description, Mise, Statut, Gain, ColumnCount };
    explicit BetListModel(QObject* parent = nullptr);

    void setItems(std::vector<store::BetRow> items);
    const std::vector<store::BetRow>& items() const { return m_items; }

    QStringList captions() const override;

    // The picture of a bet state: 0 pending, 1 won, 2 lost.
    static QPixmap statusPicture(int statut);
    static QString statusName(int statut);

protected:
    int rows() const override { return int(m_items.size()); }
    QVariant cell(int row, int column, int role) const override;

private:
    std::vector<store::BetRow> m_items;
};
