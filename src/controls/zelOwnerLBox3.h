#pragma once

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
    static constexpr int EdgeHeight = 2; // a sunken or raised border line

    explicit zelOwnerLBox3(QWidget* parent = nullptr);

    void setItems(std::vector<store::BetRow> items);
    const std::vector<store::BetRow>& Items() const { return m_items; }
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
    static QPixmap statusPicture(int statut);

protected:
    void drawRow(QPainter& p, int row, const QRect& rect,
                 const OwnerDrawList::RowState& state) override;
    void changeEvent(QEvent* event) override;

private:
    void relayout();

    std::vector<store::BetRow> m_items;
    int m_padding = 2;
    int m_separatorStyle = 2;
    int m_separatorPadding = 0;
    int m_betweenItem = 0;
};
