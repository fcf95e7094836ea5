#include "models/StandingsModel.h"

#include "models/RecordCells.h"

#include <algorithm>

namespace {
constexpr int kPointsColumn = 3;
constexpr int kDeductionColumn = 11;
const QString kZoneCaption = QStringLiteral("Zone");
} // namespace

void StandingsModel::setItems(RankingCollection items, const cResult::Points& points,
                              std::vector<store::Zone> zones)
{
    beginResetModel();
    forgetCrests();
    m_items = std::move(items);
    m_points = points;
    m_anyDeduction = std::any_of(m_items.items().begin(), m_items.items().end(),
                                 [](const cResult& r) { return r.Deduction > 0; });
    m_zones = std::move(zones);
    m_zoneColours = coloursOf(m_zones, m_items.Count());
    endResetModel();
}

std::vector<QColor> StandingsModel::coloursOf(const std::vector<store::Zone>& zones, int teamCount)
{
    // Far enough apart to tell at a glance, dark enough to stand out on white and on grey.
    static const QColor upper[] = {QColor(0x1b, 0x7a, 0x34), QColor(0x15, 0x65, 0xc0),
                                   QColor(0x5d, 0xb8, 0x4a), QColor(0x00, 0x83, 0x8f),
                                   QColor(0x5e, 0x35, 0xb1), QColor(0x4f, 0x9c, 0xe8)};
    static const QColor lower[] = {QColor(0xc6, 0x28, 0x28), QColor(0xef, 0x6c, 0x00),
                                   QColor(0x8e, 0x1a, 0x3e), QColor(0xf2, 0xa1, 0x00)};
    std::vector<QColor> colours(zones.size());
    size_t fromTop = 0;
    for (size_t i = 0; i < zones.size(); ++i)
        if (zones[i].first + zones[i].last <= teamCount + 1)
            colours[i] = upper[fromTop++ % std::size(upper)];
    size_t fromBottom = 0;
    for (size_t i = zones.size(); i-- > 0;)
        if (zones[i].first + zones[i].last > teamCount + 1)
            colours[i] = lower[fromBottom++ % std::size(lower)];
    return colours;
}

QStringList StandingsModel::captions() const
{
    static const QStringList plain =
        QStringList{QStringLiteral("Pl"), QString(), QStringLiteral("Equipe")} +
        RecordCells::captions();
    static const QStringList withDeductions = plain + QStringList{RecordCells::kDeductionCaption};
    static const QStringList withZones = plain + QStringList{kZoneCaption};
    static const QStringList withBoth = withDeductions + QStringList{kZoneCaption};
    if (m_zones.empty())
        return m_anyDeduction ? withDeductions : plain;
    return m_anyDeduction ? withBoth : withZones;
}

int StandingsModel::zoneOf(int row) const
{
    for (size_t i = 0; i < m_zones.size(); ++i)
        if (m_zones[i].holds(row + 1))
            return int(i);
    return -1;
}

QVariant StandingsModel::rowDescription(int row, int column, int role) const
{
    const cResult& r = m_items.Item(row + 1);
    QStringList parts;
    if (column == kPointsColumn)
        if (const QVariant penalty = RecordCells::pointsCell(r, m_points, role); penalty.isValid())
            parts << penalty.toString();
    if (const int z = zoneOf(row); z >= 0)
        parts << QStringLiteral("Zone : %1").arg(m_zones[size_t(z)].label);
    return parts.isEmpty() ? QVariant() : QVariant(parts.join(QLatin1Char('\n')));
}

QVariant StandingsModel::cell(int row, int column, int role) const
{
    const cResult& r = m_items.Item(row + 1);
    const int zoneColumn = m_zones.empty() ? -1 : kDeductionColumn + (m_anyDeduction ? 1 : 0);
    switch (role) {
    case Qt::DisplayRole:
        if (column == 0)
            return QString::number(r.Ranking);
        if (column == 1)
            return QString();
        if (column == 2)
            return r.TeamName;
        if (column == zoneColumn) {
            const int z = zoneOf(row);
            return z >= 0 ? m_zones[size_t(z)].label : QString();
        }
        if (column == kDeductionColumn)
            return QString::number(r.Deduction);
        if (column == kPointsColumn)
            return RecordCells::pointsCell(r, m_points, role);
        return QString::number(RecordCells::value(r, m_points, column - 3));
    case ListModel::ExportRole:
        return column == kPointsColumn ? RecordCells::pointsCell(r, m_points, role) : QVariant();
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return rowDescription(row, column, role);
    case ListModel::StripRole: {
        // A row outside the zones has a clear strip, so that every place lines up.
        if (column != 0 || m_zones.empty())
            return {};
        const int z = zoneOf(row);
        return z >= 0 ? m_zoneColours[size_t(z)] : QColor(Qt::transparent);
    }
    case Qt::DecorationRole:
        return column == 1 ? QVariant(crest(r.TeamName)) : QVariant();
    case Qt::TextAlignmentRole:
        return int((column >= 3 && column != zoneColumn ? Qt::AlignHCenter : Qt::AlignLeft) |
                   Qt::AlignVCenter);
    default:
        return {};
    }
}
