#include "models/StandingsModel.h"

#include "models/RecordCells.h"

void StandingsModel::setItems(RankingCollection items, const cResult::Points& points)
{
    beginResetModel();
    forgetCrests();
    m_items = std::move(items);
    m_points = points;
    endResetModel();
}

QStringList StandingsModel::captions() const
{
    return QStringList{QStringLiteral("Pl"), QString(), QStringLiteral("Equipe")} +
           RecordCells::captions();
}

QVariant StandingsModel::cell(int row, int column, int role) const
{
    const cResult& r = m_items.Item(row + 1);
    switch (role) {
    case Qt::DisplayRole:
        if (column == 0)
            return QString::number(r.Ranking);
        if (column == 1)
            return QString();
        if (column == 2)
            return r.TeamName;
        return QString::number(RecordCells::value(r, m_points, column - 3));
    case Qt::DecorationRole:
        return column == 1 ? QVariant(crest(r.TeamName)) : QVariant();
    case Qt::TextAlignmentRole:
        return int((column >= 3 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    default:
        return {};
    }
}
