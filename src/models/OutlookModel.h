#pragma once

#include "models/ListModel.h"
#include "store/Zones.h"

#include <optional>
#include <vector>

// The end of the season as simulated, one team per row in today's standings order: place,
// team, points now, expected final points, the best and the worst place still possible, what
// is already certain, the probability of each zone and of each final place. A cell is shaded
// by its probability; a place that can no longer be reached reads "–".
class OutlookModel : public ListModel
{
    Q_OBJECT
public:
    enum Column { Pl, Equipe, Pts, PtsFinal, Meilleure, Pire, Certitude, FirstZone };

    struct Row
    {
        QString team;
        int points = 0;
        int best = 0, worst = 0;
        // Empty until seasons were simulated.
        std::optional<double> finalPoints;
        std::vector<double> places; // 1 … n
    };

    using ListModel::ListModel;

    void setItems(std::vector<Row> items, std::vector<store::Zone> zones);
    const std::vector<Row>& items() const { return m_items; }
    const std::vector<store::Zone>& zones() const { return m_zones; }
    int firstPlaceColumn() const { return FirstZone + int(m_zones.size()); }

    QStringList captions() const override;
    int teamColumn() const override { return Equipe; }

    // What is certain from the places still possible: "Champion", a zone's label ("Relégué"
    // for a relegation zone), the place itself when it is the only one left; empty otherwise.
    static QString certainty(int best, int worst, const std::vector<store::Zone>& zones);
    // The background of a probability, from white to deep blue.
    static QColor shade(double p);

protected:
    int rows() const override { return int(m_items.size()); }
    QVariant cell(int row, int column, int role) const override;

private:
    double zoneShare(const Row& r, const store::Zone& zone) const;
    QVariant share(const Row& r, double p, const QString& what, bool possible, int role) const;

    std::vector<Row> m_items;
    std::vector<store::Zone> m_zones;
    QStringList m_captions;
};
