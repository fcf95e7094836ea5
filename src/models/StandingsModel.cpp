#include "models/StandingsModel.h"

#include "models/RecordCells.h"

#include <algorithm>

namespace {
constexpr int kPointsColumn = 3;
constexpr int kDeductionColumn = 11;
} // namespace

void StandingsModel::setItems(RankingCollection items, const cResult::Points& points)
{
    beginResetModel();
    forgetCrests();
    m_items = std::move(items);
    m_points = points;
    m_anyDeduction = std::any_of(m_items.items().begin(), m_items.items().end(),
                                 [](const cResult& r) { return r.Deduction > 0; });
    endResetModel();
}

QStringList StandingsModel::captions() const
{
    static const QStringList plain =
        QStringList{QStringLiteral("Pl"), QString(), QStringLiteral("Equipe")} +
        RecordCells::captions();
    static const QStringList withDeductions = plain + QStringList{RecordCells::kDeductionCaption};
    return m_anyDeduction ? withDeductions : plain;
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
        if (column == kDeductionColumn)
            return QString::number(r.Deduction);
        if (column == kPointsColumn)
            return RecordCells::pointsCell(r, m_points, role);
        return QString::number(RecordCells::value(r, m_points, column - 3));
    case ListModel::ExportRole:
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return column == kPointsColumn ? RecordCells::pointsCell(r, m_points, role) : QVariant();
    case Qt::DecorationRole:
        return column == 1 ? QVariant(crest(r.TeamName)) : QVariant();
    case Qt::TextAlignmentRole:
        return int((column >= 3 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter);
    default:
        return {};
    }
}
