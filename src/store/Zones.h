#pragma once

#include "store/Database.h"

#include <QString>
#include <optional>
#include <vector>

namespace store {

// Ranges of final places with a label: "1:Champion;2-4:Ligue des champions;19-20:Relégation".
struct Zone
{
    int first = 0, last = 0; // places, 1-based, first <= last
    QString label;           // 1 to 40 characters

    bool holds(int place) const { return place >= first && place <= last; }
};

inline constexpr int kZoneLabelLength = 40;

// The zones of that text for a competition of teamCount teams, in order of places; nullopt
// with refusal (French) when a part is no "N:label" or "N-M:label", a place is outside 1 to
// teamCount, two zones overlap, or a label is empty, too long or holds a control character.
// An empty text is no zone at all.
std::optional<std::vector<Zone>> parseZones(const QString& text, int teamCount, QString& refusal);
QString zonesText(const std::vector<Zone>& zones);

// The zones of the file; none when it has never had any (or holds ones that no longer fit its
// teams).
[[nodiscard]] DbError readZones(Database& db, int teamCount, std::vector<Zone>& zones);
[[nodiscard]] DbError writeZones(Database& db, const std::vector<Zone>& zones);

} // namespace store
