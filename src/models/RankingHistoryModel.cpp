#include "models/RankingHistoryModel.h"

#include "models/RecordCells.h"

#include <algorithm>

namespace {
constexpr int kPointsColumn = 4;
constexpr int kDeductionColumn = 12;
} // namespace

void RankingHistoryModel::setItems(std::vector<HistoryEntry> items, const cResult::Points& points)
{
    beginResetModel();
    m_items = std::move(items);
    m_points = points;
    m_anyDeduction = std::any_of(m_items.begin(), m_items.end(),
                                 [](const HistoryEntry& h) { return h.record.Deduction > 0; });
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
    static const QStringList plain = QStringList{QStringLiteral("Jo"), QStringLiteral("Pl"),
                                                 QString(), QStringLiteral("Equipe")} +
                                     RecordCells::captions();
    static const QStringList withDeductions = plain + QStringList{RecordCells::kDeductionCaption};
    return m_anyDeduction ? withDeductions : plain;
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
        if (column == kDeductionColumn)
            return QString::number(h.record.Deduction);
        if (column == kPointsColumn)
            return RecordCells::pointsCell(h.record, m_points, role);
        return QString::number(RecordCells::value(h.record, m_points, column - 4));
    case ExportRole:
        if (column == kPointsColumn)
            return RecordCells::pointsCell(h.record, m_points, role);
        return column == 0 ? QVariant(QString::number(h.journee)) : QVariant();
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return column == kPointsColumn ? RecordCells::pointsCell(h.record, m_points, role)
                                       : QVariant();
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
