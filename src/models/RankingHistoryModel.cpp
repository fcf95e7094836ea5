#include "models/RankingHistoryModel.h"

#include "models/RecordCells.h"

void RankingHistoryModel::setItems(std::vector<HistoryEntry> items, const cResult::Points& points)
{
    beginResetModel();
    m_items = std::move(items);
    m_points = points;
    endResetModel();
}

void RankingHistoryModel::setTeam(const QString& team)
{
    m_team = team;
    forgetCrests();
    if (!m_items.empty())
        emit dataChanged(index(0, 2), index(rows() - 1, 3));
}

QStringList RankingHistoryModel::captions() const
{
    return QStringList{QStringLiteral("Jo"), QStringLiteral("Pl"), QString(),
                       QStringLiteral("Equipe")} +
           RecordCells::captions();
}

QVariant RankingHistoryModel::cell(int row, int column, int role) const
{
    const HistoryEntry& h = m_items.at(size_t(row));
    switch (role) {
    case Qt::DisplayRole:
        if (column == 0)
            return QStringLiteral("J") + QString::number(h.journee);
        if (column == 1)
            return QString::number(h.record.Ranking);
        if (column == 2)
            return QString();
        if (column == 3)
            return m_team;
        return QString::number(RecordCells::value(h.record, m_points, column - 4));
    case ExportRole:
        return column == 0 ? QVariant(QString::number(h.journee)) : QVariant();
    case Qt::DecorationRole:
        return column == 2 ? QVariant(crest(m_team)) : QVariant();
    case Qt::TextAlignmentRole:
        return int((column >= 4 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    case EdgeRole:
        return column <= 1;
    default:
        return {};
    }
}
