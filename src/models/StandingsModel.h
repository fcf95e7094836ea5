#pragma once

#include "models/ListModel.h"
#include "ranking/mRank.h"
#include "store/Zones.h"

#include <vector>

// A ranking, one team per row in ranking order: Pl, crest, Equipe, Pts, J, G, N, P, B+, B-,
// Diff, "Pén." (the points deducted) when a team has a penalty, and "Zone" when zones are
// given. A team with a penalty has "*" after its points, and the points deducted in their
// tooltip. The zones go by the row's place in the table (1 to n), not by the shared "Pl" of
// tied teams: a row in a zone has the zone's colour strip and its label in its tooltip, the
// others a clear strip.
class StandingsModel : public ListModel
{
    Q_OBJECT
public:
    using ListModel::ListModel;

    void setItems(RankingCollection items, const cResult::Points& points,
                  std::vector<store::Zone> zones = {});
    const RankingCollection& items() const { return m_items; }
    const cResult::Points& points() const { return m_points; }
    const std::vector<store::Zone>& zones() const { return m_zones; }
    // The colour of each zone, in the order of the zones.
    const std::vector<QColor>& zoneColours() const { return m_zoneColours; }

    // A distinct colour for each zone of a table of teamCount rows: greens and blues for the
    // zones of the upper half, from the top; oranges and reds for those of the lower half, the
    // deepest red at the bottom.
    static std::vector<QColor> coloursOf(const std::vector<store::Zone>& zones, int teamCount);

    QStringList captions() const override;
    int teamColumn() const override { return 2; }

protected:
    int rows() const override { return m_items.Count(); }
    QVariant cell(int row, int column, int role) const override;

private:
    // The index of the zone holding the row, -1 when none does.
    int zoneOf(int row) const;
    QVariant rowDescription(int row, int column, int role) const;

    RankingCollection m_items;
    cResult::Points m_points;
    bool m_anyDeduction = false;
    std::vector<store::Zone> m_zones;
    std::vector<QColor> m_zoneColours;
};
