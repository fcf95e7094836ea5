#pragma once

#include "controls/zelOwnerLBox.h"
#include "models/StandingsModel.h"
#include "ranking/mRank.h"

// The standings table: one team record per row, in ranking order.
class zelOwnerLBox1 : public zelOwnerLBox
{
    Q_OBJECT
public:
    explicit zelOwnerLBox1(QWidget* parent = nullptr);

    // The points of a match are those of the open competition unless given.
    void setItems(RankingCollection items);
    // The zones, when given, go by the rows' places.
    void setItems(RankingCollection items, const cResult::Points& points,
                  std::vector<store::Zone> zones = {});
    const RankingCollection& Items() const { return m_model->items(); }
    StandingsModel* standings() const { return m_model; }

protected:
    void layoutColumns(int width) override;

private:
    StandingsModel* m_model;
};

// The points of a match in the open competition (3, 0, 1 when none is open).
cResult::Points currentPoints();
