#include "analysis/EvolutionModel.h"

#include <algorithm>

void EvolutionModel::setLines(const QStringList& teams,
                              const std::vector<std::vector<Point>>& lines)
{
    beginResetModel();
    m_teams = teams;
    m_days.clear();
    for (const std::vector<Point>& line : lines)
        for (const Point& p : line)
            m_days.push_back(p.journee);
    std::sort(m_days.begin(), m_days.end());
    m_days.erase(std::unique(m_days.begin(), m_days.end()), m_days.end());
    const size_t columns = size_t(m_teams.size());
    m_values.assign(m_days.size() * columns, std::nullopt);
    for (size_t t = 0; t < lines.size() && t < columns; ++t)
        for (const Point& p : lines[t]) {
            const size_t row =
                size_t(std::lower_bound(m_days.begin(), m_days.end(), p.journee) - m_days.begin());
            m_values[row * columns + t] = p.value;
        }
    endResetModel();
}

QStringList EvolutionModel::captions() const
{
    return QStringList{QStringLiteral("Journée")} + m_teams;
}

QVariant EvolutionModel::cell(int row, int column, int role) const
{
    const int day = m_days[size_t(row)];
    switch (role) {
    case Qt::DisplayRole: {
        if (column == 0)
            return QStringLiteral("J%1").arg(day);
        const std::optional<int>& v =
            m_values[size_t(row) * size_t(m_teams.size()) + size_t(column - 1)];
        return v ? QString::number(*v) : QString();
    }
    case ExportRole:
        return column == 0 ? QVariant(QString::number(day)) : QVariant();
    case Qt::TextAlignmentRole:
        return int((column == 0 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter);
    case EdgeRole:
        return column == 0;
    default:
        return {};
    }
}
