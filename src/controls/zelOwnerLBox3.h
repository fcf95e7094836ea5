#pragma once

#include "models/BetListModel.h"
#include "controls/ListDelegate.h"
#include "controls/zelOwnerLBox.h"
#include "store/Bets.h"

// The bet ledger: one bet per row, each row as tall as its wrapped description.
class zelOwnerLBox3 : public zelOwnerLBox
{
    Q_OBJECT
    Q_PROPERTY(int Padding READ Padding WRITE setPadding)
    Q_PROPERTY(int SeparatorStyle READ SeparatorStyle WRITE setSeparatorStyle)
    Q_PROPERTY(int SeparatorPadding READ SeparatorPadding WRITE setSeparatorPadding)
    Q_PROPERTY(int BetweenItem READ BetweenItem WRITE setBetweenItem)
public:
    static constexpr int EdgeHeight = ListDelegate::EdgeHeight; // a sunken or raised line

    explicit zelOwnerLBox3(QWidget* parent = nullptr);

    void setItems(std::vector<store::BetRow> items);
    const std::vector<store::BetRow>& Items() const { return m_model->items(); }
    BetListModel* bets() const { return m_model; }
    void Clear();
    int ListCount() const { return ItemCount(); }

    int Padding() const { return m_padding; }
    void setPadding(int pixels);
    int SeparatorStyle() const { return m_separatorStyle; }
    void setSeparatorStyle(int style);
    int SeparatorPadding() const { return m_separatorPadding; }
    void setSeparatorPadding(int pixels);
    int BetweenItem() const { return m_betweenItem; }
    void setBetweenItem(int value);

    int rowHeightFor(const store::BetRow& bet) const;
    // The picture of a bet state: 0 pending, 1 won, 2 lost.
    static QPixmap statusPicture(int statut) { return BetListModel::statusPicture(statut); }
    // Row heights follow the description's width and the font.
    void relayout();

protected:
    void changeEvent(QEvent* event) override;

private:
    BetListModel* m_model;
    ListDelegate* m_delegate;
    int m_padding = 2;
    int m_separatorStyle = 2;
    int m_separatorPadding = 0;
    int m_betweenItem = 0;
};
