#pragma once

#include "controls/zelOwnerLBox.h"
#include "standings/mRank.h"

// The standings table: one team record per row, in ranking order.
class zelOwnerLBox1 : public zelOwnerLBox
{
    Q_OBJECT
public:
    explicit zelOwnerLBox1(QWidget* parent = nullptr);

    // The points of a match are those of the open competition unless given.
    void setItems(RankingCollection items);
    void setItems(RankingCollection items, const cResult::Points& points);
    const RankingCollection& Items() const { return m_items; }

protected:
    void drawRow(QPainter& p, int row, const QRect& rect,
                 const OwnerDrawList::RowState& state) override;
    void layoutColumns(int width) override;

private:
    RankingCollection m_items;
    cResult::Points m_points;
};

// The points of a match in the open competition (3, 0, 1 when none is open).
cResult::Points currentPoints();
