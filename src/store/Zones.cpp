#include "store/Zones.h"

#include "store/CompetitionFile.h"
#include "store/TextChecks.h"

#include <QRegularExpression>
#include <algorithm>

namespace store {

namespace {

const QString kZonesProperty = QStringLiteral("Zones");

} // namespace

std::optional<std::vector<Zone>> parseZones(const QString& text, int teamCount, QString& refusal)
{
    refusal.clear();
    std::vector<Zone> zones;
    static const QRegularExpression part(
        QStringLiteral("^\\s*(\\d{1,3})\\s*(?:-\\s*(\\d{1,3}))?\\s*:(.*)$"));
    for (const QString& piece : text.split(QLatin1Char(';'))) {
        if (piece.trimmed().isEmpty())
            continue;
        const QRegularExpressionMatch m = part.match(piece);
        if (!m.hasMatch()) {
            refusal = QStringLiteral("« %1 » n'est pas une zone : écrivez la place ou les places, "
                                     "deux-points, puis le nom, par exemple « 2-4:Ligue des "
                                     "champions ».")
                          .arg(shortened(piece.trimmed()));
            return std::nullopt;
        }
        Zone z;
        z.first = m.captured(1).toInt();
        z.last = m.captured(2).isEmpty() ? z.first : m.captured(2).toInt();
        z.label = m.captured(3).trimmed();
        if (z.first < 1 || z.last > teamCount || z.first > z.last) {
            refusal = QStringLiteral("« %1 » : les places d'une zone vont de 1 à %2, la première "
                                     "avant la dernière.")
                          .arg(shortened(piece.trimmed()))
                          .arg(teamCount);
            return std::nullopt;
        }
        if (z.label.isEmpty() || characterCount(z.label) > kZoneLabelLength ||
            hasControlCharacter(z.label)) {
            refusal = QStringLiteral("« %1 » : le nom d'une zone compte de 1 à %2 caractères, "
                                     "sans caractère de contrôle.")
                          .arg(shortened(piece.trimmed()))
                          .arg(kZoneLabelLength);
            return std::nullopt;
        }
        zones.push_back(z);
    }
    std::sort(zones.begin(), zones.end(),
              [](const Zone& a, const Zone& b) { return a.first < b.first; });
    for (size_t i = 1; i < zones.size(); ++i)
        if (zones[i].first <= zones[i - 1].last) {
            refusal = QStringLiteral("Les zones « %1 » et « %2 » se chevauchent.")
                          .arg(shortened(zones[i - 1].label), shortened(zones[i].label));
            return std::nullopt;
        }
    return zones;
}

QString zonesText(const std::vector<Zone>& zones)
{
    QStringList parts;
    for (const Zone& z : zones)
        parts << (z.first == z.last ? QString::number(z.first)
                                    : QStringLiteral("%1-%2").arg(z.first).arg(z.last)) +
                     QLatin1Char(':') + z.label;
    return parts.join(QLatin1Char(';'));
}

DbError readZones(Database& db, int teamCount, std::vector<Zone>& zones)
{
    zones.clear();
    QString text, refusal;
    if (DbError e = readOptionalProperty(db, kZonesProperty, text))
        return e;
    if (auto read = parseZones(text, teamCount, refusal))
        zones = std::move(*read);
    return {};
}

DbError writeZones(Database& db, const std::vector<Zone>& zones)
{
    return writeOptionalProperty(db, kZonesProperty, zonesText(zones));
}

} // namespace store
